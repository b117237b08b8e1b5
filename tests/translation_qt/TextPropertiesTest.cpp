#include "QtPrinting.h"
#include "translation/qt/FormTranslator.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

using translation::qt::CaptionProperty;
using translation::qt::GetTextProperty;
using translation::qt::SetTextProperty;

TEST(TextProperties, AnEditsTextIsNoCaption)
{
    QWidget window;
    auto* edit = new QLineEdit(QStringLiteral("текст"), &window);
    EXPECT_EQ(translation::qt::CaptionPropertyName(edit), nullptr);
    EXPECT_EQ(GetTextProperty(edit, CaptionProperty), "");
    SetTextProperty(edit, CaptionProperty, QStringLiteral("x"));
    EXPECT_EQ(edit->text(), "текст");
    // By its own name the property is an ordinary text property.
    EXPECT_EQ(GetTextProperty(edit, "text"), "текст");
}

TEST(TextProperties, AMissingReadOnlyOrNonTextPropertyReadsEmptyAndIsNeverWritten)
{
    QPushButton button(QStringLiteral("Кнопка"));
    button.setProperty("dynamicText", QStringLiteral("динамический"));
    EXPECT_EQ(GetTextProperty(&button, "noSuchProperty"), "");
    EXPECT_EQ(GetTextProperty(&button, "dynamicText"), "") << "only declared properties count";
    EXPECT_EQ(GetTextProperty(&button, "checkable"), "") << "a bool is no text";
    EXPECT_EQ(GetTextProperty(&button, "windowIconText"), "");

    SetTextProperty(&button, "noSuchProperty", QStringLiteral("x"));
    SetTextProperty(&button, "checkable", QStringLiteral("true"));
    EXPECT_FALSE(button.isCheckable());
    EXPECT_FALSE(button.property("noSuchProperty").isValid())
        << "writing a missing property must not create a dynamic one";

    QProgressBar bar;
    bar.setValue(bar.minimum());
    const QString shown = bar.text();
    SetTextProperty(&bar, "text", QStringLiteral("x"));
    EXPECT_EQ(bar.text(), shown);

    EXPECT_EQ(GetTextProperty(nullptr, CaptionProperty), "");
    SetTextProperty(nullptr, CaptionProperty, QStringLiteral("x"));
}
