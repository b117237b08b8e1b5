// The Qt translator over a window built with one control of each kind the
// rules know: that it reads and writes each kind's texts, walks the window's
// controls in their order and raises no change of a selection. The rules
// themselves are tested once, over plain data
// (tests/dictionary/WalkRulesTest.cpp).
#include "FixtureControls.h"
#include "MapDictionary.h"
#include "QtPrinting.h"
#include "TestWindow.h"
#include "translation/qt/FormTranslator.h"

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <gtest/gtest.h>

using translation::qt::TranslateComponent;
using translation::qt::TranslateForm;

namespace {

// The texts of a list of `count` items, each read by `text`.
template <class Text>
QStringList texts(int count, Text text)
{
    QStringList result;
    for (int i = 0; i < count; ++i) {
        result << text(i);
    }
    return result;
}

QStringList headerTexts(const QTreeWidget* tree)
{
    return texts(tree->columnCount(), [&](int i) { return tree->headerItem()->text(i); });
}

QStringList tabTexts(const QTabBar* bar)
{
    return texts(bar->count(), [&](int i) { return bar->tabText(i); });
}

QStringList itemTexts(const QComboBox* combo)
{
    return texts(combo->count(), [&](int i) { return combo->itemText(i); });
}

} // namespace

// Every text each kind of control carries is looked up, once, in the order of
// the window's controls; blank captions and hints are not, list texts are
// even when blank, and the window's empty hint is. The texts each rule names
// are replaced and nothing else; every selection stays, and no change of one
// is reported.
TEST(TranslateForm, LooksUpEachTextOnceInOrderReplacesWhatTheRulesNameAndKeepsSelections)
{
    const auto window = makeTestWindow();
    const QMainWindow* w = window.get();
    auto* cbKind = child<QComboBox>(w, "cbKind");
    auto* cbEditable = child<QComboBox>(w, "cbEditable");
    auto* rgMode = child<TRadioGroup>(w, "rgMode");
    auto* pcPages = child<QTabWidget>(w, "pcPages");
    auto* tbSet = child<QTabBar>(w, "tbSet");
    QSignalSpy kindIndex(cbKind, &QComboBox::currentIndexChanged);
    QSignalSpy kindActivated(cbKind, &QComboBox::activated);
    QSignalSpy editableIndex(cbEditable, &QComboBox::currentIndexChanged);
    QSignalSpy editableText(cbEditable, &QComboBox::editTextChanged);
    QSignalSpy editableCurrentText(cbEditable, &QComboBox::currentTextChanged);
    QSignalSpy modeIndex(rgMode, &TRadioGroup::itemIndexChanged);
    QSignalSpy pageIndex(pcPages, &QTabWidget::currentChanged);
    QSignalSpy setIndex(tbSet, &QTabBar::currentChanged);
    BracketDictionary dictionary;
    TranslateForm(window.get(), dictionary.lookup());

    const QStringList expected = {
        "Окно",
        "", // window title and empty hint
        "Открыть",
        "Открыть файл",
        "Выход", // actions
        "Имя",
        "Размер",
        "Список файлов", // list view
        "Столбец",
        "", // table without a second title
        "Первая",
        "Вторая",
        "Страницы",            // tab control
        "Надпись на странице", // label on a tab page
        "Поля",                // group box
        "Выберите папку",
        "Обзор",     // folder-name edit
        "Имя файла", // an edit's hint, not its text
        "Первый",
        "Второй",
        "",
        "Вид", // combo box with a blank item
        "Первый",
        "Второй", // editable combo box
        "Третий", // derived combo box
        "Быстро",
        "Точно",
        "Режим",
        "Выбор режима", // radio group
        "a||b",         // memo
        "Деталь",
        "Вал",
        "Ось",
        "вал",
        "ось",
        "Таблица", // grid with lookup columns
        "Материал",
        "Сталь", // grid
        "Один",
        "Два", // tab set, without its hint
        "Выполнить",
        "Запустить", // button
        "Файл",      // menu
        "Готово",
        "Строка 1",
        "Состояние", // status bar panels and hint
    };
    EXPECT_EQ(dictionary.asked(), expected);

    EXPECT_EQ(w->windowTitle(), "[Окно]");
    EXPECT_EQ(w->toolTip(), "[]");
    EXPECT_EQ(child<QAction>(w, "actOpen")->text(), "[Открыть]");
    EXPECT_EQ(child<QAction>(w, "actOpen")->toolTip(), "[Открыть файл]");
    EXPECT_EQ(child<QMenu>(w, "menuFile")->title(), "[Файл]");

    const auto* lvFiles = child<QTreeWidget>(w, "lvFiles");
    EXPECT_EQ(headerTexts(lvFiles), QStringList({"[Имя]", "[Размер]"}));
    EXPECT_EQ(lvFiles->topLevelItem(0)->text(0), "Размер") << "list items are not translated";
    EXPECT_EQ(lvFiles->toolTip(), "[Список файлов]");
    const auto* lvTable = child<QTableWidget>(w, "lvTable");
    EXPECT_EQ(lvTable->horizontalHeaderItem(0)->text(), "[Столбец]");
    ASSERT_NE(lvTable->horizontalHeaderItem(1), nullptr);
    EXPECT_EQ(lvTable->horizontalHeaderItem(1)->text(), "[]");
    EXPECT_EQ(lvTable->item(0, 0)->text(), "Столбец");

    EXPECT_EQ(tabTexts(pcPages->tabBar()), QStringList({"[Первая]", "[Вторая]"}));
    EXPECT_EQ(pcPages->toolTip(), "[Страницы]");
    EXPECT_EQ(child<QLabel>(w, "lblOnPage")->text(), "[Надпись на странице]");
    EXPECT_EQ(child<QGroupBox>(w, "gbEdits")->title(), "[Поля]");

    const auto* deFolder = child<TDirectoryEdit>(w, "deFolder");
    EXPECT_EQ(deFolder->dialogText(), "[Выберите папку]");
    EXPECT_EQ(deFolder->buttonHint(), "[Обзор]");
    EXPECT_EQ(deFolder->toolTip(), "Папка") << "a folder-name edit's own hint stays";
    EXPECT_EQ(deFolder->text(), "Папка");

    EXPECT_EQ(child<QLineEdit>(w, "edName")->text(), "Имя") << "an edit's text is no caption";
    EXPECT_EQ(child<QLineEdit>(w, "edName")->toolTip(), "[Имя файла]");
    EXPECT_EQ(itemTexts(child<QComboBox>(w, "cbKind")),
              QStringList({"[Первый]", "[Второй]", "[]"}));
    EXPECT_EQ(itemTexts(cbEditable), QStringList({"[Первый]", "[Второй]"}));
    EXPECT_EQ(cbEditable->currentText(), "Первый") << "a combo box's edit text stays";
    EXPECT_EQ(itemTexts(child<DerivedComboBox>(w, "cbDerived")), QStringList({"[Третий]"}));

    EXPECT_EQ(rgMode->items(), QStringList({"[Быстро]", "[Точно]"}));
    EXPECT_EQ(rgMode->title(), "[Режим]");
    EXPECT_EQ(rgMode->toolTip(), "[Выбор режима]");
    EXPECT_EQ(child<QPlainTextEdit>(w, "mmNotes")->toPlainText(), "[a\nb]");

    const auto* grdKeyed = child<TKeyedDataGrid>(w, "grdKeyed");
    EXPECT_EQ(grdKeyed->columnTitle(0), "[Деталь]");
    EXPECT_EQ(grdKeyed->pickList(0), QStringList({"[Вал]", "[Ось]"}));
    EXPECT_EQ(grdKeyed->keyList(0), QStringList({"[вал]", "[ось]"}));
    const auto* grdPlain = child<TDataGrid>(w, "grdPlain");
    EXPECT_EQ(grdPlain->columnTitle(0), "[Материал]");
    EXPECT_EQ(grdPlain->pickList(0), QStringList({"[Сталь]"}));

    EXPECT_EQ(tabTexts(tbSet), QStringList({"[Один]", "[Два]"}));
    EXPECT_EQ(tbSet->toolTip(), "Закладки") << "a tab set's hint stays";
    EXPECT_EQ(child<QLabel>(w, "lblBlank")->text(), "  ");
    EXPECT_EQ(child<QLabel>(w, "lblNul")->text(), QString(QChar(u'\0')) + " ");
    EXPECT_EQ(child<QPushButton>(w, "btnRun")->text(), "[Выполнить]");

    const auto* sbMain = child<TStatusBar>(w, "sbMain");
    EXPECT_EQ(sbMain->panelText(0), "[Готово]");
    EXPECT_EQ(sbMain->panelText(1), "[Строка 1]");
    EXPECT_EQ(sbMain->simpleText(), "Простой текст");
    EXPECT_EQ(sbMain->toolTip(), "[Состояние]");

    // Every selection as it was, and no change of one reported.
    EXPECT_EQ(cbKind->currentIndex(), 1);
    EXPECT_EQ(cbKind->currentText(), "[Второй]");
    EXPECT_EQ(cbEditable->currentIndex(), 0);
    EXPECT_EQ(rgMode->itemIndex(), 1);
    EXPECT_EQ(pcPages->currentIndex(), 1);
    EXPECT_EQ(tbSet->currentIndex(), 1);
    EXPECT_EQ(kindIndex.count(), 0);
    EXPECT_EQ(kindActivated.count(), 0);
    EXPECT_EQ(editableIndex.count(), 0);
    EXPECT_EQ(editableText.count(), 0) << "the edit text was reported as edited";
    EXPECT_EQ(editableCurrentText.count(), 0) << "the edit text was reported as changed";
    EXPECT_EQ(modeIndex.count(), 0);
    EXPECT_EQ(pageIndex.count(), 0);
    EXPECT_EQ(setIndex.count(), 0);
}

