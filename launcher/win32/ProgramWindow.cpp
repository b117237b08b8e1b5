#include "ProgramWindow.h"

#include "FormGears.h"
#include "NativeControl.h"
#include "StartupTrace.h"
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

ProgramWindow::ProgramWindow(HINSTANCE instance) : m_instance(instance) {}

// The launcher window goes before the window that owns it.
ProgramWindow::~ProgramWindow()
{
    m_window.reset();
    m_owner.reset();
}

bool ProgramWindow::create(const std::string& programDir, std::string& error)
{
    DERIZE_STARTUP_MARK("dictionary read");
    m_owner = std::make_unique<OwnerWindow>();
    if (!m_owner->create(m_instance)) {
        error =
            "cannot create the application's window: " + platform::systemErrorText(GetLastError());
        return false;
    }
    DERIZE_STARTUP_MARK("owner window made");
    m_window = std::make_unique<FormGears>(m_instance, m_owner->hwnd(), programDir);
    const bool created = m_window->create(error);
    DERIZE_STARTUP_MARK("window and controls made");
    return created;
}

LauncherWindow& ProgramWindow::behaviour()
{
    return m_window->behaviour();
}

int ProgramWindow::runMainLoop()
{
    return m_window->runMessageLoop();
}

} // namespace launcher::win32
