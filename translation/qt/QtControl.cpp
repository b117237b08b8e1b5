#include "translation/qt/QtControl.h"

#include "translation/qt/ControlTexts.h"
#include "translation/qt/FormTranslator.h"
#include "translation/qt/QtText.h"

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

namespace translation::qt {

namespace {

// The component is a T or derives from one. For the test fixtures'
// controls, T is the interface they implement: qobject_cast asks the
// component's meta-object, so their code is linked only into programs that
// use them.
template <class T>
T* as(QObject* component)
{
    return qobject_cast<T*>(component);
}

std::u16string fromQ(const QString& text)
{
    return std::u16string(toU16View(text));
}

std::optional<std::u16string> at(const QStringList& list, int index)
{
    return fromQ(list.at(index));
}

// A KeyedDataGridTexts is a DataGridTexts, which qobject_cast finds only
// when the class names it.
DataGridTexts* gridOf(QObject* component)
{
    if (auto* keyed = as<KeyedDataGridTexts>(component)) {
        return keyed;
    }
    return as<DataGridTexts>(component);
}

} // namespace

QtControl::QtControl(QObject* component) : m_component(component), m_rule(RuleFor(*this)) {}

bool QtControl::is(Rule rule) const
{
    QObject* c = m_component;
    switch (rule) {
    case Rule::ListView:
        return as<QTreeWidget>(c) || as<QTableWidget>(c);
    case Rule::TabControl:
        return as<QTabWidget>(c);
    case Rule::DirectoryEdit:
        return as<DirectoryEditTexts>(c);
    case Rule::KeyedDataGrid:
        return as<KeyedDataGridTexts>(c);
    case Rule::DataGrid:
        return as<DataGridTexts>(c);
    case Rule::ComboBox:
        return as<QComboBox>(c);
    case Rule::RadioGroup:
        return as<RadioGroupTexts>(c);
    case Rule::Memo:
        return as<QPlainTextEdit>(c) || as<QTextEdit>(c);
    case Rule::StatusBar:
        return as<StatusBarTexts>(c);
    case Rule::TabSet:
        return as<QTabBar>(c);
    case Rule::AnyOther:
        break;
    }
    return true;
}

std::u16string QtControl::caption() const
{
    return fromQ(GetTextProperty(m_component, CaptionProperty));
}

void QtControl::setCaption(std::u16string_view text)
{
    SetTextProperty(m_component, CaptionProperty, toQString(text));
}

std::u16string QtControl::hint() const
{
    return fromQ(GetTextProperty(m_component, HintProperty));
}

void QtControl::setHint(std::u16string_view text)
{
    SetTextProperty(m_component, HintProperty, toQString(text));
}

int QtControl::count(TextList list, int column) const
{
    QObject* c = m_component;
    switch (m_rule) {
    case Rule::ListView:
        return as<QTreeWidget>(c) ? as<QTreeWidget>(c)->columnCount()
                                  : as<QTableWidget>(c)->columnCount();
    case Rule::TabControl:
        return as<QTabWidget>(c)->count();
    case Rule::DirectoryEdit:
        return 2;
    case Rule::KeyedDataGrid:
    case Rule::DataGrid:
        if (list == TextList::PickList) {
            return int(gridOf(c)->pickList(column).size());
        }
        if (list == TextList::KeyList) {
            return int(as<KeyedDataGridTexts>(c)->keyList(column).size());
        }
        return gridOf(c)->columnCount();
    case Rule::ComboBox:
        return as<QComboBox>(c)->count();
    case Rule::RadioGroup:
        return as<RadioGroupTexts>(c)->count();
    case Rule::StatusBar:
        return as<StatusBarTexts>(c)->panelCount();
    case Rule::TabSet:
        return as<QTabBar>(c)->count();
    case Rule::Memo:
    case Rule::AnyOther:
        break;
    }
    return 0;
}

std::optional<std::u16string> QtControl::item(TextList list, int column, int index) const
{
    QObject* c = m_component;
    switch (m_rule) {
    case Rule::ListView:
        if (auto* tree = as<QTreeWidget>(c)) {
            return fromQ(tree->headerItem()->text(index));
        } else {
            const QTableWidgetItem* header = as<QTableWidget>(c)->horizontalHeaderItem(index);
            return fromQ(header ? header->text() : QString());
        }
    case Rule::TabControl:
        return fromQ(as<QTabWidget>(c)->tabText(index));
    case Rule::DirectoryEdit:
        return fromQ(index == 0 ? as<DirectoryEditTexts>(c)->dialogText()
                                : as<DirectoryEditTexts>(c)->buttonHint());
    case Rule::KeyedDataGrid:
    case Rule::DataGrid:
        if (list == TextList::PickList) {
            return at(gridOf(c)->pickList(column), index);
        }
        if (list == TextList::KeyList) {
            return at(as<KeyedDataGridTexts>(c)->keyList(column), index);
        }
        return fromQ(gridOf(c)->columnTitle(index));
    case Rule::ComboBox:
        return fromQ(as<QComboBox>(c)->itemText(index));
    case Rule::RadioGroup:
        return fromQ(as<RadioGroupTexts>(c)->itemText(index));
    case Rule::StatusBar:
        return fromQ(as<StatusBarTexts>(c)->panelText(index));
    case Rule::TabSet:
        return fromQ(as<QTabBar>(c)->tabText(index));
    case Rule::Memo:
    case Rule::AnyOther:
        break;
    }
    return std::nullopt;
}

void QtControl::setItem(TextList list, int column, int index, std::u16string_view text)
{
    QObject* c = m_component;
    const QString qText = toQString(text);
    switch (m_rule) {
    case Rule::ListView:
        if (auto* tree = as<QTreeWidget>(c)) {
            tree->headerItem()->setText(index, qText);
        } else if (QTableWidgetItem* header = as<QTableWidget>(c)->horizontalHeaderItem(index)) {
            header->setText(qText);
        } else {
            as<QTableWidget>(c)->setHorizontalHeaderItem(index, new QTableWidgetItem(qText));
        }
        break;
    case Rule::TabControl:
        as<QTabWidget>(c)->setTabText(index, qText);
        break;
    case Rule::DirectoryEdit:
        if (index == 0) {
            as<DirectoryEditTexts>(c)->setDialogText(qText);
        } else {
            as<DirectoryEditTexts>(c)->setButtonHint(qText);
        }
        break;
    case Rule::KeyedDataGrid:
    case Rule::DataGrid:
        if (list == TextList::PickList) {
            gridOf(c)->setPickListItem(column, index, qText);
        } else if (list == TextList::KeyList) {
            as<KeyedDataGridTexts>(c)->setKeyListItem(column, index, qText);
        } else {
            gridOf(c)->setColumnTitle(index, qText);
        }
        break;
    case Rule::ComboBox: {
        // Renaming the selected item of an editable combo box would put the
        // new name into its edit and report an edit nobody made.
        const QSignalBlocker blocker(as<QComboBox>(c)->lineEdit());
        as<QComboBox>(c)->setItemText(index, qText);
        break;
    }
    case Rule::RadioGroup:
        as<RadioGroupTexts>(c)->setItemText(index, qText);
        break;
    case Rule::StatusBar:
        as<StatusBarTexts>(c)->setPanelText(index, qText);
        break;
    case Rule::TabSet:
        as<QTabBar>(c)->setTabText(index, qText);
        break;
    case Rule::Memo:
    case Rule::AnyOther:
        break;
    }
}

int QtControl::selected() const
{
    if (auto* combo = as<QComboBox>(m_component)) {
        return combo->currentIndex();
    }
    if (auto* group = as<RadioGroupTexts>(m_component)) {
        return group->itemIndex();
    }
    if (auto* bar = as<QTabBar>(m_component)) {
        return bar->currentIndex();
    }
    return -1;
}

void QtControl::select(int index)
{
    if (auto* combo = as<QComboBox>(m_component)) {
        combo->setCurrentIndex(index);
    } else if (auto* group = as<RadioGroupTexts>(m_component)) {
        group->setItemIndex(index);
    } else if (auto* bar = as<QTabBar>(m_component)) {
        bar->setCurrentIndex(index);
    }
}

std::optional<std::u16string> QtControl::editText() const
{
    const auto* combo = as<QComboBox>(m_component);
    if (!combo || !combo->lineEdit()) {
        return std::nullopt;
    }
    return fromQ(combo->lineEdit()->text());
}

void QtControl::setEditText(std::u16string_view text)
{
    QLineEdit* edit = as<QComboBox>(m_component)->lineEdit();
    const QSignalBlocker blocker(edit);
    edit->setText(toQString(text));
}

std::vector<std::u16string> QtControl::lines() const
{
    const auto* plain = as<QPlainTextEdit>(m_component);
    const QTextDocument* document =
        plain ? plain->document() : as<QTextEdit>(m_component)->document();
    std::vector<std::u16string> lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (const QString& line : block.text().split(QChar::LineSeparator)) {
            lines.push_back(fromQ(line));
        }
    }
    return lines;
}

void QtControl::setLines(std::u16string_view text)
{
    if (auto* plain = as<QPlainTextEdit>(m_component)) {
        plain->setPlainText(toQString(text));
    } else {
        as<QTextEdit>(m_component)->setPlainText(toQString(text));
    }
}

} // namespace translation::qt
