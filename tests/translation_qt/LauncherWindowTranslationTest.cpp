// The launcher window shown with the English dictionary that ships with the
// program, and with a dictionary as older installations have them.
#include "BracketedDictionary.h"
#include "MapDictionary.h"
#include "QtPrinting.h"
#include "TFormGears.h"
#include "TranslatorKit.h"
#include "TzrRadioButton.h"
#include "launcher/window/WindowTexts.h"
#include "translation/Dictionary.h"
#include "translation/qt/FormTranslator.h"
#include "translation/qt/QtText.h"

#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using translation::qt::CaptionProperty;
using translation::qt::GetTextProperty;

namespace {

bool hasCyrillic(const QString& text)
{
    for (const QChar c : text) {
        if (c.script() == QChar::Script_Cyrillic) {
            return true;
        }
    }
    return false;
}

class LauncherWindowTranslation : public testing::Test
{
protected:
    void TearDown() override { translation::LoadDictionary(missing.path().toStdString() + "/x"); }

    // A window whose user reads Russian, so the notice is the form's own.
    std::unique_ptr<TFormGears> russianUsersWindow()
    {
        auto window = std::make_unique<TFormGears>();
        window->behaviour().setLanguageSource([] { return std::string("RUS"); });
        return window;
    }

    QTemporaryDir missing;
};

} // namespace

// The English dictionary puts every caption into English, and does so again
// at each showing; the pictures, which have no text, keep their pictures.
TEST_F(LauncherWindowTranslation, TheEnglishDictionaryPutsEveryCaptionIntoEnglishAtEachShowing)
{
    translation::LoadDictionary(DERIZE_ENGLISH_DICTIONARY);
    ASSERT_TRUE(translation::DictionaryLoaded()) << DERIZE_ENGLISH_DICTIONARY;
    const auto window = russianUsersWindow();
    window->show();

    EXPECT_EQ(window->windowTitle(), "ZEFRAN-DIVIZ program suite");
    EXPECT_EQ(window->findChild<QGroupBox*>("GroupBox1")->title(), "Calculation types");
    EXPECT_EQ(window->findChild<QPushButton*>("btnRun")->text(), "Run");
    EXPECT_EQ(window->kindButton(0)->text(), "External cylindrical gear pair");
    EXPECT_EQ(window->kindButton(7)->text(), "Toothed belt drive");
    EXPECT_EQ(window->findChild<QLabel*>("lblCopyright")->text(),
              "© 2026 the ZEFRAN-DIVIZ developers\r\n    All rights reserved.");
    for (QObject* component : translation::qt::OwnedComponents(window.get())) {
        const QString caption = GetTextProperty(component, CaptionProperty);
        EXPECT_FALSE(hasCyrillic(caption))
            << component->objectName().toStdString() << " still reads " << caption.toStdString();
    }
    EXPECT_FALSE(window->findChild<QLabel*>("AniImage")->pixmap().isNull());
    EXPECT_FALSE(window->findChild<QLabel*>("RxGIFAnimator1")->pixmap().isNull() &&
                 window->findChild<QLabel*>("RxGIFAnimator1")->movie() == nullptr);

    window->hide();
    auto* run = window->findChild<QPushButton*>("btnRun");
    run->setText(QStringLiteral("Выполнить"));
    window->setWindowTitle(QStringLiteral("Комплекс программ ЗЕФРАН-DIVIZ"));
    window->show();
    EXPECT_EQ(run->text(), "Run");
    EXPECT_EQ(window->windowTitle(), "ZEFRAN-DIVIZ program suite");
}

TEST_F(LauncherWindowTranslation, VisitsTheControlsOfTheWindowsDescriptionInItsOrder)
{
    const auto window = russianUsersWindow();
    QStringList names;
    for (const QObject* component : translation::qt::OwnedComponents(window.get())) {
        names << component->objectName();
    }
    EXPECT_EQ(names,
              QStringList({"lblCopyright", "Panel2", "AniImage", "Panel1", "RxGIFAnimator1",
                           "GroupBox1", "rbGear_Exc", "rbGear_Inc", "rbGear_Spb", "rbGear_Stb",
                           "rbWorm_Cyl", "rbChai_Rol", "rbBelt_Vee", "rbToothedBelt", "btnRun"}));
}

