#include "TzrRadioButton.h"

#include "platform/WideText.h"
#include "translation/win32/WindowClasses.h"

namespace launcher::win32 {

namespace {

WNDPROC nativeButtonProc = nullptr;

} // namespace

bool TzrRadioButton::registerClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(nullptr, L"Button", &windowClass)) {
        return false;
    }
    nativeButtonProc = windowClass.lpfnWndProc;
    windowClass.lpfnWndProc = &TzrRadioButton::windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = ClassName;
    windowClass.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    if (!registerClassOnce(windowClass)) {
        return false;
    }
    // The window's translator treats the kind buttons as the buttons they are.
    translation::win32::registerSuperclass(ClassName, L"Button");
    return true;
}

LRESULT CALLBACK TzrRadioButton::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallWindowProcW(nativeButtonProc, hwnd, message, wParam, lParam);
    // A radio button that the keyboard moves to is clicked (the dialog
    // manager does so for the automatic kind only): the arrow keys choose a
    // kind. A mouse click, which captures the mouse, clicks it itself.
    if (message == WM_SETFOCUS && GetCapture() != hwnd &&
        SendMessageW(hwnd, BM_GETCHECK, 0, 0) != BST_CHECKED) {
        SendMessageW(GetParent(hwnd), WM_COMMAND,
                     MAKEWPARAM(static_cast<UINT>(GetDlgCtrlID(hwnd)), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd));
    }
    return result;
}

DWORD TzrRadioButton::buttonStyleBits() const
{
    return radioButtonStyle(BaseStyle, m_properties);
}

DWORD TzrRadioButton::windowStyle(bool tabStop) const
{
    DWORD style = WS_CHILD | WS_VISIBLE | buttonStyleBits();
    if (tabStop) {
        style |= WS_TABSTOP;
    }
    // The first kind button starts the group the arrow keys move in.
    if (m_firstOfGroup) {
        style |= WS_GROUP;
    }
    return style;
}

bool TzrRadioButton::create(const ControlPlacement& placement)
{
    if (!registerClass(placement.instance)) {
        return false;
    }
    m_placement = placement;
    m_firstOfGroup = placement.description->tabOrder == 0;
    if (createWindow(0, ClassName, windowStyle(placement.description->tabStop), placement) ==
        nullptr) {
        return false;
    }
    setChecked(placement.description->checked);
    return true;
}

void TzrRadioButton::relayout(const ControlRect& rect, HFONT font, int dpi)
{
    m_placement.rect = rect;
    m_placement.font = font;
    m_placement.dpi = dpi;
    NativeControl::relayout(rect, font, dpi);
}

bool TzrRadioButton::checked() const
{
    return SendMessageW(m_hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TzrRadioButton::setChecked(bool checked)
{
    SendMessageW(m_hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    const LONG_PTR style = GetWindowLongPtrW(m_hwnd, GWL_STYLE);
    const LONG_PTR wanted = checked ? (style | WS_TABSTOP) : (style & ~LONG_PTR{WS_TABSTOP});
    if (wanted != style) {
        SetWindowLongPtrW(m_hwnd, GWL_STYLE, wanted);
    }
}

void TzrRadioButton::setHorizontalAlignment(TAlignment value)
{
    launcher::setButtonProperty(m_properties.horizontal, value, [this] { recreate(); });
}

void TzrRadioButton::setVerticalAlignment(TVertAlignment value)
{
    launcher::setButtonProperty(m_properties.vertical, value, [this] { recreate(); });
}

void TzrRadioButton::setWordWrap(bool value)
{
    launcher::setButtonProperty(m_properties.wordWrap, value, [this] { recreate(); });
}

void TzrRadioButton::setButtonStyle(TStyle value)
{
    launcher::setButtonProperty(m_properties.style, value, [this] { recreate(); });
}

void TzrRadioButton::recreate()
{
    if (m_hwnd == nullptr) {
        return; // the new value applies when the native control is created
    }
    const HWND old = m_hwnd;
    const std::wstring text = platform::windowText(old);
    const bool wasChecked = checked();
    const bool tabStop = (GetWindowLongPtrW(old, GWL_STYLE) & WS_TABSTOP) != 0;
    const bool hadFocus = GetFocus() == old;
    const bool enabled = IsWindowEnabled(old) != FALSE;
    HWND previous = GetWindow(old, GW_HWNDPREV);
    RECT rect{};
    GetWindowRect(old, &rect);
    MapWindowPoints(nullptr, m_placement.parent, reinterpret_cast<POINT*>(&rect), 2);

    HWND created =
        CreateWindowExW(0, ClassName, text.c_str(), windowStyle(tabStop), rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, m_placement.parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_placement.id)),
                        m_placement.instance, nullptr);
    if (created == nullptr) {
        return; // the old control stays, with the old look
    }
    DestroyWindow(old);
    m_hwnd = created;
    SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(m_placement.font), FALSE);
    SendMessageW(created, BM_SETCHECK, wasChecked ? BST_CHECKED : BST_UNCHECKED, 0);
    EnableWindow(created, enabled);
    SetWindowPos(created, previous != nullptr ? previous : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (hadFocus) {
        SetFocus(created);
    }
    ++m_recreations;
}

} // namespace launcher::win32
