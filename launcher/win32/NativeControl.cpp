#include "NativeControl.h"

#include "platform/WideText.h"

namespace launcher::win32 {

HWND NativeControl::createWindow(DWORD exStyle, const wchar_t* className, DWORD style,
                                 const ControlPlacement& placement, void* param)
{
    const ControlRect& rect = placement.rect;
    const std::wstring text = platform::toWide(placement.description->text);
    m_hwnd = CreateWindowExW(exStyle, className, text.c_str(), style, rect.left, rect.top,
                             rect.width, rect.height, placement.parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)),
                             placement.instance, param);
    if (m_hwnd != nullptr && placement.font != nullptr) {
        SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(placement.font), FALSE);
    }
    return m_hwnd;
}

void NativeControl::relayout(const ControlRect& rect, HFONT font, int)
{
    SetWindowPos(m_hwnd, nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

WNDCLASSEXW ownWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC windowProc)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = className;
    return windowClass;
}

bool registerClassOnce(const WNDCLASSEXW& windowClass)
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &existing)) {
        return true;
    }
    return RegisterClassExW(&windowClass) != 0;
}

void fillButtonFace(HDC dc, const RECT& rect)
{
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
}

} // namespace launcher::win32
