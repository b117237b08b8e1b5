// What both windows are drawn from: the window's description, the radio button's
// style bits and the copyright notices.
#include "launcher/window/WindowDescription.h"

#include "launcher/CalculationKinds.h"
#include "launcher/window/RadioButtonStyle.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using launcher::ControlClass;
using launcher::ControlDescription;
using launcher::LauncherControlDescriptions;

std::size_t count(std::string_view text, std::string_view part)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

TEST(CopyrightNotice, TextsAreTwoLinesWithTheirOwnLineBreakAndIndent)
{
    const std::string_view russian = launcher::russianCopyrightNotice();
    const std::string_view english = launcher::englishCopyrightNotice();
    ASSERT_EQ(count(russian, "\r\n"), 1u) << russian;
    EXPECT_EQ(count(russian, "\n"), 1u);
    EXPECT_EQ(count(russian, "\r"), 1u);
    EXPECT_TRUE(count(russian, "\r\n    ") == 1 && count(russian, "\r\n     ") == 0)
        << "the second Russian line is indented by four spaces";
    EXPECT_EQ(russian.substr(0, russian.find("\r")), "© 2026 разработчики ZEFRAN-DIVIZ");

    ASSERT_EQ(count(english, "\r"), 1u) << english;
    EXPECT_EQ(count(english, "\n"), 0u) << "the English notice breaks at a lone CR";
    EXPECT_TRUE(count(english, "\r   ") == 1 && count(english, "\r    ") == 0)
        << "the second English line is indented by three spaces";
    EXPECT_EQ(english, "© 2026 the ZEFRAN-DIVIZ developers\r   All rights reserved.");
}

TEST(CopyrightNotice, OnlyRussianInAnyLetterCaseKeepsTheRussianNotice)
{
    for (const char* russian : {"RUS", "rus", "Rus", "rUs"}) {
        EXPECT_TRUE(launcher::keepsRussianNotice(russian)) << russian;
    }
    for (const char* other : {"", "ENU", "EN", "DEU", "RU", "RUSS", " RUS"}) {
        EXPECT_FALSE(launcher::keepsRussianNotice(other)) << '"' << other << '"';
    }
    EXPECT_FALSE(launcher::keepsRussianNotice(std::string("RUS\0", 4)));
    // Only ASCII letters change case: a Cyrillic or Latin-1 look-alike is
    // another language.
    EXPECT_FALSE(launcher::keepsRussianNotice("RU\xD0\xA1")); // "RU" + Cyrillic "С"
}

TEST(RadioButtonStyle, StyleBitsFollowTheTable)
{
    using launcher::TAlignment;
    using launcher::TStyle;
    using launcher::TVertAlignment;
    // Every replaced bit set in the base, plus BS_NOTIFY and a window bit
    // that must survive.
    const std::uint32_t base = 0x10000000 | 0x4000 | 0xBF00 | 0x0009;
    const std::uint32_t kept = 0x10000000 | 0x4000 | 0x0009;
    struct Row
    {
        TAlignment h;
        TVertAlignment v;
        bool wrap;
        TStyle style;
        std::uint32_t added;
    };
    const Row rows[] = {
        {TAlignment::taLeftJustify, TVertAlignment::vaTopJustify, false, TStyle::vsNormal,
         0x0100 | 0x0400},
        {TAlignment::taRightJustify, TVertAlignment::vaTopJustify, false, TStyle::vsNormal,
         0x0200 | 0x0400},
        {TAlignment::taCenter, TVertAlignment::vaTopJustify, false, TStyle::vsNormal,
         0x0300 | 0x0400},
        {TAlignment::taLeftJustify, TVertAlignment::vaCenter, false, TStyle::vsNormal,
         0x0100 | 0x0C00},
        {TAlignment::taLeftJustify, TVertAlignment::vaBottomJustify, false, TStyle::vsNormal,
         0x0100 | 0x0800},
        {TAlignment::taLeftJustify, TVertAlignment::vaTopJustify, true, TStyle::vsNormal,
         0x0100 | 0x0400 | 0x2000},
        {TAlignment::taLeftJustify, TVertAlignment::vaTopJustify, false, TStyle::vsFlat,
         0x0100 | 0x0400 | 0x8000},
        {TAlignment::taLeftJustify, TVertAlignment::vaTopJustify, false, TStyle::vsPushButton,
         0x0100 | 0x0400 | 0x1000},
        {TAlignment::taCenter, TVertAlignment::vaCenter, true, TStyle::vsPushButton,
         0x0300 | 0x0C00 | 0x2000 | 0x1000},
    };
    for (const Row& row : rows) {
        const launcher::RadioButtonProperties properties{row.h, row.v, row.wrap, row.style};
        EXPECT_EQ(launcher::radioButtonStyle(base, properties), kept | row.added)
            << std::hex << "expected bits 0x" << (kept | row.added);
        EXPECT_EQ(launcher::radioButtonStyle(0, properties), row.added);
    }
    // The kind buttons' own settings on the standard radio button.
    EXPECT_EQ(launcher::radioButtonStyle(launcher::ButtonStyle::RadioButton, {}),
              0x0004u | 0x0100 | 0x0400 | 0x2000);
}

