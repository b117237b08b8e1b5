#include "BevelPanel.h"

namespace launcher::win32 {

namespace {

// One bevel: `topLeft` on the top and left edges, `bottomRight` on the
// others; `rect` shrinks by the bevel.
void drawBevel(HDC dc, RECT& rect, int topLeft, int bottomRight)
{
    const RECT top{rect.left, rect.top, rect.right, rect.top + 1};
    const RECT left{rect.left, rect.top, rect.left + 1, rect.bottom};
    const RECT bottom{rect.left, rect.bottom - 1, rect.right, rect.bottom};
    const RECT right{rect.right - 1, rect.top, rect.right, rect.bottom};
    FillRect(dc, &top, GetSysColorBrush(topLeft));
    FillRect(dc, &left, GetSysColorBrush(topLeft));
    FillRect(dc, &bottom, GetSysColorBrush(bottomRight));
    FillRect(dc, &right, GetSysColorBrush(bottomRight));
    InflateRect(&rect, -1, -1);
}

} // namespace

bool BevelPanel::create(const ControlPlacement& placement)
{
    WNDCLASSEXW windowClass =
        ownWindowClass(placement.instance, ClassName, &BevelPanel::windowProc);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    if (!registerClassOnce(windowClass)) {
        return false;
    }
    return createWindow(WS_EX_CONTROLPARENT, ClassName,
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                        placement) != nullptr;
}

void BevelPanel::paint(HWND hwnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rect;
    GetClientRect(hwnd, &rect);
    drawBevel(dc, rect, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    drawBevel(dc, rect, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK BevelPanel::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        paint(hwnd);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace launcher::win32
