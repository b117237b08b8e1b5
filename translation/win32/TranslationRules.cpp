#include "translation/win32/TranslationRules.h"

#include "platform/WideText.h"
#include "translation/win32/WindowClasses.h"

#include <array>
#include <commctrl.h>
#include <optional>
#include <vector>

namespace translation::win32 {

namespace {

const std::u16string_view LineBreakMark = u"||";
const std::u16string_view CrLf = u"\r\n";

// Longest item text read; a longer one is left as it is rather than cut.
constexpr std::size_t MaxItemText = std::size_t{1} << 20;

// A text that belongs to a list: looked up even when blank, written back
// only when the lookup changed it.
template <class Set>
void translateItem(const std::u16string& text, const TextLookup& lookup, Set set)
{
    const std::u16string translated = lookup(text);
    if (translated != text) {
        set(translated);
    }
}

// Caption and hint: looked up unless blank.
template <class Get, class Set>
void translateProperty(HWND control, const TextLookup& lookup, Get get, Set set)
{
    const std::u16string text = get(control);
    if (IsBlank(text)) {
        return;
    }
    const std::u16string translated = lookup(text);
    if (translated != text) {
        set(control, translated);
    }
}

void captionRule(HWND control, const TextLookup& lookup)
{
    translateProperty(control, lookup, GetCaption, SetCaption);
}

void hintRule(HWND control, const TextLookup& lookup)
{
    translateProperty(control, lookup, GetHint, SetHint);
}

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

bool never(HWND)
{
    return false;
}

bool always(HWND)
{
    return true;
}

LONG styleOf(HWND control)
{
    return GetWindowLongW(control, GWL_STYLE);
}

// 1. List views: the column titles.
bool isListView(HWND control)
{
    return derivesFrom(control, WC_LISTVIEWW);
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

void translateListView(HWND listView, const TextLookup& lookup)
{
    const int count = listViewColumnCount(listView);
    for (int index = 0; index < count; ++index) {
        const auto title = readItemText([&](wchar_t* buffer, int capacity) -> const wchar_t* {
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT;
            column.pszText = buffer;
            column.cchTextMax = capacity;
            return SendMessageW(listView, LVM_GETCOLUMNW, static_cast<WPARAM>(index),
                                reinterpret_cast<LPARAM>(&column))
                       ? column.pszText
                       : nullptr;
        });
        if (!title) {
            continue;
        }
        translateItem(*title, lookup, [&](const std::u16string& text) {
            std::wstring copy = platform::toWide(text);
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT;
            column.pszText = copy.data();
            SendMessageW(listView, LVM_SETCOLUMNW, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&column));
        });
    }
    hintRule(listView, lookup);
}

// 2. Tab controls: the tab texts. Renaming a tab leaves the selected one as
// it is, so there is nothing to put back.
bool isTabControl(HWND control)
{
    return derivesFrom(control, WC_TABCONTROLW);
}

void translateTabControl(HWND tabs, const TextLookup& lookup)
{
    const auto count = SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        const auto text = readItemText([&](wchar_t* buffer, int capacity) -> const wchar_t* {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = buffer;
            item.cchTextMax = capacity;
            return SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index),
                                reinterpret_cast<LPARAM>(&item))
                       ? item.pszText
                       : nullptr;
        });
        if (!text) {
            continue;
        }
        translateItem(*text, lookup, [&](const std::u16string& translated) {
            std::wstring copy = platform::toWide(translated);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = copy.data();
            SendMessageW(tabs, TCM_SETITEMW, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&item));
        });
    }
    hintRule(tabs, lookup);
}

// 6. Combo box: the items; the selection, each item's data and the edit
// text stay.
bool isComboBox(HWND control)
{
    return derivesFrom(control, WC_COMBOBOXW);
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
void replaceComboBoxItem(HWND combo, WPARAM index, const std::u16string& text)
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

void translateComboBox(HWND combo, const TextLookup& lookup)
{
    const LONG style = styleOf(combo);
    if (comboBoxHasTexts(style)) {
        const auto selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
        const bool hasEdit = comboBoxHasEdit(style);
        const std::u16string editText = hasEdit ? platform::windowTextU16(combo) : std::u16string();
        const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            const auto index = static_cast<WPARAM>(i);
            if (const auto text = comboBoxItem(combo, index)) {
                translateItem(*text, lookup, [&](const std::u16string& translated) {
                    replaceComboBoxItem(combo, index, translated);
                });
            }
        }
        // CB_SETCURSEL raises no change notification; it does copy the
        // item's text into the edit, whose own text is put back after it
        // (a combo box's edit reports no change made through WM_SETTEXT).
        if (SendMessageW(combo, CB_GETCURSEL, 0, 0) != selected) {
            SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        }
        if (hasEdit && platform::windowTextU16(combo) != editText) {
            platform::setWindowText(combo, editText);
        }
    }
    hintRule(combo, lookup);
}

