#include "OwnerWindow.h"

#include "NativeControl.h"
#include "launcher/window/WindowDescription.h"
#include "platform/WideText.h"

namespace launcher::win32 {

OwnerWindow::~OwnerWindow()
{
    if (m_hwnd != nullptr && IsWindow(m_hwnd)) {
        DestroyWindow(m_hwnd);
    }
}

bool OwnerWindow::create(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = ClassName;
    if (!registerClassOnce(windowClass)) {
        return false;
    }
    // A pop-up that is never shown has no taskbar button; the launcher
    // window carries the program's one.
    const std::wstring title = platform::toWide(ApplicationTitle);
    m_hwnd = CreateWindowExW(0, ClassName, title.c_str(), WS_POPUP | WS_SYSMENU, 0, 0, 0, 0,
                             nullptr, nullptr, instance, nullptr);
    return m_hwnd != nullptr;
}

} // namespace launcher::win32
