#include "translation/qt/TranslationRules.h"

#include "translation/qt/ControlTexts.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>
#include <array>

namespace translation::qt {

namespace {

const QString LineBreakMark = QStringLiteral("||");
const QString CrLf = QStringLiteral("\r\n");

// The component is a T or derives from one. For the controls of widgets/, T
// is the interface they implement: qobject_cast asks the component's
// meta-object, so their code is linked only into programs that use them.
template <class T>
bool is(const QObject* component)
{
    return qobject_cast<const T*>(component) != nullptr;
}

// A text that belongs to a list: looked up even when blank, written back
// only when the lookup changed it.
template <class Set>
void translateItem(const QString& text, const TextLookup& lookup, Set set)
{
    const QString translated = lookup(text);
    if (translated != text) {
        set(translated);
    }
}

// Caption and hint: looked up unless blank.
void translateProperty(QObject* component, const char* name, const TextLookup& lookup)
{
    const QString text = GetTextProperty(component, name);
    if (IsBlank(text)) {
        return;
    }
    const QString translated = lookup(text);
    if (translated != text) {
        SetTextProperty(component, name, translated);
    }
}

void captionRule(QObject* component, const TextLookup& lookup)
{
    translateProperty(component, CaptionProperty, lookup);
}

void hintRule(QObject* component, const TextLookup& lookup)
{
    translateProperty(component, HintProperty, lookup);
}

QObjectList nothingInside(const QObject*)
{
    return {};
}

// 1. List views: the column titles.
bool isListView(const QObject* component)
{
    return is<QTreeWidget>(component) || is<QTableWidget>(component);
}

void translateListView(QObject* component, const TextLookup& lookup)
{
    if (auto* tree = qobject_cast<QTreeWidget*>(component)) {
        QTreeWidgetItem* header = tree->headerItem();
        for (int column = 0; column < tree->columnCount(); ++column) {
            translateItem(header->text(column), lookup,
                          [&](const QString& text) { header->setText(column, text); });
        }
    } else if (auto* table = qobject_cast<QTableWidget*>(component)) {
        for (int column = 0; column < table->columnCount(); ++column) {
            QTableWidgetItem* header = table->horizontalHeaderItem(column);
            translateItem(header ? header->text() : QString(), lookup, [&](const QString& text) {
                if (header) {
                    header->setText(text);
                } else {
                    table->setHorizontalHeaderItem(column, new QTableWidgetItem(text));
                }
            });
        }
    }
    hintRule(component, lookup);
}

// 2. Tab controls: the tab texts. Renaming a tab leaves the current one as
// it is, so there is nothing to put back.
void translateTabWidget(QObject* component, const TextLookup& lookup)
{
    auto* tabs = static_cast<QTabWidget*>(component);
    for (int i = 0; i < tabs->count(); ++i) {
        translateItem(tabs->tabText(i), lookup,
                      [&](const QString& text) { tabs->setTabText(i, text); });
    }
    hintRule(component, lookup);
}

// The pages are the tab widget's children as the window's .ui created them;
// its bar and page stack are its own.
QObjectList tabWidgetPages(const QObject* component)
{
    const auto* tabs = static_cast<const QTabWidget*>(component);
    QObjectList pages;
    for (int i = 0; i < tabs->count(); ++i) {
        pages << tabs->widget(i);
    }
    return pages;
}

// 3. Folder-name edit: the folder dialog's text and the button's hint,
// looked up like list items. Its own hint is left alone.
void translateDirectoryEdit(QObject* component, const TextLookup& lookup)
{
    auto* edit = qobject_cast<DirectoryEditTexts*>(component);
    translateItem(edit->dialogText(), lookup,
                  [&](const QString& text) { edit->setDialogText(text); });
    translateItem(edit->buttonHint(), lookup,
                  [&](const QString& text) { edit->setButtonHint(text); });
}

// The column texts both grids carry, in column order: the title, then each
// item of the pick list, then whatever `more` translates of that column.
template <class More>
void translateGridColumns(DataGridTexts* grid, const TextLookup& lookup, More more)
{
    for (int column = 0; column < grid->columnCount(); ++column) {
        translateItem(grid->columnTitle(column), lookup,
                      [&](const QString& text) { grid->setColumnTitle(column, text); });
        for (int item = 0; item < grid->pickList(column).size(); ++item) {
            translateItem(grid->pickList(column).at(item), lookup,
                          [&](const QString& text) { grid->setPickListItem(column, item, text); });
        }
        more(column);
    }
}

// 4. Grid with lookup columns: title, pick list, key list of each column.
void translateKeyedDataGrid(QObject* component, const TextLookup& lookup)
{
    auto* grid = qobject_cast<KeyedDataGridTexts*>(component);
    translateGridColumns(grid, lookup, [&](int column) {
        for (int item = 0; item < grid->keyList(column).size(); ++item) {
            translateItem(grid->keyList(column).at(item), lookup,
                          [&](const QString& text) { grid->setKeyListItem(column, item, text); });
        }
    });
    hintRule(component, lookup);
}

// 5. Grid: title and pick list of each column.
void translateDataGrid(QObject* component, const TextLookup& lookup)
{
    translateGridColumns(qobject_cast<DataGridTexts*>(component), lookup, [](int) {});
    hintRule(component, lookup);
}

// 6. Combo box: the items; the selection and the edit text stay.
void translateComboBox(QObject* component, const TextLookup& lookup)
{
    auto* combo = static_cast<QComboBox*>(component);
    const int selected = combo->currentIndex();
    QLineEdit* edit = combo->lineEdit();
    const QString editText = edit ? edit->text() : QString();
    {
        // Renaming the selected item of an editable combo box would put the
        // new name into its edit and report an edit nobody made.
        const QSignalBlocker blocker(edit);
        for (int i = 0; i < combo->count(); ++i) {
            translateItem(combo->itemText(i), lookup,
                          [&](const QString& text) { combo->setItemText(i, text); });
        }
        if (edit && edit->text() != editText) {
            edit->setText(editText);
        }
    }
    if (combo->currentIndex() != selected) {
        combo->setCurrentIndex(selected);
    }
    hintRule(component, lookup);
}

// 7. Radio group: the items with the checked one kept, then its caption.
void translateRadioGroup(QObject* component, const TextLookup& lookup)
{
    auto* group = qobject_cast<RadioGroupTexts*>(component);
    const int selected = group->itemIndex();
    for (int i = 0; i < group->count(); ++i) {
        translateItem(group->itemText(i), lookup,
                      [&](const QString& text) { group->setItemText(i, text); });
    }
    if (group->itemIndex() != selected) {
        group->setItemIndex(selected);
    }
    captionRule(component, lookup);
    hintRule(component, lookup);
}

// 8. Memo: all lines looked up at once, joined by the line-break mark.
bool isMemo(const QObject* component)
{
    return is<QPlainTextEdit>(component) || is<QTextEdit>(component);
}

void translateMemo(QObject* component, const TextLookup& lookup)
{
    auto* plain = qobject_cast<QPlainTextEdit*>(component);
    auto* rich = qobject_cast<QTextEdit*>(component);
    const QTextDocument* document = plain ? plain->document() : rich->document();
    QStringList lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        lines << block.text().split(QChar::LineSeparator);
    }
    // A line break at the very end closes the last line; it opens no new one.
    if (lines.size() > 1 && lines.last().isEmpty()) {
        lines.removeLast();
    }