TEST(TranslateForm, EachShowingTranslatesAgainSoATranslatedSourceIsReplacedOnceMore)
{
    const auto window = makeTestWindow();
    MapDictionary dictionary{{"Выполнить", "Run"}, {"Run", "Start"}, {"Окно", "Window"}};
    auto* btnRun = child<QPushButton>(window.get(), "btnRun");

    TranslateForm(window.get(), dictionary.lookup());
    EXPECT_EQ(btnRun->text(), "Run");
    EXPECT_EQ(window->windowTitle(), "Window");
    TranslateForm(window.get(), dictionary.lookup());
    EXPECT_EQ(btnRun->text(), "Start");
    EXPECT_EQ(window->windowTitle(), "Window");
}

TEST(TranslateComponent, AMemoIsLookedUpOnceAsAllItsLinesAndGetsTheLinesOfTheTarget)
{
    QPlainTextEdit memo(QStringLiteral("a\nb"));
    MapDictionary dictionary{{"a||b", "x||y||z"}};
    TranslateComponent(&memo, dictionary.lookup());
    EXPECT_EQ(dictionary.asked(), QStringList({"a||b"}));
    EXPECT_EQ(memo.blockCount(), 3);
    EXPECT_EQ(memo.toPlainText(), "x\ny\nz");

    // A rich-text memo reads its line breaks the same way.
    QTextEdit rich;
    rich.setHtml(QStringLiteral("<p>a<br>b</p><p>c</p>"));
    MapDictionary richDictionary{{"a||b||c", "one||two"}};
    TranslateComponent(&rich, richDictionary.lookup());
    EXPECT_EQ(richDictionary.asked(), QStringList({"a||b||c"}));
    EXPECT_EQ(rich.toPlainText(), "one\ntwo");

    // A final line break opens no line; without an entry the text stays
    // exactly as it was.
    QPlainTextEdit unknown(QStringLiteral("a\nb\n"));
    MapDictionary empty{};
    TranslateComponent(&unknown, empty.lookup());
    EXPECT_EQ(empty.asked(), QStringList({"a||b"}));
    EXPECT_EQ(unknown.toPlainText(), "a\nb\n");
}

TEST(TranslateForm, AControlDeletedByASlotOnTheWayIsSkipped)
{
    const auto window = makeTestWindow();
    auto* btnRun = child<QPushButton>(window.get(), "btnRun");
    QObject::connect(child<QComboBox>(window.get(), "cbKind"), &QComboBox::currentTextChanged,
                     btnRun, [btnRun] { delete btnRun; });
    BracketDictionary dictionary;
    TranslateForm(window.get(), dictionary.lookup());
    EXPECT_EQ(window->findChild<QPushButton*>("btnRun"), nullptr);
    EXPECT_FALSE(dictionary.asked().contains("Выполнить"));
    EXPECT_EQ(child<TStatusBar>(window.get(), "sbMain")->panelText(0), "[Готово]");
}
