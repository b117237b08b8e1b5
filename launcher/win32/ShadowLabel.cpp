#include "ShadowLabel.h"

#include "platform/WideText.h"

namespace launcher::win32 {

namespace {

constexpr UINT TextFlags = DT_LEFT | DT_TOP | DT_EXPANDTABS;

} // namespace

bool ShadowLabel::create(const ControlPlacement& placement)
{
    if (!registerClassOnce(
            ownWindowClass(placement.instance, ClassName, &ShadowLabel::windowProc))) {
        return false;
    }
    return createWindow(0, ClassName, WS_CHILD | WS_VISIBLE, placement, this) != nullptr;
}

void ShadowLabel::fitToText()
{
    const std::wstring text = platform::windowText(m_hwnd);
    HDC dc = GetDC(m_hwnd);
    HGDIOBJ previous = m_font != nullptr ? SelectObject(dc, m_font) : nullptr;
    RECT bounds{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds, TextFlags | DT_CALCRECT);
    if (previous != nullptr) {
        SelectObject(dc, previous);
    }
    ReleaseDC(m_hwnd, dc);
    SetWindowPos(m_hwnd, nullptr, 0, 0, bounds.right + ShadowSize, bounds.bottom + ShadowSize,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void ShadowLabel::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT area{};
    GetClientRect(m_hwnd, &area);
    fillButtonFace(dc, area);
    const std::wstring text = platform::windowText(m_hwnd);
    HGDIOBJ previous = m_font != nullptr ? SelectObject(dc, m_font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    RECT shadow{area.left, area.top, area.right - ShadowSize, area.bottom - ShadowSize};
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow, TextFlags);
    RECT face{area.left + ShadowSize, area.top + ShadowSize, area.right, area.bottom};
    SetTextColor(dc, GetSysColor(IsWindowEnabled(m_hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &face, TextFlags);
    if (previous != nullptr) {
        SelectObject(dc, previous);
    }
    EndPaint(m_hwnd, &ps);
}

LRESULT CALLBACK ShadowLabel::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ShadowLabel* label = objectOf<ShadowLabel>(hwnd, message, lParam);
    if (label == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    label->m_hwnd = hwnd;
    switch (message) {
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
        label->fitToText();
        return result;
    }
    case WM_SETFONT:
        label->m_font = reinterpret_cast<HFONT>(wParam);
        label->fitToText();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(label->m_font);
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT
    case WM_PAINT:
        label->paint();
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace launcher::win32
