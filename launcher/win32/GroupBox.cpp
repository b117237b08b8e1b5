#include "GroupBox.h"

#include <commctrl.h>

namespace launcher::win32 {

namespace {

constexpr UINT_PTR SubclassId = 1;

} // namespace

bool GroupBox::create(const ControlPlacement& placement)
{
    if (createWindow(WS_EX_CONTROLPARENT, L"Button", WS_CHILD | WS_VISIBLE | BS_GROUPBOX,
                     placement) == nullptr) {
        return false;
    }
    return SetWindowSubclass(m_hwnd, &GroupBox::subclassProc, SubclassId, 0) != FALSE;
}

LRESULT CALLBACK GroupBox::subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_COMMAND:
        return SendMessageW(GetParent(hwnd), message, wParam, lParam);
    case WM_ERASEBKGND: {
        RECT inside{};
        GetClientRect(hwnd, &inside);
        fillButtonFace(reinterpret_cast<HDC>(wParam), inside);
        return 1;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &GroupBox::subclassProc, SubclassId);
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace launcher::win32
