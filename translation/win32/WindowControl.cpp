#include "translation/win32/WindowControl.h"

#include "platform/WideText.h"
#include "translation/win32/FormTranslator.h"
#include "translation/win32/WindowClasses.h"

#include <commctrl.h>

namespace translation::win32 {

namespace {

// Longest item text read; a longer one is left as it is rather than cut.
constexpr std::size_t MaxItemText = std::size_t{1} << 20;

// Reads an item text through a message that fills a buffer of the size it
// is given and does not say how long the text is: the buffer grows until
// the text fits with room to spare. The control may instead point at a
// text of its own. Nullopt when the message fails or the text is too long.
template <class Read>
std::optional<std::u16string> readItemText(Read read)
{
    for (std::size_t capacity = 256; capacity <= MaxItemText; capacity *= 2) {
        std::wstring buffer(capacity, L'\0');
        const wchar_t* text = read(buffer.data(), static_cast<int>(capacity));
        if (!text) {
            return std::nullopt;
        }
        if (text != buffer.data()) {
            return platform::toU16(text);
        }
        const std::size_t length = wcsnlen(text, capacity);
        if (length + 1 < capacity) {
            return platform::toU16(std::wstring_view(text, length));
        }
    }
    return std::nullopt;
}

LONG styleOf(HWND control)
{
    return GetWindowLongW(control, GWL_STYLE);
}

int listViewColumnCount(HWND listView)
{
    int count = 0;
    for (;; ++count) {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        if (!SendMessageW(listView, LVM_GETCOLUMNW, static_cast<WPARAM>(count),
                          reinterpret_cast<LPARAM>(&column))) {
            return count;
        }
    }
}

// An owner-drawn combo box without CBS_HASSTRINGS keeps only the program's
// data for each item, no text.
bool comboBoxHasTexts(LONG style)
{
    return !(style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) || (style & CBS_HASSTRINGS);
}

bool comboBoxHasEdit(LONG style)
{
    return (style & 3) != CBS_DROPDOWNLIST;
}

std::optional<std::u16string> comboBoxItem(HWND combo, WPARAM index)
{
    const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length < 0) {
        return std::nullopt;
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto read =
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    if (read < 0) {
        return std::nullopt;
    }
    text.resize(wcsnlen(text.data(), text.size()));
    return platform::toU16(text);
}

// A combo box cannot rename an item: the new text goes in at the item's
// place with the item's data, and only then does the old item go. It goes
// without its data, so that a window that frees item data when told of a
// deleted item (WM_DELETEITEM) never frees what the new item carries; and
// when the new item cannot be inserted, nothing is lost.
void replaceComboBoxItem(HWND combo, WPARAM index, std::u16string_view text)
{
    const auto data = SendMessageW(combo, CB_GETITEMDATA, index, 0);
    const std::wstring copy = platform::toWide(text);
    const auto inserted =
        SendMessageW(combo, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(copy.c_str()));
    if (inserted < 0) {
        return;
    }
    if (static_cast<WPARAM>(inserted) != index) {
        SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(inserted), 0);
        return;
    }
    SendMessageW(combo, CB_SETITEMDATA, index, data);
    SendMessageW(combo, CB_SETITEMDATA, index + 1, 0);
    SendMessageW(combo, CB_DELETESTRING, index + 1, 0);
}

// Common controls that make child windows of their own: an edit for a
// label being renamed, the fields of an address or a date, the combo box
// inside an extended one.
bool makesItsOwnChildren(HWND control)
{
    static const wchar_t* const Composites[] = {
        WC_COMBOBOXEXW,  WC_IPADDRESSW, DATETIMEPICK_CLASSW,
        MONTHCAL_CLASSW, WC_TREEVIEWW,  WC_HEADERW,
    };
    const std::wstring className = windowClassName(control);
    for (const wchar_t* composite : Composites) {
        if (classDerivesFrom(className, composite)) {
            return true;
        }
    }
    return false;
}

} // namespace

WindowControl::WindowControl(HWND control) : m_control(control), m_rule(RuleFor(*this)) {}

bool WindowControl::is(Rule rule) const
{
    switch (rule) {
    case Rule::ListView:
        return derivesFrom(m_control, WC_LISTVIEWW);
    case Rule::TabControl:
        return derivesFrom(m_control, WC_TABCONTROLW);
    case Rule::ComboBox:
        return derivesFrom(m_control, WC_COMBOBOXW);
    case Rule::Memo:
        return derivesFrom(m_control, WC_EDITW) && (styleOf(m_control) & ES_MULTILINE);
    case Rule::StatusBar:
        return derivesFrom(m_control, STATUSCLASSNAMEW);
    default:
        return false;
    }
}

std::u16string WindowControl::caption() const
{
    return GetCaption(m_control);
}

void WindowControl::setCaption(std::u16string_view text)
{
    SetCaption(m_control, text);
}

std::u16string WindowControl::hint() const
{
    return GetHint(m_control);
}

void WindowControl::setHint(std::u16string_view text)
{
    SetHint(m_control, text);
}

