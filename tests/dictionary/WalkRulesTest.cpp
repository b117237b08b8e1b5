// The translator's rules over a control made of plain data, whatever
// toolkit: which rule a control falls under, which texts each rule looks
// up and in which order, what is written back and what is kept. The
// toolkits' own tests (tests/translation_qt, tests/wine) check only that
// their adapters read and write each kind's texts.
#include "translation/WalkRules.h"

#include "FixtureRecord.h"
#include "RecordingLookup.h"
#include "translation/Dictionary.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <vector>

using namespace translation;
using namespace std::string_view_literals;

namespace {

// A control of the kinds `kinds` with its texts as plain data. It notes
// every write; `losesSelection` makes it drop its selection and its edit
// text whenever an item is renamed, as a native combo box does.
struct FakeControl : ControlTexts
{
    std::set<Rule> kinds;
    std::u16string captionText = u"caption";
    std::u16string hintText = u"hint";
    std::map<std::pair<TextList, int>, std::vector<std::optional<std::u16string>>> lists;
    int selection = -1;
    std::optional<std::u16string> edit;
    std::u16string memo;
    std::u16string_view memoBreak = u"\r\n";
    bool losesSelection = false;
    std::vector<std::u16string> writes;

    bool is(Rule rule) const override { return kinds.contains(rule); }
    std::u16string caption() const override { return captionText; }
    void setCaption(std::u16string_view text) override
    {
        captionText = text;
        writes.push_back(u"caption " + std::u16string(text));
    }
    std::u16string hint() const override { return hintText; }
    void setHint(std::u16string_view text) override
    {
        hintText = text;
        writes.push_back(u"hint " + std::u16string(text));
    }
    int count(TextList list, int column) const override
    {
        const auto found = lists.find({list, column});
        return found != lists.end() ? static_cast<int>(found->second.size()) : 0;
    }
    std::optional<std::u16string> item(TextList list, int column, int index) const override
    {
        return lists.at({list, column}).at(static_cast<std::size_t>(index));
    }
    void setItem(TextList list, int column, int index, std::u16string_view text) override
    {
        lists.at({list, column}).at(static_cast<std::size_t>(index)) = std::u16string(text);
        writes.push_back(u"item " + std::u16string(text));
        if (losesSelection) {
            selection = -1;
            edit = u"";
        }
    }
    int selected() const override { return selection; }
    void select(int index) override
    {
        selection = index;
        writes.push_back(u"select " + std::u16string(1, char16_t(u'0' + index)));
    }
    std::optional<std::u16string> editText() const override { return edit; }
    void setEditText(std::u16string_view text) override
    {
        edit = text;
        writes.push_back(u"edit " + std::u16string(text));
    }
    std::vector<std::u16string> lines() const override { return SplitText(memo, memoBreak); }
    std::u16string_view lineBreak() const override { return memoBreak; }
    void setLines(std::u16string_view text) override
    {
        memo = text;
        writes.push_back(u"memo " + std::u16string(text));
    }
};

std::vector<std::u16string> translated(FakeControl& control, RecordingLookup recorder = {})
{
    TranslateControl(control, recorder.function());
    return recorder.asked;
}

} // namespace

TEST(WalkRules, BlankIsEmptyOrOnlyNulAndSpace)
{
    EXPECT_TRUE(IsBlank(u""));
    EXPECT_TRUE(IsBlank(u"  "));
    EXPECT_TRUE(IsBlank(u" \0 "sv));
    EXPECT_FALSE(IsBlank(u" a"));
    EXPECT_FALSE(IsBlank(u"\t"));
}

TEST(WalkRules, TheFirstRuleTheControlIsOfAppliesAndTheLastTakesAnyOther)
{
    FakeControl control;
    EXPECT_EQ(RuleFor(control), Rule::AnyOther);
    control.kinds = {Rule::TabSet, Rule::ComboBox, Rule::Memo};
    EXPECT_EQ(RuleFor(control), Rule::ComboBox);
    control.kinds = {Rule::KeyedDataGrid, Rule::DataGrid};
    EXPECT_EQ(RuleFor(control), Rule::KeyedDataGrid);
}

