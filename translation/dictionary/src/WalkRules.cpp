#include "translation/WalkRules.h"

#include "translation/Dictionary.h"

namespace translation {

namespace {

constexpr std::u16string_view LineBreakMark = u"||";
constexpr std::u16string_view CrLf = u"\r\n";

std::u16string joined(const std::vector<std::u16string>& lines, std::u16string_view separator)
{
    std::u16string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += separator;
        }
        text += lines[i];
    }
    return text;
}

// A text that belongs to a list: looked up even when blank, written back
// only when the lookup changed it.
void translateItem(ControlTexts& control, TextList list, int column, int index,
                   const TextLookup& lookup)
{
    if (const std::optional<std::u16string> text = control.item(list, column, index)) {
        const std::u16string translated = lookup(*text);
        if (translated != *text) {
            control.setItem(list, column, index, translated);
        }
    }
}

void translateList(ControlTexts& control, TextList list, int column, const TextLookup& lookup)
{
    const int count = control.count(list, column);
    for (int index = 0; index < count; ++index) {
        translateItem(control, list, column, index, lookup);
    }
}

// The items, with the selection and the edit text put back afterwards.
void translateKeepingSelection(ControlTexts& control, const TextLookup& lookup)
{
    const int selected = control.selected();
    const std::optional<std::u16string> editText = control.editText();
    translateList(control, TextList::Items, 0, lookup);
    if (control.selected() != selected) {
        control.select(selected);
    }
    if (editText && control.editText() != editText) {
        control.setEditText(*editText);
    }
}

// Each column's title, then its pick list, then (keyed) its key list.
void translateGrid(ControlTexts& control, bool keyed, const TextLookup& lookup)
{
    const int columns = control.count(TextList::Items, 0);
    for (int column = 0; column < columns; ++column) {
        translateItem(control, TextList::Items, 0, column, lookup);
        translateList(control, TextList::PickList, column, lookup);
        if (keyed) {
            translateList(control, TextList::KeyList, column, lookup);
        }
    }
}

// The lookup turns the marks of its result into CR LF; the memo gets the
// lines of the result.
void translateMemo(ControlTexts& control, const TextLookup& lookup)
{
    std::vector<std::u16string> lines = control.lines();
    // A line break at the very end closes the last line; it opens no new one.
    if (lines.size() > 1 && lines.back().empty()) {
        lines.pop_back();
    }
    const std::vector<std::u16string> translated =
        SplitText(lookup(joined(lines, LineBreakMark)), CrLf);
    const std::u16string_view lineBreak = control.lineBreak();
    const std::u16string text = joined(translated, lineBreak);
    if (text != joined(lines, lineBreak)) {
        control.setLines(text);
    }
}

// Caption and hint: a control's are looked up unless blank, a window's
// even when blank.
template <class Get, class Set>
void translateProperty(ControlTexts& control, Get get, Set set, bool evenBlank,
                       const TextLookup& lookup)
{
    const std::u16string text = (control.*get)();
    if (!evenBlank && IsBlank(text)) {
        return;
    }
    const std::u16string translated = lookup(text);
    if (translated != text) {
        (control.*set)(translated);
    }
}

const TextLookup& orDictionary(const TextLookup& lookup)
{
    static const TextLookup Dictionary = [](std::u16string_view text) {
        return TranslateText(text);
    };
    return lookup ? lookup : Dictionary;
}

} // namespace

bool IsBlank(std::u16string_view text)
{
    for (const char16_t c : text) {
        if (c != u'\0' && c != u' ') {
            return false;
        }
    }
    return true;
}

Rule RuleFor(const ControlTexts& control)
{
    for (int rule = int(Rule::ListView); rule < int(Rule::AnyOther); ++rule) {
        if (control.is(Rule(rule))) {
            return Rule(rule);
        }
    }
    return Rule::AnyOther;
}

void TranslateControl(ControlTexts& control, const TextLookup& givenLookup)
{
    const TextLookup& lookup = orDictionary(givenLookup);
    const Rule rule = RuleFor(control);
    switch (rule) {
    case Rule::ListView:
    case Rule::TabControl:
    case Rule::DirectoryEdit:
    case Rule::StatusBar:
        translateList(control, TextList::Items, 0, lookup);
        break;
    case Rule::KeyedDataGrid:
    case Rule::DataGrid:
        translateGrid(control, rule == Rule::KeyedDataGrid, lookup);
        break;
    case Rule::ComboBox:
    case Rule::RadioGroup:
    case Rule::TabSet:
        translateKeepingSelection(control, lookup);
        break;
    case Rule::Memo:
        translateMemo(control, lookup);
        break;
    case Rule::AnyOther:
        break;
    }
    if (rule == Rule::RadioGroup || rule == Rule::AnyOther) {
        translateProperty(control, &ControlTexts::caption, &ControlTexts::setCaption, false,
                          lookup);
    }
    if (rule != Rule::DirectoryEdit && rule != Rule::TabSet) {
        translateProperty(control, &ControlTexts::hint, &ControlTexts::setHint, false, lookup);
    }
}

void TranslateWindowTexts(ControlTexts& window, const TextLookup& givenLookup)
{
    const TextLookup& lookup = orDictionary(givenLookup);
    translateProperty(window, &ControlTexts::caption, &ControlTexts::setCaption, true, lookup);
    translateProperty(window, &ControlTexts::hint, &ControlTexts::setHint, true, lookup);
}

std::vector<std::u16string> SplitText(std::u16string_view text, std::u16string_view separator)
{
    std::vector<std::u16string> parts;
    for (;;) {
        const std::size_t end = text.find(separator);
        parts.emplace_back(text.substr(0, end));
        if (end == std::u16string_view::npos) {
            return parts;
        }
        text.remove_prefix(end + separator.size());
    }
}

} // namespace translation
