#include "translation/win32/FormTranslator.h"

#include "platform/WideText.h"
#include "translation/win32/WindowClasses.h"

#include <commctrl.h>
#include <optional>
#include <unordered_set>

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

// A list view's column title or a tab control's tab text, read and written
// through an item of the control's own type.
template <class Item>
std::optional<std::u16string> readListItem(HWND control, UINT message, UINT mask, WPARAM index)
{
    return readItemText([&](wchar_t* buffer, int capacity) -> const wchar_t* {
        Item item{};
        item.mask = mask;
        item.pszText = buffer;
        item.cchTextMax = capacity;
        return SendMessageW(control, message, index, reinterpret_cast<LPARAM>(&item)) ? item.pszText
                                                                                      : nullptr;
    });
}

template <class Item>
void writeListItem(HWND control, UINT message, UINT mask, WPARAM index, std::wstring& text)
{
    Item item{};
    item.mask = mask;
    item.pszText = text.data();
    SendMessageW(control, message, index, reinterpret_cast<LPARAM>(&item));
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

// Reads a text of `length` characters through `read`, which copies it into
// the buffer it is given; nullopt when it fails.
template <class Read>
std::optional<std::u16string> readSizedText(LRESULT length, Read read)
{
    if (length < 0) {
        return std::nullopt;
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    if (read(reinterpret_cast<LPARAM>(text.data())) < 0) {
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

// True when the control's class is one of `classes` or derives from one.
template <std::size_t N>
bool derivesFromAny(HWND control, const wchar_t* const (&classes)[N])
{
    const std::wstring className = windowClassName(control);
    for (const wchar_t* name : classes) {
        if (classDerivesFrom(className, name)) {
            return true;
        }
    }
    return false;
}

// Common controls that make child windows of their own: an edit for a
// label being renamed, the fields of an address or a date, the combo box
// inside an extended one.
const wchar_t* const MakeTheirOwnChildren[] = {
    WC_COMBOBOXEXW, WC_IPADDRESSW, DATETIMEPICK_CLASSW, MONTHCAL_CLASSW, WC_TREEVIEWW, WC_HEADERW,
};

// Window classes whose window text is the control's content rather than a
// caption written into the window's description (a status bar's is the text
// of its first part). A window that is none has no caption either.
const wchar_t* const ClassesWithoutCaption[] = {
    WC_EDITW,         L"RICHEDIT",    L"RichEdit20A", L"RichEdit20W",      L"RICHEDIT50W",
    WC_COMBOBOXW,     WC_COMBOBOXEXW, WC_IPADDRESSW,  DATETIMEPICK_CLASSW, HOTKEY_CLASSW,
    STATUSCLASSNAMEW,
};

bool hasCaption(HWND control)
{
    return IsWindow(control) && !derivesFromAny(control, ClassesWithoutCaption);
}

// The tooltip controls that belong to `topLevel`: those it owns. A tooltip
// created with one of the window's controls as its parent is owned by the
// window too.
struct ToolTipSearch
{
    HWND topLevel;
    std::vector<HWND> toolTips;
};

BOOL CALLBACK collectToolTip(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<ToolTipSearch*>(parameter);
    if (GetWindow(window, GW_OWNER) == search->topLevel && derivesFrom(window, TOOLTIPS_CLASSW)) {
        search->toolTips.push_back(window);
    }
    return TRUE;
}

struct Tool
{
    HWND toolTip = nullptr;
    TTTOOLINFOW info{};
};

// The tool that covers the control's whole window (TTF_IDISHWND), looked up
// by enumerating the tools with no text buffer, so that nothing is copied.
std::optional<Tool> toolFor(HWND control)
{
    const HWND topLevel = GetAncestor(control, GA_ROOT);
    if (!topLevel) {
        return std::nullopt;
    }
    ToolTipSearch search{topLevel, {}};
    EnumThreadWindows(GetWindowThreadProcessId(topLevel, nullptr), collectToolTip,
                      reinterpret_cast<LPARAM>(&search));
    for (HWND toolTip : search.toolTips) {
        const auto count = SendMessageW(toolTip, TTM_GETTOOLCOUNT, 0, 0);
        for (LRESULT index = 0; index < count; ++index) {
            Tool tool{toolTip, {}};
            tool.info.cbSize = TTTOOLINFOW_V2_SIZE;
            tool.info.lpszText = nullptr;
            if (!SendMessageW(toolTip, TTM_ENUMTOOLSW, static_cast<WPARAM>(index),
                              reinterpret_cast<LPARAM>(&tool.info))) {
                continue;
            }
            if ((tool.info.uFlags & TTF_IDISHWND) &&
                reinterpret_cast<HWND>(tool.info.uId) == control) {
                return tool;
            }
        }
    }
    return std::nullopt;
}

// A native control's texts as the translator's rules
// (translation/WalkRules.h) read and write them. Its kind is its window
// class or a class registered as its superclass (WindowClasses.h); the
// kinds that no native control has (folder-name edit, data grids, radio
// group, tab set) never fit. The window itself has no hint of its own:
// the one kept beside its handle stands in for it.
class WindowControl final : public ControlTexts
{
public:
    explicit WindowControl(HWND control, std::u16string* windowHint = nullptr)
        : m_control(control), m_windowHint(windowHint), m_rule(RuleFor(*this))
    {
    }

    bool is(Rule rule) const override
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

    std::u16string caption() const override
    {
        return captioned() ? platform::windowTextU16(m_control) : std::u16string();
    }
    void setCaption(std::u16string_view text) override
    {
        if (captioned()) {
            platform::setWindowText(m_control, text);
        }
    }
    std::u16string hint() const override
    {
        if (m_windowHint) {
            return *m_windowHint;
        }
        std::optional<Tool> tool = toolFor(m_control);
        if (!tool) {
            return {};
        }
        // The tooltip control hands over at most INFOTIPSIZE characters, the
        // terminating NUL included; a text that fills them may have been cut.
        std::wstring buffer(INFOTIPSIZE, L'\0');
        tool->info.lpszText = buffer.data();
        SendMessageW(tool->toolTip, TTM_GETTEXTW, buffer.size(),
                     reinterpret_cast<LPARAM>(&tool->info));
        const std::size_t length = wcsnlen(buffer.data(), buffer.size());
        if (length >= buffer.size() - 1) {
            return {};
        }
        return platform::toU16(std::wstring_view(buffer.data(), length));
    }
    void setHint(std::u16string_view text) override
    {
        if (m_windowHint) {
            *m_windowHint = text;
        } else if (std::optional<Tool> tool = toolFor(m_control)) {
            std::wstring copy = platform::toWide(text);
            tool->info.lpszText = copy.data();
            SendMessageW(tool->toolTip, TTM_UPDATETIPTEXTW, 0,
                         reinterpret_cast<LPARAM>(&tool->info));
        }
    }
    int count(TextList, int) const override
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

    std::optional<std::u16string> item(TextList, int, int index) const override
    {
        const auto at = static_cast<WPARAM>(index);
        switch (m_rule) {
        case Rule::ListView:
            return readListItem<LVCOLUMNW>(m_control, LVM_GETCOLUMNW, LVCF_TEXT, at);
        case Rule::TabControl:
            return readListItem<TCITEMW>(m_control, TCM_GETITEMW, TCIF_TEXT, at);
        case Rule::ComboBox:
            return readSizedText(
                SendMessageW(m_control, CB_GETLBTEXTLEN, at, 0),
                [&](LPARAM buffer) { return SendMessageW(m_control, CB_GETLBTEXT, at, buffer); });
        case Rule::StatusBar: {
            // An owner-drawn part holds the program's data, not a text.
            const auto lengthAndType = SendMessageW(m_control, SB_GETTEXTLENGTHW, at, 0);
            if (HIWORD(lengthAndType) & SBT_OWNERDRAW) {
                return std::nullopt;
            }
            return readSizedText(LOWORD(lengthAndType), [&](LPARAM buffer) {
                return SendMessageW(m_control, SB_GETTEXTW, at, buffer);
            });
        }
        default:
            return std::nullopt;
        }
    }

    void setItem(TextList, int, int index, std::u16string_view text) override
    {
        const auto at = static_cast<WPARAM>(index);
        std::wstring copy = platform::toWide(text);
        switch (m_rule) {
        case Rule::ListView:
            writeListItem<LVCOLUMNW>(m_control, LVM_SETCOLUMNW, LVCF_TEXT, at, copy);
            break;
        case Rule::TabControl:
            writeListItem<TCITEMW>(m_control, TCM_SETITEMW, TCIF_TEXT, at, copy);
            break;
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

    int selected() const override
    {
        if (m_rule != Rule::ComboBox || !comboBoxHasTexts(styleOf(m_control))) {
            return -1;
        }
        return static_cast<int>(SendMessageW(m_control, CB_GETCURSEL, 0, 0));
    }

    // CB_SETCURSEL raises no change notification; it does copy the item's text
    // into the edit, whose own text the rules put back after it (a combo box's
    // edit reports no change made through WM_SETTEXT).
    void select(int index) override
    {
        SendMessageW(m_control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }

    std::optional<std::u16string> editText() const override
    {
        const LONG style = styleOf(m_control);
        if (m_rule != Rule::ComboBox || !comboBoxHasTexts(style) ||
            (style & 3) == CBS_DROPDOWNLIST) {
            return std::nullopt;
        }
        return platform::windowTextU16(m_control);
    }

    void setEditText(std::u16string_view text) override
    {
        platform::setWindowText(m_control, text);
    }

    std::vector<std::u16string> lines() const override
    {
        return SplitText(platform::windowTextU16(m_control), u"\r\n");
    }

    void setLines(std::u16string_view text) override { platform::setWindowText(m_control, text); }

    Rule rule() const { return m_rule; }
    // True when the control's child windows are parts it made for itself,
    // which the walk over a window does not visit.
    bool ownsItsChildren() const
    {
        switch (m_rule) {
        case Rule::ListView:
        case Rule::ComboBox:
        case Rule::Memo:
            return true;
        case Rule::AnyOther:
            return derivesFromAny(m_control, MakeTheirOwnChildren);
        default:
            return false;
        }
    }

private:
    bool captioned() const { return m_windowHint || hasCaption(m_control); }

    HWND m_control;
    std::u16string* m_windowHint;
    Rule m_rule;
};

BOOL CALLBACK collectChildWindow(HWND window, LPARAM parameter)
{
    reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

bool insidePartsOfAControl(HWND control, HWND window)
{
    for (HWND parent = GetAncestor(control, GA_PARENT); parent && parent != window;
         parent = GetAncestor(parent, GA_PARENT)) {
        if (WindowControl(parent).ownsItsChildren()) {
            return true;
        }
    }
    return false;
}

} // namespace

void TranslateForm(Form& form, const TextLookup& lookup)
{
    if (!IsWindow(form.window)) {
        return;
    }
    WindowControl texts(form.window, &form.hint);
    TranslateWindowTexts(texts, lookup);
    // A window procedure that answers a changed text may destroy controls;
    // those are skipped rather than translated after their end.
    for (HWND control : OwnedControls(form.window)) {
        TranslateComponent(control, lookup);
    }
}

void TranslateComponent(HWND control, const TextLookup& lookup)
{
    if (IsWindow(control)) {
        WindowControl texts(control);
        TranslateControl(texts, lookup);
    }
}

Rule ControlRule(HWND control)
{
    return WindowControl(control).rule();
}

std::vector<HWND> OwnedControls(HWND window)
{
    std::vector<HWND> all;
    if (!IsWindow(window)) {
        return all;
    }
    EnumChildWindows(window, collectChildWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> owned;
    std::unordered_set<HWND> seen;
    for (HWND control : all) {
        if (!insidePartsOfAControl(control, window) && seen.insert(control).second) {
            owned.push_back(control);
        }
    }
    return owned;
}

std::u16string GetCaption(HWND control)
{
    return WindowControl(control).caption();
}

std::u16string GetHint(HWND control)
{
    return WindowControl(control).hint();
}

} // namespace translation::win32