// Each rule's texts in its order: the lists first (a grid column by column,
// title, pick list, key list), then the caption where the rule has one,
// then the hint unless the rule leaves it.
TEST(WalkRules, EachRuleLooksUpItsTextsInItsOrder)
{
    const std::vector<std::u16string> items = {u"i0", u"i1", u"hint"};
    const std::map<Rule, std::vector<std::u16string>> expected = {
        {Rule::ListView, items},
        {Rule::TabControl, items},
        {Rule::DirectoryEdit, {u"i0", u"i1"}},
        {Rule::KeyedDataGrid, {u"i0", u"p0", u"k0", u"i1", u"hint"}},
        {Rule::DataGrid, {u"i0", u"p0", u"i1", u"hint"}},
        {Rule::ComboBox, items},
        {Rule::RadioGroup, {u"i0", u"i1", u"caption", u"hint"}},
        {Rule::Memo, {u"m0||m1", u"hint"}},
        {Rule::StatusBar, items},
        {Rule::TabSet, {u"i0", u"i1"}},
        {Rule::AnyOther, {u"caption", u"hint"}},
    };
    for (const auto& [rule, texts] : expected) {
        FakeControl control;
        if (rule != Rule::AnyOther) {
            control.kinds = {rule};
        }
        control.lists = {{{TextList::Items, 0}, {u"i0", u"i1"}},
                         {{TextList::PickList, 0}, {u"p0"}},
                         {{TextList::KeyList, 0}, {u"k0"}}};
        control.memo = u"m0\r\nm1";
        EXPECT_EQ(translated(control), texts) << int(rule);
        EXPECT_EQ(control.writes, std::vector<std::u16string>{}) << "an unchanged text was written";
    }
}

// A control's blank caption and hint are not looked up, a blank list text
// is, and so are a window's own caption and hint, blank or not.
TEST(WalkRules, BlankTextsAreLookedUpOnlyInListsAndAsAWindowsOwn)
{
    FakeControl label;
    label.captionText = u" \0 "sv;
    label.hintText = u"";
    EXPECT_EQ(translated(label), std::vector<std::u16string>{});

    FakeControl combo;
    combo.kinds = {Rule::ComboBox};
    combo.hintText = u"  ";
    combo.lists = {{{TextList::Items, 0}, {u"", u" "}}};
    EXPECT_EQ(translated(combo), (std::vector<std::u16string>{u"", u" "}));

    FakeControl window;
    window.kinds = {Rule::ComboBox}; // a window's own texts, whatever its kind
    window.captionText = u"  ";
    window.hintText = u"";
    RecordingLookup recorder{{{u"", u"empty"}}, {}};
    TranslateWindowTexts(window, recorder.function());
    EXPECT_EQ(recorder.asked, (std::vector<std::u16string>{u"  ", u""}));
    EXPECT_EQ(window.writes, std::vector<std::u16string>{u"hint empty"});
}

// Only a text the lookup changed is written back; a list text that cannot
// be read whole is neither looked up nor written.
TEST(WalkRules, OnlyChangedTextsAreWrittenAndUnreadableOnesAreLeftAlone)
{
    FakeControl bar;
    bar.kinds = {Rule::StatusBar};
    bar.lists = {{{TextList::Items, 0}, {std::nullopt, u"a", u"b"}}};
    EXPECT_EQ(translated(bar, {{{u"a", u"A"}, {u"hint", u"Hint"}}, {}}),
              (std::vector<std::u16string>{u"a", u"b", u"hint"}));
    EXPECT_EQ(bar.writes, (std::vector<std::u16string>{u"item A", u"hint Hint"}));
    EXPECT_EQ(bar.lists.at({TextList::Items, 0})[0], std::nullopt);
}