int WindowControl::count(TextList, int) const
{
    switch (m_rule) {
    case Rule::ListView:
        return listViewColumnCount(m_control);
    case Rule::TabControl:
        return static_cast<int>(SendMessageW(m_control, TCM_GETITEMCOUNT, 0, 0));
    case Rule::ComboBox:
        return comboBoxHasTexts(styleOf(m_control))
                   ? static_cast<int>(SendMessageW(m_control, CB_GETCOUNT, 0, 0))
                   : 0;
    case Rule::StatusBar:
        // In simple mode the bar reports its one simple text for every part,
        // so the parts wait for the next time.
        return SendMessageW(m_control, SB_ISSIMPLE, 0, 0)
                   ? 0
                   : static_cast<int>(SendMessageW(m_control, SB_GETPARTS, 0, 0));
    default:
        return 0;
    }
}

std::optional<std::u16string> WindowControl::item(TextList, int, int index) const
{
    const auto at = static_cast<WPARAM>(index);
    switch (m_rule) {
    case Rule::ListView:
        return readItemText([&](wchar_t* buffer, int capacity) -> const wchar_t* {
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT;
            column.pszText = buffer;
            column.cchTextMax = capacity;
            return SendMessageW(m_control, LVM_GETCOLUMNW, at, reinterpret_cast<LPARAM>(&column))
                       ? column.pszText
                       : nullptr;
        });
    case Rule::TabControl:
        return readItemText([&](wchar_t* buffer, int capacity) -> const wchar_t* {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = buffer;
            item.cchTextMax = capacity;
            return SendMessageW(m_control, TCM_GETITEMW, at, reinterpret_cast<LPARAM>(&item))
                       ? item.pszText
                       : nullptr;
        });
    case Rule::ComboBox:
        return comboBoxItem(m_control, at);
    case Rule::StatusBar: {
        // An owner-drawn part holds the program's data, not a text.
        const auto lengthAndType = SendMessageW(m_control, SB_GETTEXTLENGTHW, at, 0);
        if (HIWORD(lengthAndType) & SBT_OWNERDRAW) {
            return std::nullopt;
        }
        std::wstring text(static_cast<std::size_t>(LOWORD(lengthAndType)) + 1, L'\0');
        SendMessageW(m_control, SB_GETTEXTW, at, reinterpret_cast<LPARAM>(text.data()));
        text.resize(wcsnlen(text.data(), text.size()));
        return platform::toU16(text);
    }
    default:
        return std::nullopt;
    }
}

void WindowControl::setItem(TextList, int, int index, std::u16string_view text)
{
    const auto at = static_cast<WPARAM>(index);
    std::wstring copy = platform::toWide(text);
    switch (m_rule) {
    case Rule::ListView: {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = copy.data();
        SendMessageW(m_control, LVM_SETCOLUMNW, at, reinterpret_cast<LPARAM>(&column));
        break;
    }
    case Rule::TabControl: {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = copy.data();
        SendMessageW(m_control, TCM_SETITEMW, at, reinterpret_cast<LPARAM>(&item));
        break;
    }
    case Rule::ComboBox:
        replaceComboBoxItem(m_control, at, text);
        break;
    case Rule::StatusBar: {
        // Each part keeps its drawing flags.
        const WORD type = HIWORD(SendMessageW(m_control, SB_GETTEXTLENGTHW, at, 0));
        SendMessageW(m_control, SB_SETTEXTW, at | type, reinterpret_cast<LPARAM>(copy.c_str()));
        break;
    }
    default:
        break;
    }
}

int WindowControl::selected() const
{
    if (m_rule != Rule::ComboBox || !comboBoxHasTexts(styleOf(m_control))) {
        return -1;
    }
    return static_cast<int>(SendMessageW(m_control, CB_GETCURSEL, 0, 0));
}

// CB_SETCURSEL raises no change notification; it does copy the item's text
// into the edit, whose own text the rules put back after it (a combo box's
// edit reports no change made through WM_SETTEXT).
void WindowControl::select(int index)
{
    SendMessageW(m_control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::optional<std::u16string> WindowControl::editText() const
{
    const LONG style = styleOf(m_control);
    if (m_rule != Rule::ComboBox || !comboBoxHasTexts(style) || !comboBoxHasEdit(style)) {
        return std::nullopt;
    }
    return platform::windowTextU16(m_control);
}

void WindowControl::setEditText(std::u16string_view text)
{
    platform::setWindowText(m_control, text);
}

std::vector<std::u16string> WindowControl::lines() const
{
    return SplitText(platform::windowTextU16(m_control), u"\r\n");
}

void WindowControl::setLines(std::u16string_view text)
{
    platform::setWindowText(m_control, text);
}

bool WindowControl::ownsItsChildren() const
{
    switch (m_rule) {
    case Rule::ListView:
    case Rule::ComboBox:
    case Rule::Memo:
        return true;
    case Rule::AnyOther:
        return makesItsOwnChildren(m_control);
    default:
        return false;
    }
}

} // namespace translation::win32
