#include "TestPrinting.h"
#include "translation/FormTranslator.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

using translation::CaptionProperty;
using translation::GetTextProperty;
using translation::HintProperty;
using translation::SetTextProperty;

TEST(TextProperties, CaptionIsTheClassesOwnTextProperty)
{
    QWidget window;
    window.setWindowTitle(QStringLiteral("Окно"));
    auto* group = new QGroupBox(QStringLiteral("Группа"), &window);
    auto* button = new QPushButton(QStringLiteral("Кнопка"), group);
    auto* label = new QLabel(QStringLiteral("Надпись"), group);
    QAction action(QStringLiteral("Действие"));
    QMenu menu(QStringLiteral("Меню"));

    EXPECT_EQ(GetTextProperty(&window, CaptionProperty), "Окно");
    EXPECT_EQ(GetTextProperty(group, CaptionProperty), "Группа");
    EXPECT_EQ(GetTextProperty(button, CaptionProperty), "Кнопка");
    EXPECT_EQ(GetTextProperty(label, CaptionProperty), "Надпись");
    EXPECT_EQ(GetTextProperty(&action, CaptionProperty), "Действие");
    EXPECT_EQ(GetTextProperty(&menu, CaptionProperty), "Меню");

    SetTextProperty(&window, CaptionProperty, QStringLiteral("Window"));
    SetTextProperty(group, CaptionProperty, QStringLiteral("Group"));
    SetTextProperty(button, HintProperty, QStringLiteral("Press"));
    EXPECT_EQ(window.windowTitle(), "Window");
    EXPECT_EQ(group->title(), "Group");
    EXPECT_EQ(button->toolTip(), "Press");
    EXPECT_EQ(GetTextProperty(button, HintProperty), "Press");
}

TEST(TextProperties, AnEditsTextIsNoCaption)
{
    QWidget window;
    auto* edit = new QLineEdit(QStringLiteral("текст"), &window);
    EXPECT_EQ(translation::CaptionPropertyName(edit), nullptr);
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

TEST(TextProperties, AnActionsMadeUpTooltipIsNoHint)
{
    QAction plain(QStringLiteral("&Открыть..."));
    EXPECT_FALSE(plain.toolTip().isEmpty()) << "Qt makes a tooltip up from the text";
    EXPECT_EQ(GetTextProperty(&plain, HintProperty), "");

    QAction hinted(QStringLiteral("Открыть"));
    hinted.setToolTip(QStringLiteral("Открыть файл"));
    EXPECT_EQ(GetTextProperty(&hinted, HintProperty), "Открыть файл");
}
