// The aligned radio button on Qt: its properties, the native style bits it
// carries (the rule itself is tested in tests/window), when the style is
// applied again, and how it draws.
#include "TzrRadioButton.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using R = TzrRadioButton;
namespace BS = launcher::ButtonStyle;

TEST(TzrRadioButton, StartsLeftTopWrappedAndNormalWithTheStyleBitsOfThose)
{
    R button;
    EXPECT_EQ(button.property("HorizontalAlignment").value<R::TAlignment>(), R::taLeftJustify);
    EXPECT_EQ(button.property("VerticalAlignment").value<R::TVertAlignment>(), R::vaTopJustify);
    EXPECT_EQ(button.property("WordWrap").toBool(), true);
    EXPECT_EQ(button.property("Style").value<R::TStyle>(), R::vsNormal);
    EXPECT_EQ(button.nativeStyle(), BS::RadioButton | BS::Left | BS::Top | BS::MultiLine);
}

TEST(TzrRadioButton, SameValueChangesNothingAnotherValueReappliesTheStyle)
{
    R button;
    button.setWordWrap(true);
    button.setHorizontalAlignment(R::taLeftJustify);
    button.setVerticalAlignment(R::vaTopJustify);
    button.setProperty("Style", QVariant::fromValue(R::vsNormal));
    EXPECT_EQ(button.styleRecreations(), 0) << "setting a property to its value must do nothing";

    button.setWordWrap(false);
    EXPECT_EQ(button.styleRecreations(), 1);
    EXPECT_EQ(button.nativeStyle() & BS::MultiLine, 0u);
    button.setWordWrap(false);
    EXPECT_EQ(button.styleRecreations(), 1);

    EXPECT_TRUE(button.setProperty("Style", QVariant::fromValue(R::vsPushButton)));
    EXPECT_TRUE(button.setProperty("HorizontalAlignment", QVariant::fromValue(R::taRightJustify)));
    EXPECT_TRUE(button.setProperty("VerticalAlignment", QVariant::fromValue(R::vaBottomJustify)));
    EXPECT_EQ(button.styleRecreations(), 4);
    EXPECT_EQ(button.nativeStyle(), BS::RadioButton | BS::Right | BS::Bottom | BS::PushLike);
}

QImage render(R& button)
{
    QImage image(button.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    button.render(&image);
    return image;
}

// First and last rows that hold a dark (text) pixel right of the indicator.
std::pair<int, int> textRows(const QImage& image, int fromX)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = fromX; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 100) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

TEST(TzrRadioButton, DrawsItsTextWrappedAndAlignedAsSet)
{
    R button(QStringLiteral("Цилиндрическая передача внешнего зацепления"));
    button.resize(140, 80);
    const auto top = textRows(render(button), 30);
    button.setVerticalAlignment(R::vaBottomJustify);
    const auto bottom = textRows(render(button), 30);
    ASSERT_GE(top.first, 0) << "no text drawn";
    EXPECT_GT(top.second - top.first, button.fontMetrics().height())
        << "a long text wraps onto more lines";
    EXPECT_LT(top.first, 10) << "top alignment starts at the top";
    EXPECT_GT(bottom.second, button.height() - 10) << "bottom alignment ends at the bottom";

    button.setWordWrap(false);
    button.setVerticalAlignment(R::vaCenter);
    const auto single = textRows(render(button), 30);
    EXPECT_LE(single.second - single.first, button.fontMetrics().height())
        << "without word wrap the text stays on one line";
}

TEST(TzrRadioButton, PushLikeLooksPressedWhenCheckedAndAnswersOnItsWholeArea)
{
    R button(QStringLiteral("Run"));
    button.resize(120, 30);
    button.setButtonStyle(R::vsPushButton);
    const QImage up = render(button);
    button.setChecked(true);
    EXPECT_NE(render(button), up) << "a checked push-like button must look pressed";

    R other(QStringLiteral("x"));
    other.resize(300, 20);
    QTest::mouseClick(&other, Qt::LeftButton, {}, QPoint(290, 10));
    EXPECT_TRUE(other.isChecked()) << "a click anywhere on the control checks it";

    R flat(QStringLiteral("x"));
    flat.resize(100, 20);
    const QImage normal = render(flat);
    flat.setButtonStyle(R::vsFlat);
    EXPECT_NE(render(flat), normal) << "the flat look differs from the normal one";
}

} // namespace