// Without a dictionary the window stays Russian; the English captions fit
// where the Russian ones did.
TEST_F(LauncherWindowTranslation, WithoutADictionaryTheWindowStaysRussianAndEnglishCaptionsFit)
{
    translation::LoadDictionary(missing.path().toStdString() + "/Orvanel.Dic");
    const auto russian = russianUsersWindow();
    russian->show();
    EXPECT_EQ(russian->windowTitle(), "Комплекс программ ЗЕФРАН-DIVIZ");
    EXPECT_EQ(russian->findChild<QPushButton*>("btnRun")->text(), "Выполнить");
    translation::LoadDictionary(DERIZE_ENGLISH_DICTIONARY);
    const auto english = russianUsersWindow();
    english->show();

    for (int kind = 0; kind < 8; ++kind) {
        const QAbstractButton* before = russian->kindButton(kind);
        const QAbstractButton* after = english->kindButton(kind);
        const QFontMetrics metrics(after->font());
        EXPECT_LE(metrics.horizontalAdvance(after->text()),
                  metrics.horizontalAdvance(before->text()))
            << after->text().toStdString() << " is wider than " << before->text().toStdString();
    }
    const auto* notice = english->findChild<QLabel*>("lblCopyright");
    EXPECT_LE(notice->geometry().right(), english->width())
        << "the notice runs past the window's right edge";
    const auto* run = english->findChild<QPushButton*>("btnRun");
    EXPECT_LE(run->fontMetrics().horizontalAdvance(run->text()), run->width());
}

TEST_F(LauncherWindowTranslation, AWindows1251DictionaryWithCrLfLinesRenamesTheWindow)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Orvanel.Dic"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\"\xca\xee\xec\xef\xeb\xe5\xea\xf1 \xef\xf0\xee\xe3\xf0\xe0\xec\xec "
               "\xc7\xc5\xd4\xd0\xc0\xcd-DIVIZ\"=\"Gear drive programs\"\r\n"
               "\"\xc2\xfb\xef\xee\xeb\xed\xe8\xf2\xfc\"=\"Go\"\r\n");
    file.close();

    translation::LoadDictionary(path.toStdString());
    const auto window = russianUsersWindow();
    window->show();
    EXPECT_EQ(window->windowTitle(), "Gear drive programs");
    EXPECT_EQ(window->findChild<QPushButton*>("btnRun")->text(), "Go");
}

TEST_F(LauncherWindowTranslation, LooksUpExactlyTheTextsTheCheckToolListsInItsOrder)
{
    const auto window = russianUsersWindow();
    BracketDictionary recorder;
    translation::qt::TranslateForm(window.get(), recorder.lookup());
    QStringList listed;
    for (const launcher::LookedUpText& text : launcher::launcherWindowLookups()) {
        listed << translation::qt::toQString(text.text);
    }
    EXPECT_EQ(recorder.asked(), listed);

    // Each control falls under the rule the list takes it to.
    for (QObject* component : translation::qt::OwnedComponents(window.get())) {
        const auto* description =
            launcher::findControlDescription(component->objectName().toStdString());
        ASSERT_NE(description, nullptr) << component->objectName().toStdString();
        EXPECT_EQ(translation::qt::ComponentRule(component), translation::Rule::AnyOther)
            << description->name;
    }
}

TEST_F(LauncherWindowTranslation, ADictionaryOfEveryListedTextLeavesTheWindowShowingOnlyTargets)
{
    testsupport::TempDir dir;
    testsupport::loadBracketedDictionary(dir);

    const auto window = russianUsersWindow();
    window->show();
    const auto isTarget = [](const QString& text) {
        return testsupport::isBracketed(translation::qt::toU16View(text));
    };
    EXPECT_TRUE(isTarget(window->windowTitle())) << window->windowTitle().toStdString();
    EXPECT_EQ(window->toolTip(), "[]");
    for (QObject* component : translation::qt::OwnedComponents(window.get())) {
        for (const char* property : {CaptionProperty, translation::qt::HintProperty}) {
            const QString text = GetTextProperty(component, property);
            EXPECT_TRUE(translation::IsBlank(translation::qt::toU16View(text)) || isTarget(text))
                << component->objectName().toStdString() << " shows " << text.toStdString();
        }
    }
    EXPECT_EQ(window->findChild<QLabel*>("lblCopyright")->text(),
              "[© 2026 разработчики ZEFRAN-DIVIZ\r\n    Все права защищены.]");
}
