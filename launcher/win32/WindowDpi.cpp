#include "WindowDpi.h"

#include "launcher/window/WindowLayout.h"

namespace launcher::win32 {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

GetDpiForWindowFunction getDpiForWindow()
{
    static const auto function = reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return function;
}

} // namespace

int windowDpi(HWND hwnd)
{
    if (hwnd != nullptr) {
        if (const GetDpiForWindowFunction function = getDpiForWindow()) {
            if (const UINT dpi = function(hwnd); dpi > 0) {
                return static_cast<int>(dpi);
            }
        }
    }
    int dpi = 0;
    if (HDC dc = GetDC(hwnd)) {
        dpi = GetDeviceCaps(dc, LOGPIXELSX);
        ReleaseDC(hwnd, dc);
    }
    return dpi > 0 ? dpi : DesignDpi;
}

} // namespace launcher::win32
