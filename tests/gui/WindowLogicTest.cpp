// The window's rules that need no window: which notice a language keeps,
// how a caption is shown, and the window animation around a show.
#include "CopyrightNotices.h"
#include "ShadowLabel.h"
#include "WindowAnimationSwitch.h"
#include "platform/Animation.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(CopyrightNotice, OnlyRussianInAnyLetterCaseKeepsTheRussianNotice)
{
    for (const char* russian : {"RUS", "rus", "Rus", "rUs"}) {
        EXPECT_TRUE(launcher::keepsRussianNotice(russian)) << russian;
    }
    for (const char* other : {"", "ENU", "EN", "DEU", "RU", "RUSS", " RUS"}) {
        EXPECT_FALSE(launcher::keepsRussianNotice(other)) << '"' << other << '"';
    }
    EXPECT_FALSE(launcher::keepsRussianNotice(std::string("RUS\0", 4)));
}

TEST(CopyrightNotice, TextsAreTwoLinesWithTheirOwnLineBreakAndIndent)
{
    const QString russian = launcher::russianCopyrightNotice();
    const QString english = launcher::englishCopyrightNotice();
    ASSERT_EQ(russian.count(QLatin1String("\r\n")), 1) << qPrintable(russian);
    EXPECT_EQ(russian.count(QLatin1Char('\n')), 1);
    EXPECT_TRUE(russian.contains(QLatin1String("\r\n    ")) &&
                !russian.contains(QLatin1String("\r\n     ")))
        << "the second Russian line is indented by four spaces";
    EXPECT_TRUE(russian.contains(QStringLiteral("ZEFRAN-DIVIZ")));

    ASSERT_EQ(english.count(QLatin1Char('\r')), 1) << qPrintable(english);
    EXPECT_FALSE(english.contains(QLatin1Char('\n'))) << "the English notice breaks at a lone CR";
    EXPECT_TRUE(english.contains(QLatin1String("\r   ")) &&
                !english.contains(QLatin1String("\r    ")))
        << "the second English line is indented by three spaces";
    EXPECT_TRUE(english.contains(QStringLiteral("the ZEFRAN-DIVIZ developers")));
}

TEST(ShadowLabelText, CarriageReturnsBreakLinesOnlyForDisplay)
{
    EXPECT_EQ(ShadowLabel::displayText(QStringLiteral("a\r\n    b")), QStringLiteral("a\n    b"));
    EXPECT_EQ(ShadowLabel::displayText(QStringLiteral("a\r   b")), QStringLiteral("a\n   b"));
    EXPECT_EQ(ShadowLabel::displayText(QStringLiteral("a\n\rb\r\r\n")),
              QStringLiteral("a\n\nb\n\n"));
    EXPECT_EQ(ShadowLabel::displayText(QStringLiteral("a && b")), QStringLiteral("a && b"));
}

// Records what is done to the setting, and when the window is shown.
class FakeAnimation final : public platform::WindowAnimation
{
public:
    FakeAnimation(bool readable, int value) : m_readable(readable), m_value(value) {}
    bool query(int& value) override
    {
        events.push_back("query");
        value = m_value;
        return m_readable;
    }
    void set(int value) override { events.push_back("set " + std::to_string(value)); }

    std::vector<std::string> events;

private:
    bool m_readable;
    int m_value;
};

std::vector<std::string> showWith(FakeAnimation& animation)
{
    launcher::showWithoutAnimation(animation, [&] { animation.events.push_back("show"); });
    return animation.events;
}

TEST(WindowAnimation, AnimationOnIsSwitchedOffAroundTheShowAndBackOnAfter)
{
    FakeAnimation on(true, 1);
    EXPECT_EQ(showWith(on), (std::vector<std::string>{"query", "set 0", "show", "set -1"}));
}

TEST(WindowAnimation, AnimationOffOrUnreadableIsNotTouched)
{
    FakeAnimation off(true, 0);
    EXPECT_EQ(showWith(off), (std::vector<std::string>{"query", "show"}));
    // A failed query says nothing about the value it left behind.
    FakeAnimation unreadable(false, 1);
    EXPECT_EQ(showWith(unreadable), (std::vector<std::string>{"query", "show"}));
}

} // namespace
