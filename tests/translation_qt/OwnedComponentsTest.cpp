#include "FixtureControls.h"
#include "QtPrinting.h"
#include "TestWindow.h"
#include "translation/qt/FormTranslator.h"

#include <QAction>
#include <QActionGroup>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using translation::qt::OwnedComponents;

namespace {

QStringList names(const QList<QObject*>& objects)
{
    QStringList result;
    for (const QObject* object : objects) {
        result << object->objectName();
    }
    return result;
}

template <class T, class... Args>
T* named(const char* name, Args&&... args)
{
    auto* object = new T(std::forward<Args>(args)...);
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

// A class derived without Q_OBJECT of its own: it has its base's meta-object.
template <class Base>
class Derived : public Base
{
public:
    using Base::Base;
};

} // namespace

TEST(OwnedComponents, AreTheNamedWidgetsAndActionsInCreationOrderWithoutTheirOwnParts)
{
    const auto window = makeTestWindow();
    const QStringList expected = {
        "actOpen",     "actQuit",  "centralWidget", "panelTop",  "lvFiles",  "lvTable",
        "pcPages",     "tsFirst",  "lblOnPage",     "tsSecond",  "gbEdits",  "deFolder",
        "edName",      "cbKind",   "cbEditable",    "cbDerived", "rgMode",   "mmNotes",
        "panelBottom", "grdKeyed", "grdPlain",      "tbSet",     "lblBlank", "lblNul",
        "btnRun",      "menuBar",  "menuFile",      "sbMain"};
    EXPECT_EQ(names(OwnedComponents(window.get())), expected);
}

// Qt's composite widgets make scroll bars, viewports, headers, inner edits,
// buttons and pages' containers of their own; none of them is visited, while
// what the window's description put into scroll areas, tool boxes, stacks,
// splitters, docks and action groups is.
TEST(OwnedComponents, LookThroughContainersButNeverIntoTheirOwnParts)
{
    QMainWindow window;
    auto* central = named<QWidget>("central", &window);
    auto* layout = new QVBoxLayout(central);
    auto* scroll = named<QScrollArea>("scroll", central);
    auto* contents = named<QWidget>("scrollContents");
    named<QLabel>("labelInScroll", "x", contents);
    scroll->setWidget(contents);
    layout->addWidget(scroll);
    auto* toolBox = named<QToolBox>("toolBox", central);
    toolBox->addItem(named<QLabel>("toolPage", "page"), QStringLiteral("Page"));
    auto* stack = named<QStackedWidget>("stack", central);
    stack->addWidget(named<QLabel>("stackPage", "page"));
    auto* splitter = named<QSplitter>("splitter", central);
    splitter->addWidget(named<QLabel>("left", "left", splitter));
    named<QSpinBox>("spin", central);
    named<QDateEdit>("date", central);
    named<QCalendarWidget>("calendar", central);
    named<QDialogButtonBox>("buttons", QDialogButtonBox::Ok | QDialogButtonBox::Cancel, central);
    named<QFontComboBox>("fonts", central)->setEditable(true);
    named<QTextBrowser>("browser", central);
    named<TDirectoryEdit>("folder", central);
    named<TRadioGroup>("radio", central)->setItems({"a", "b"});
    named<TStatusBar>("status", central)->addPanel("p");
    named<TDataGrid>("grid", central)->addColumn("t");
    named<QTableWidget>("table", 2, 2, central);
    window.setCentralWidget(central);
    auto* group = named<QActionGroup>("group", &window);
    named<QAction>("inGroup", group);
    auto* toolBar = named<QToolBar>("toolBar", &window);
    toolBar->addAction(QStringLiteral("made by the tool bar"));
    window.addToolBar(toolBar);
    auto* dock = named<QDockWidget>("dock", &window);
    dock->setWidget(named<QLabel>("docked", "docked"));
    window.addDockWidget(Qt::LeftDockWidgetArea, dock);

    const QStringList expected = {
        "central",  "scroll",  "scrollContents", "labelInScroll", "toolBox",
        "toolPage", "stack",   "stackPage",      "splitter",      "left",
        "spin",     "date",    "calendar",       "buttons",       "fonts",
        "browser",  "folder",  "radio",          "status",        "grid",
        "table",    "inGroup", "toolBar",        "dock",          "docked"};
    EXPECT_EQ(names(OwnedComponents(&window)), expected);
}

TEST(TranslationRules, TheFirstRuleWhoseClassTheControlIsOrDerivesFromApplies)
{
    const struct
    {
        std::unique_ptr<QObject> object;
        int rule;
    } cases[] = {
        {std::make_unique<QTreeWidget>(), 1},
        {std::make_unique<QTableWidget>(), 1},
        {std::make_unique<QTabWidget>(), 2},
        {std::make_unique<TDirectoryEdit>(), 3},
        {std::make_unique<Derived<TDirectoryEdit>>(), 3},
        {std::make_unique<TKeyedDataGrid>(), 4},
        {std::make_unique<DerivedKeyedDataGrid>(), 4},
        {std::make_unique<Derived<TKeyedDataGrid>>(), 4},
        {std::make_unique<TDataGrid>(), 5},
        {std::make_unique<Derived<TDataGrid>>(), 5},
        {std::make_unique<QComboBox>(), 6},
        {std::make_unique<DerivedComboBox>(), 6},
        {std::make_unique<QFontComboBox>(), 6},
        {std::make_unique<TRadioGroup>(), 7},
        {std::make_unique<Derived<TRadioGroup>>(), 7},
        {std::make_unique<QPlainTextEdit>(), 8},
        {std::make_unique<QTextBrowser>(), 8},
        {std::make_unique<TStatusBar>(), 9},
        {std::make_unique<Derived<TStatusBar>>(), 9},
        {std::make_unique<QTabBar>(), 10},
        {std::make_unique<QLabel>(), 11},
        {std::make_unique<QLineEdit>(), 11},
        {std::make_unique<QAction>(), 11},
        {std::make_unique<QObject>(), 11},
    };
    for (const auto& c : cases) {
        const translation::Rule rule = translation::qt::ComponentRule(c.object.get());
        EXPECT_EQ(int(rule), c.rule) << c.object->metaObject()->className();
    }
}