    const QString translated = lookup(lines.join(LineBreakMark));
    const QString text = translated.split(CrLf).join(u'\n');
    if (text != lines.join(u'\n')) {
        if (plain) {
            plain->setPlainText(text);
        } else {
            rich->setPlainText(text);
        }
    }
    hintRule(component, lookup);
}

// 9. Status bar: the panel texts. The simple-mode text stays.
void translateStatusBar(QObject* component, const TextLookup& lookup)
{
    auto* bar = qobject_cast<StatusBarTexts*>(component);
    for (int i = 0; i < bar->panelCount(); ++i) {
        translateItem(bar->panelText(i), lookup,
                      [&](const QString& text) { bar->setPanelText(i, text); });
    }
    hintRule(component, lookup);
}

// 10. Tab set: the tab texts, the current tab kept. Its hint is left alone.
void translateTabBar(QObject* component, const TextLookup& lookup)
{
    auto* bar = static_cast<QTabBar*>(component);
    const int selected = bar->currentIndex();
    for (int i = 0; i < bar->count(); ++i) {
        translateItem(bar->tabText(i), lookup,
                      [&](const QString& text) { bar->setTabText(i, text); });
    }
    if (bar->currentIndex() != selected) {
        bar->setCurrentIndex(selected);
    }
}

// 11. Anything else: caption and hint.
bool anyComponent(const QObject*)
{
    return true;
}

void translateCaptionAndHint(QObject* component, const TextLookup& lookup)
{
    captionRule(component, lookup);
    hintRule(component, lookup);
}

// Item views and spin boxes make all their parts themselves.
QObjectList childrenFromTheWindowDescription(const QObject* component)
{
    if (is<QAbstractItemView>(component) || is<QAbstractSpinBox>(component)) {
        return {};
    }
    return component->children();
}

const std::array Rules{
    TranslationRule{"list view", isListView, translateListView, nothingInside},
    TranslationRule{"tab control", is<QTabWidget>, translateTabWidget, tabWidgetPages},
    TranslationRule{"folder-name edit", is<DirectoryEditTexts>, translateDirectoryEdit,
                    nothingInside},
    TranslationRule{"data grid with lookup columns", is<KeyedDataGridTexts>, translateKeyedDataGrid,
                    nothingInside},
    TranslationRule{"data grid", is<DataGridTexts>, translateDataGrid, nothingInside},
    TranslationRule{"combo box", is<QComboBox>, translateComboBox, nothingInside},
    TranslationRule{"radio group", is<RadioGroupTexts>, translateRadioGroup, nothingInside},
    TranslationRule{"memo", isMemo, translateMemo, nothingInside},
    TranslationRule{"status bar", is<StatusBarTexts>, translateStatusBar, nothingInside},
    TranslationRule{"tab set", is<QTabBar>, translateTabBar, nothingInside},
    TranslationRule{"any other component", anyComponent, translateCaptionAndHint,
                    childrenFromTheWindowDescription},
};

} // namespace

std::span<const TranslationRule> TranslationRules()
{
    return Rules;
}

int RuleNumberFor(const QObject* component)
{
    int number = 1;
    for (const TranslationRule& rule : Rules) {
        if (rule.applies(component)) {
            return number;
        }
        ++number;
    }
    return number - 1;
}

} // namespace translation::qt