// A combo box, radio group or tab set keeps its selected item, and a combo
// box the text of its edit, while the items are renamed; what did not change
// is not set again.
TEST(WalkRules, TheSelectionAndTheEditTextStayWhileTheItemsAreRenamed)
{
    for (const Rule rule : {Rule::ComboBox, Rule::RadioGroup, Rule::TabSet}) {
        FakeControl control;
        control.kinds = {rule};
        control.lists = {{{TextList::Items, 0}, {u"a", u"b"}}};
        control.selection = 1;
        control.edit = u"typed";
        control.losesSelection = true;
        translated(control, {{{u"a", u"A"}}, {}});
        EXPECT_EQ(control.selection, 1) << int(rule);
        EXPECT_EQ(control.edit, u"typed") << int(rule);
        EXPECT_EQ(control.writes,
                  (std::vector<std::u16string>{u"item A", u"select 1", u"edit typed"}));

        control.losesSelection = false;
        control.writes.clear();
        translated(control, {{{u"A", u"B"}}, {}});
        EXPECT_EQ(control.writes, std::vector<std::u16string>{u"item B"}) << int(rule);
    }
    FakeControl noEdit;
    noEdit.kinds = {Rule::ComboBox};
    noEdit.lists = {{{TextList::Items, 0}, {u"a"}}};
    noEdit.losesSelection = true;
    translated(noEdit, {{{u"a", u"A"}}, {}});
    EXPECT_EQ(noEdit.writes, std::vector<std::u16string>{u"item A"})
        << "a combo box without an edit";
}

// A memo is looked up once, its lines joined by "||"; a line break at its
// very end opens no line. It gets the lines of the target, joined by its own
// line break, and is written only when they differ from its own.
TEST(WalkRules, AMemoIsLookedUpOnceAsItsLinesAndGetsTheLinesOfTheTarget)
{
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"a\r\nb", u"a||b"},
        {u"a\r\nb\r\n", u"a||b"},
        {u"a\r\n\r\nb", u"a||||b"},
        {u"", u""},
    };
    for (const auto& [text, joined] : cases) {
        FakeControl memo;
        memo.kinds = {Rule::Memo};
        memo.hintText = u"";
        memo.memo = text;
        EXPECT_EQ(translated(memo), std::vector<std::u16string>{joined});
        EXPECT_EQ(memo.writes, std::vector<std::u16string>{});
    }
    for (const std::u16string_view lineBreak : {u"\r\n"sv, u"\n"sv}) {
        FakeControl memo;
        memo.kinds = {Rule::Memo};
        memo.memoBreak = lineBreak;
        memo.memo = u"a" + std::u16string(lineBreak) + u"b";
        translated(memo, {{{u"a||b", u"x||y||z"}}, {}});
        const std::u16string expected =
            u"x" + std::u16string(lineBreak) + u"y" + std::u16string(lineBreak) + u"z";
        EXPECT_EQ(memo.memo, expected);
    }
}

// Without a lookup of its own, a control's texts go through the loaded
// dictionary, whose "||" become line breaks.
TEST(WalkRules, WithoutALookupTheLoadedDictionaryTranslates)
{
    testsupport::TempDir dir;
    const std::filesystem::path file = dir.path() / "Orvanel.Dic";
    std::ofstream(file, std::ios::binary) << "\"window\"=\"Window\"\r\n"
                                             "\"RUN\"=\"Start\"\r\n"
                                             "\"two||lines\"=\"Two||lines||here\"\r\n";
    LoadDictionary(file.string());
    FakeControl window;
    window.captionText = u"window";
    TranslateWindowTexts(window);
    FakeControl button;
    button.captionText = u"run";
    TranslateControl(button);
    FakeControl memo;
    memo.kinds = {Rule::Memo};
    memo.memo = u"two\r\nlines";
    TranslateControl(memo);
    LoadDictionary((dir.path() / "none").string());

    EXPECT_EQ(window.captionText, u"Window");
    EXPECT_EQ(button.captionText, u"Start");
    EXPECT_EQ(memo.memo, u"Two\r\nlines\r\nhere");
}
