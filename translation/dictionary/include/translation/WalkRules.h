#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace translation {

// The window translator's rules, whatever toolkit draws the window: which
// kinds of control it knows, in which order they are tried, which texts of
// each it looks up and what it keeps. The Qt translator (translation/qt)
// and the Win32 one (translation/win32) only read and write a control's
// texts through ControlTexts; the check tool's list of the texts the
// launcher window looks up goes through the same rules.

// Empty, or made of NUL and space characters only. A control's caption
// and hint that are blank are not looked up; a window's own caption and
// hint, and the texts of a list, are looked up even when blank.
bool IsBlank(std::u16string_view text);

// The rules in the order they are tried (numbered from 1); the first whose
// kind the control is wins, and the last takes every control.
enum class Rule
{
    ListView = 1,  // the column titles
    TabControl,    // the tab texts
    DirectoryEdit, // the folder dialog's text and the button's hint, not its own hint
    KeyedDataGrid, // each column's title, pick list and key list
    DataGrid,      // each column's title and pick list
    ComboBox,      // the items; the selection and the edit text stay
    RadioGroup,    // the items, the checked one kept, then the caption
    Memo,          // all lines at once, joined by "||"
    StatusBar,     // the panel texts
    TabSet,        // the tab texts, the current tab kept; not its hint
    AnyOther,      // the caption
};
// Every rule but DirectoryEdit and AnyOther looks up the control's hint
// after its other texts; AnyOther the caption and then the hint.

// Which list of a control's texts: the items (column titles, tabs, combo
// box or radio group items, panels; a folder-name edit's dialog text and
// button hint) or, for the grids, one column's pick list or key list.
enum class TextList
{
    Items,
    PickList,
    KeyList,
};

// A control's texts as one toolkit reads and writes them. A control
// answers only what its kind carries; the rest reads as empty.
class ControlTexts
{
public:
    virtual ~ControlTexts() = default;

    // True when the control is of the rule's kind (or derives from one
    // that is). Never asked for AnyOther.
    virtual bool is(Rule rule) const = 0;

    virtual std::u16string caption() const { return {}; }
    virtual void setCaption(std::u16string_view /*text*/) {}
    virtual std::u16string hint() const { return {}; }
    virtual void setHint(std::u16string_view /*text*/) {}

    // A list's texts; `column` names the grid column of a pick or key
    // list. Nullopt for a text that cannot be read whole: it is left alone.
    virtual int count(TextList /*list*/, int /*column*/) const { return 0; }
    virtual std::optional<std::u16string> item(TextList /*list*/, int /*column*/,
                                               int /*index*/) const
    {
        return std::nullopt;
    }
    virtual void setItem(TextList /*list*/, int /*column*/, int /*index*/,
                         std::u16string_view /*text*/)
    {
    }

    // The selected item (-1 for none) and the text of a combo box's edit
    // (nullopt without one), kept while the items are renamed.
    virtual int selected() const { return -1; }
    virtual void select(int /*index*/) {}
    virtual std::optional<std::u16string> editText() const { return std::nullopt; }
    virtual void setEditText(std::u16string_view /*text*/) {}

    // A memo's lines, a final line break included as an empty last line,
    // and the memo's own line break, by which setLines() gets them joined.
    virtual std::vector<std::u16string> lines() const { return {}; }
    virtual std::u16string_view lineBreak() const { return u"\r\n"; }
    virtual void setLines(std::u16string_view /*text*/) {}
};

// The lookup that every text goes through; an empty one is TranslateText(),
// the loaded dictionary.
using TextLookup = std::function<std::u16string(std::u16string_view)>;

// The first rule whose kind the control is.
Rule RuleFor(const ControlTexts& control);

// Looks up the texts that the control's rule names, each written back only
// when the lookup changed it.
void TranslateControl(ControlTexts& control, const TextLookup& lookup = {});

// A window's own caption and hint, both looked up even when blank.
void TranslateWindowTexts(ControlTexts& window, const TextLookup& lookup = {});

// `text` cut at each `separator`.
std::vector<std::u16string> SplitText(std::u16string_view text, std::u16string_view separator);

} // namespace translation