// 8. Memo: all lines looked up at once, joined by the line-break mark.
bool isMemo(HWND control)
{
    return derivesFrom(control, WC_EDITW) && (styleOf(control) & ES_MULTILINE);
}

std::vector<std::u16string_view> splitLines(std::u16string_view text)
{
    std::vector<std::u16string_view> lines;
    for (;;) {
        const std::size_t end = text.find(CrLf);
        lines.push_back(text.substr(0, end));
        if (end == std::u16string_view::npos) {
            break;
        }
        text.remove_prefix(end + CrLf.size());
    }
    // A line break at the very end closes the last line; it opens no new one.
    if (lines.size() > 1 && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

std::u16string joined(const std::vector<std::u16string_view>& lines, std::u16string_view mark)
{
    std::u16string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += mark;
        }
        text += lines[i];
    }
    return text;
}

// The lookup turns the marks of its result into CR LF, the edit's own line
// break.
void translateMemo(HWND edit, const TextLookup& lookup)
{
    const std::u16string text = platform::windowTextU16(edit);
    const std::vector<std::u16string_view> lines = splitLines(text);
    const std::u16string translated = lookup(joined(lines, LineBreakMark));
    if (translated != joined(lines, CrLf)) {
        platform::setWindowText(edit, translated);
    }
    hintRule(edit, lookup);
}

// 9. Status bar: the part texts, each with its drawing flags. An owner-drawn
// part holds the program's data, not a text. In simple mode the bar reports
// its one simple text for every part, so the parts wait for the next time.
bool isStatusBar(HWND control)
{
    return derivesFrom(control, STATUSCLASSNAMEW);
}

void translateStatusBar(HWND bar, const TextLookup& lookup)
{
    if (!SendMessageW(bar, SB_ISSIMPLE, 0, 0)) {
        const auto count = SendMessageW(bar, SB_GETPARTS, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            const auto index = static_cast<WPARAM>(i);
            const auto lengthAndType = SendMessageW(bar, SB_GETTEXTLENGTHW, index, 0);
            const WORD type = HIWORD(lengthAndType);
            if (type & SBT_OWNERDRAW) {
                continue;
            }
            std::wstring text(static_cast<std::size_t>(LOWORD(lengthAndType)) + 1, L'\0');
            SendMessageW(bar, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text.data()));
            text.resize(wcsnlen(text.data(), text.size()));
            translateItem(platform::toU16(text), lookup, [&](const std::u16string& translated) {
                const std::wstring copy = platform::toWide(translated);
                SendMessageW(bar, SB_SETTEXTW, index | type,
                             reinterpret_cast<LPARAM>(copy.c_str()));
            });
        }
    }
    hintRule(bar, lookup);
}

// 11. Anything else: caption and hint.
void translateCaptionAndHint(HWND control, const TextLookup& lookup)
{
    captionRule(control, lookup);
    hintRule(control, lookup);
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

// The kinds without a native Win32 control keep their numbers and never fit.
constexpr TranslationRule NoNativeControl(const char* kind)
{
    return TranslationRule{kind, nullptr, nullptr, nullptr};
}

const std::array Rules{
    TranslationRule{"list view", isListView, translateListView, always},
    TranslationRule{"tab control", isTabControl, translateTabControl, never},
    NoNativeControl("folder-name edit"),
    NoNativeControl("data grid with lookup columns"),
    NoNativeControl("data grid"),
    TranslationRule{"combo box", isComboBox, translateComboBox, always},
    NoNativeControl("radio group"),
    TranslationRule{"memo", isMemo, translateMemo, always},
    TranslationRule{"status bar", isStatusBar, translateStatusBar, never},
    NoNativeControl("tab set"),
    TranslationRule{"any other control", always, translateCaptionAndHint, makesItsOwnChildren},
};

} // namespace

std::span<const TranslationRule> TranslationRules()
{
    return Rules;
}

int RuleNumberFor(HWND control)
{
    int number = 1;
    for (const TranslationRule& rule : Rules) {
        if (rule.fits && rule.fits(control)) {
            return number;
        }
        ++number;
    }
    return number - 1;
}

} // namespace translation::win32
