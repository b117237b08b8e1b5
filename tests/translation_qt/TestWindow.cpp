#include "TestWindow.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

template <class T, class... Args>
T* make(QWidget* parent, const char* name, Args&&... args)
{
    auto* object = new T(std::forward<Args>(args)..., parent);
    object->setObjectName(QString::fromLatin1(name));
    if (parent && parent->layout() && !qobject_cast<QMainWindow*>(parent)) {
        parent->layout()->addWidget(object);
    }
    return object;
}

} // namespace

std::unique_ptr<QMainWindow> makeTestWindow()
{
    auto window = std::make_unique<QMainWindow>();
    window->setObjectName(QStringLiteral("TestWindow"));
    window->setWindowTitle(QStringLiteral("Окно"));

    auto* actOpen = new QAction(QStringLiteral("Открыть"), window.get());
    actOpen->setObjectName(QStringLiteral("actOpen"));
    actOpen->setToolTip(QStringLiteral("Открыть файл"));
    auto* actQuit = new QAction(QStringLiteral("Выход"), window.get());
    actQuit->setObjectName(QStringLiteral("actQuit"));

    auto* central = make<QWidget>(window.get(), "centralWidget");
    new QVBoxLayout(central);

    auto* panelTop = make<QFrame>(central, "panelTop");
    new QVBoxLayout(panelTop);
    auto* lvFiles = make<QTreeWidget>(panelTop, "lvFiles");
    lvFiles->setHeaderLabels({QStringLiteral("Имя"), QStringLiteral("Размер")});
    new QTreeWidgetItem(lvFiles, {QStringLiteral("Размер"), QStringLiteral("1")});
    lvFiles->setToolTip(QStringLiteral("Список файлов"));
    auto* lvTable = make<QTableWidget>(panelTop, "lvTable", 1, 2);
    lvTable->setHorizontalHeaderItem(0, new QTableWidgetItem(QStringLiteral("Столбец")));
    lvTable->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Столбец")));
    auto* pcPages = make<QTabWidget>(panelTop, "pcPages");
    pcPages->setToolTip(QStringLiteral("Страницы"));
    auto* tsFirst = new QWidget;
    tsFirst->setObjectName(QStringLiteral("tsFirst"));
    pcPages->addTab(tsFirst, QStringLiteral("Первая"));
    auto* lblOnPage = make<QLabel>(tsFirst, "lblOnPage", QStringLiteral("Надпись на странице"));
    auto* tsSecond = new QWidget;
    tsSecond->setObjectName(QStringLiteral("tsSecond"));
    pcPages->addTab(tsSecond, QStringLiteral("Вторая"));
    pcPages->setCurrentIndex(1);
    (void)lblOnPage;

    auto* gbEdits = make<QGroupBox>(central, "gbEdits", QStringLiteral("Поля"));
    new QVBoxLayout(gbEdits);
    auto* deFolder = make<TDirectoryEdit>(gbEdits, "deFolder");
    deFolder->setText(QStringLiteral("Папка"));
    deFolder->setDialogTexts(QStringLiteral("Выберите папку"), QStringLiteral("Обзор"));
    deFolder->setToolTip(QStringLiteral("Папка"));
    auto* edName = make<QLineEdit>(gbEdits, "edName", QStringLiteral("Имя"));
    edName->setToolTip(QStringLiteral("Имя файла"));
    auto* cbKind = make<QComboBox>(gbEdits, "cbKind");
    cbKind->addItems({QStringLiteral("Первый"), QStringLiteral("Второй"), QString()});
    cbKind->setCurrentIndex(1);
    cbKind->setToolTip(QStringLiteral("Вид"));
    auto* cbEditable = make<QComboBox>(gbEdits, "cbEditable");
    cbEditable->setEditable(true);
    cbEditable->addItems({QStringLiteral("Первый"), QStringLiteral("Второй")});
    cbEditable->setCurrentIndex(0);
    auto* cbDerived = make<DerivedComboBox>(gbEdits, "cbDerived");
    cbDerived->addItem(QStringLiteral("Третий"));

    auto* rgMode = make<TRadioGroup>(central, "rgMode", QStringLiteral("Режим"));
    rgMode->setItems({QStringLiteral("Быстро"), QStringLiteral("Точно")});
    rgMode->setItemIndex(1);
    rgMode->setToolTip(QStringLiteral("Выбор режима"));
    auto* mmNotes = make<QPlainTextEdit>(central, "mmNotes");
    mmNotes->setPlainText(QStringLiteral("a\nb"));

    auto* panelBottom = make<QFrame>(central, "panelBottom");
    new QVBoxLayout(panelBottom);
    auto* grdKeyed = make<TKeyedDataGrid>(panelBottom, "grdKeyed");
    grdKeyed->addColumn(QStringLiteral("Деталь"), {QStringLiteral("Вал"), QStringLiteral("Ось")},
                        {QStringLiteral("вал"), QStringLiteral("ось")});
    grdKeyed->setToolTip(QStringLiteral("Таблица"));
    auto* grdPlain = make<TDataGrid>(panelBottom, "grdPlain");
    grdPlain->addColumn(QStringLiteral("Материал"), {QStringLiteral("Сталь")});
    auto* tbSet = make<QTabBar>(panelBottom, "tbSet");
    tbSet->addTab(QStringLiteral("Один"));
    tbSet->addTab(QStringLiteral("Два"));
    tbSet->setCurrentIndex(1);
    tbSet->setToolTip(QStringLiteral("Закладки"));
    make<QLabel>(panelBottom, "lblBlank", QStringLiteral("  "));
    make<QLabel>(panelBottom, "lblNul", QString(QChar(u'\0')) + QStringLiteral(" "));
    auto* btnRun = make<QPushButton>(central, "btnRun", QStringLiteral("Выполнить"));
    btnRun->setToolTip(QStringLiteral("Запустить"));
    window->setCentralWidget(central);

    auto* menuBar = make<QMenuBar>(window.get(), "menuBar");
    auto* menuFile = make<QMenu>(menuBar, "menuFile", QStringLiteral("Файл"));
    menuFile->addAction(actOpen);
    menuFile->addAction(actQuit);
    menuBar->addMenu(menuFile);
    window->setMenuBar(menuBar);

    auto* sbMain = make<TStatusBar>(window.get(), "sbMain");
    sbMain->addPanel(QStringLiteral("Готово"));
    sbMain->addPanel(QStringLiteral("Строка 1"));
    sbMain->setSimpleText(QStringLiteral("Простой текст"));
    sbMain->setToolTip(QStringLiteral("Состояние"));
    window->setStatusBar(sbMain);
    return window;
}
