#include "translation/win32/FormTranslator.h"

#include "platform/WideText.h"
#include "translation/Dictionary.h"
#include "translation/win32/WindowClasses.h"
#include "translation/win32/WindowControl.h"

#include <commctrl.h>
#include <optional>
#include <unordered_set>

namespace translation::win32 {

namespace {

// Window classes whose window text is the control's content rather than a
// caption written into the window's description (a status bar's is the text
// of its first part).
const wchar_t* const ClassesWithoutCaption[] = {
    WC_EDITW,         L"RICHEDIT",    L"RichEdit20A", L"RichEdit20W",      L"RICHEDIT50W",
    WC_COMBOBOXW,     WC_COMBOBOXEXW, WC_IPADDRESSW,  DATETIMEPICK_CLASSW, HOTKEY_CLASSW,
    STATUSCLASSNAMEW,
};

bool hasCaption(HWND control)
{
    const std::wstring className = windowClassName(control);
    if (className.empty()) {
        return false;
    }
    for (const wchar_t* name : ClassesWithoutCaption) {
        if (classDerivesFrom(className, name)) {
            return false;
        }
    }
    return true;
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

// The window itself: its caption is its window text, and its hint is kept
// beside its handle.
class FormTexts final : public ControlTexts
{
public:
    explicit FormTexts(Form& form) : m_form(form) {}
    bool is(Rule) const override { return false; }
    std::u16string caption() const override { return platform::windowTextU16(m_form.window); }
    void setCaption(std::u16string_view text) override
    {
        platform::setWindowText(m_form.window, text);
    }
    std::u16string hint() const override { return m_form.hint; }
    void setHint(std::u16string_view text) override { m_form.hint = text; }

private:
    Form& m_form;
};

} // namespace

void TranslateForm(Form& form)
{
    TranslateForm(form, [](std::u16string_view text) { return TranslateText(text); });
}

void TranslateForm(Form& form, const TextLookup& lookup)
{
    if (!IsWindow(form.window)) {
        return;
    }
    FormTexts texts(form);
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
    return hasCaption(control) ? platform::windowTextU16(control) : std::u16string();
}

void SetCaption(HWND control, std::u16string_view text)
{
    if (hasCaption(control)) {
        platform::setWindowText(control, text);
    }
}

std::u16string GetHint(HWND control)
{
    std::optional<Tool> tool = toolFor(control);
    if (!tool) {
        return {};
    }
    // The tooltip control hands over at most INFOTIPSIZE characters, the
    // terminating NUL included; a text that fills them may have been cut.
    std::wstring buffer(INFOTIPSIZE, L'\0');
    tool->info.lpszText = buffer.data();
    SendMessageW(tool->toolTip, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool->info));
    const std::size_t length = wcsnlen(buffer.data(), buffer.size());
    if (length >= buffer.size() - 1) {
        return {};
    }
    return platform::toU16(std::wstring_view(buffer.data(), length));
}

void SetHint(HWND control, std::u16string_view text)
{
    std::optional<Tool> tool = toolFor(control);
    if (!tool) {
        return;
    }
    std::wstring copy = platform::toWide(text);
    tool->info.lpszText = copy.data();
    SendMessageW(tool->toolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool->info));
}

} // namespace translation::win32