// The kind buttons are the kind table's rows: one group, the first checked
// and the group's one tab stop.
TEST(WindowDescription, KindButtonsAreTheKindTableInItsOrder)
{
    std::vector<std::string_view> buttons;
    for (const ControlDescription& control : LauncherControlDescriptions) {
        if (control.controlClass == ControlClass::KindButton) {
            buttons.push_back(control.name);
            EXPECT_EQ(control.parent, "GroupBox1") << control.name;
        }
        EXPECT_EQ(control.checked, control.name == "rbGear_Exc") << control.name;
        EXPECT_TRUE(control.tabStop == control.checked || control.name == "btnRun") << control.name;
    }
    ASSERT_EQ(buttons.size(), launcher::KindCount);
    for (std::size_t i = 0; i < launcher::KindCount; ++i) {
        EXPECT_EQ(buttons[i], launcher::CalculationKinds[i].buttonName) << "kind index " << i;
    }
    const ControlDescription& toothedBelt = *launcher::findControlDescription("rbToothedBelt");
    EXPECT_EQ(toothedBelt.text, "Зубчато-ременная передача");
    EXPECT_EQ(toothedBelt.rect, (launcher::ControlRect{9, 212, 316, 17}));
    EXPECT_EQ(launcher::findControlDescription(launcher::CalculationKinds.back().buttonName) + 1,
              launcher::findControlDescription("btnRun"))
        << "Run follows the kinds";
}

TEST(WindowDescription, ParentsComeFirstAndSiblingsInTabOrderFromZero)
{
    std::set<std::string_view> created;
    std::map<std::string_view, std::vector<int>> tabOrders;
    for (const ControlDescription& control : LauncherControlDescriptions) {
        EXPECT_TRUE(control.parent.empty() || created.count(control.parent) == 1)
            << control.name << " comes before its parent " << control.parent;
        EXPECT_TRUE(created.insert(control.name).second) << control.name << " twice";
        EXPECT_EQ(launcher::findControlDescription(control.name), &control);
        EXPECT_GT(control.rect.width, 0) << control.name;
        EXPECT_GT(control.rect.height, 0) << control.name;
        if (control.tabOrder >= 0) {
            tabOrders[control.parent].push_back(control.tabOrder);
        }
    }
    // In creation order, as both windows' focus chains follow it.
    for (const auto& [parent, orders] : tabOrders) {
        for (std::size_t i = 0; i < orders.size(); ++i) {
            EXPECT_EQ(orders[i], static_cast<int>(i)) << "among the children of '" << parent << "'";
        }
    }
    EXPECT_EQ(launcher::findControlDescription("FormGears"), nullptr)
        << "the window is not a control";
    EXPECT_EQ(launcher::findControlDescription("btnrun"), nullptr) << "names are case-sensitive";
    ASSERT_NE(launcher::findControlDescription("lblCopyright"), nullptr);
    EXPECT_EQ(launcher::findControlDescription("lblCopyright")->text,
              launcher::russianCopyrightNotice());
}

} // namespace
