#include "translation/qt/FormTranslator.h"

#include "translation/Dictionary.h"
#include "translation/qt/ControlTexts.h"
#include "translation/qt/QtText.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>
#include <QWidget>
#include <cstring>
#include <functional>

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

// A KeyedDataGridTexts is a DataGridTexts, which qobject_cast finds only
// when the class names it.
DataGridTexts* gridOf(QObject* component)
{
    if (auto* keyed = as<KeyedDataGridTexts>(component)) {
        return keyed;
    }
    return as<DataGridTexts>(component);
}

// A Qt control's texts as the translator's rules (translation/WalkRules.h)
// read and write them: Qt's own list views, tab widgets, combo boxes,
// memos and tab bars, and the controls that name an interface of
// translation/qt/ControlTexts.h in Q_INTERFACES. A derived class is of its
// base's kind.
class QtControl final : public ControlTexts
{
public:
    explicit QtControl(QObject* component) : m_component(component), m_rule(RuleFor(*this)) {}

    bool is(Rule rule) const override
    {
        // In the rules' order; `is` finds a class derived from the kind's too.
        static bool (*const Kinds[])(QObject*) = {
            [](QObject* c) { return as<QTreeWidget>(c) || as<QTableWidget>(c); },
            [](QObject* c) { return as<QTabWidget>(c) != nullptr; },
            [](QObject* c) { return as<DirectoryEditTexts>(c) != nullptr; },
            [](QObject* c) { return as<KeyedDataGridTexts>(c) != nullptr; },
            [](QObject* c) { return as<DataGridTexts>(c) != nullptr; },
            [](QObject* c) { return as<QComboBox>(c) != nullptr; },
            [](QObject* c) { return as<RadioGroupTexts>(c) != nullptr; },
            [](QObject* c) { return as<QPlainTextEdit>(c) || as<QTextEdit>(c); },
            [](QObject* c) { return as<StatusBarTexts>(c) != nullptr; },
            [](QObject* c) { return as<QTabBar>(c) != nullptr; },
            [](QObject*) { return true; },
        };
        return Kinds[int(rule) - 1](m_component);
    }

    std::u16string caption() const override
    {
        return fromQ(GetTextProperty(m_component, CaptionProperty));
    }

    void setCaption(std::u16string_view text) override
    {
        SetTextProperty(m_component, CaptionProperty, toQString(text));
    }

    std::u16string hint() const override
    {
        return fromQ(GetTextProperty(m_component, HintProperty));
    }

    void setHint(std::u16string_view text) override
    {
        SetTextProperty(m_component, HintProperty, toQString(text));
    }

    int count(TextList list, int column) const override { return texts(list, column).count; }

    std::optional<std::u16string> item(TextList list, int column, int index) const override
    {
        return fromQ(texts(list, column).get(index));
    }

    void setItem(TextList list, int column, int index, std::u16string_view text) override
    {
        texts(list, column).set(index, toQString(text));
    }

    int selected() const override
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

    void select(int index) override
    {
        if (auto* combo = as<QComboBox>(m_component)) {
            combo->setCurrentIndex(index);
        } else if (auto* group = as<RadioGroupTexts>(m_component)) {
            group->setItemIndex(index);
        } else if (auto* bar = as<QTabBar>(m_component)) {
            bar->setCurrentIndex(index);
        }
    }

    std::optional<std::u16string> editText() const override
    {
        const auto* combo = as<QComboBox>(m_component);
        if (!combo || !combo->lineEdit()) {
            return std::nullopt;
        }
        return fromQ(combo->lineEdit()->text());
    }

    void setEditText(std::u16string_view text) override
    {
        QLineEdit* edit = as<QComboBox>(m_component)->lineEdit();
        const QSignalBlocker blocker(edit);
        edit->setText(toQString(text));
    }

    std::vector<std::u16string> lines() const override
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

    std::u16string_view lineBreak() const override { return u"\n"; }
    void setLines(std::u16string_view text) override
    {
        if (auto* plain = as<QPlainTextEdit>(m_component)) {
            plain->setPlainText(toQString(text));
        } else {
            as<QTextEdit>(m_component)->setPlainText(toQString(text));
        }
    }

    Rule rule() const { return m_rule; }

private:
    // A list of the control's texts: how many, and how each is read and
    // written.
    struct Texts
    {
        int count = 0;
        std::function<QString(int)> get;
        std::function<void(int, const QString&)> set;
    };

    Texts texts(TextList list, int column) const
    {
        QObject* c = m_component;
        switch (m_rule) {
        case Rule::ListView:
            if (auto* tree = as<QTreeWidget>(c)) {
                return {tree->columnCount(), [=](int i) { return tree->headerItem()->text(i); },
                        [=](int i, const QString& t) { tree->headerItem()->setText(i, t); }};
            } else {
                auto* table = as<QTableWidget>(c);
                return {table->columnCount(),
                        [=](int i) {
                            const QTableWidgetItem* header = table->horizontalHeaderItem(i);
                            return header ? header->text() : QString();
                        },
                        [=](int i, const QString& t) {
                            if (QTableWidgetItem* header = table->horizontalHeaderItem(i)) {
                                header->setText(t);
                            } else {
                                table->setHorizontalHeaderItem(i, new QTableWidgetItem(t));
                            }
                        }};
            }
        case Rule::TabControl: {
            auto* tabs = as<QTabWidget>(c);
            return {tabs->count(), [=](int i) { return tabs->tabText(i); },
                    [=](int i, const QString& t) { tabs->setTabText(i, t); }};
        }
        case Rule::DirectoryEdit: {
            auto* edit = as<DirectoryEditTexts>(c);
            return {2, [=](int i) { return i == 0 ? edit->dialogText() : edit->buttonHint(); },
                    [=](int i, const QString& t) {
                        if (i == 0) {
                            edit->setDialogText(t);
                        } else {
                            edit->setButtonHint(t);
                        }
                    }};
        }
        case Rule::KeyedDataGrid:
        case Rule::DataGrid: {
            DataGridTexts* grid = gridOf(c);
            if (list == TextList::PickList) {
                return {int(grid->pickList(column).size()),
                        [=](int i) { return grid->pickList(column).at(i); },
                        [=](int i, const QString& t) { grid->setPickListItem(column, i, t); }};
            }
            if (list == TextList::KeyList) {
                auto* keyed = as<KeyedDataGridTexts>(c);
                return {int(keyed->keyList(column).size()),
                        [=](int i) { return keyed->keyList(column).at(i); },
                        [=](int i, const QString& t) { keyed->setKeyListItem(column, i, t); }};
            }
            return {grid->columnCount(), [=](int i) { return grid->columnTitle(i); },
                    [=](int i, const QString& t) { grid->setColumnTitle(i, t); }};
        }
        case Rule::ComboBox: {
            auto* combo = as<QComboBox>(c);
            // Renaming the selected item of an editable combo box would put
            // the new name into its edit and report an edit nobody made.
            return {combo->count(), [=](int i) { return combo->itemText(i); },
                    [=](int i, const QString& t) {
                        const QSignalBlocker blocker(combo->lineEdit());
                        combo->setItemText(i, t);
                    }};
        }
        case Rule::RadioGroup: {
            auto* group = as<RadioGroupTexts>(c);
            return {group->count(), [=](int i) { return group->itemText(i); },
                    [=](int i, const QString& t) { group->setItemText(i, t); }};
        }
        case Rule::StatusBar: {
            auto* bar = as<StatusBarTexts>(c);
            return {bar->panelCount(), [=](int i) { return bar->panelText(i); },
                    [=](int i, const QString& t) { bar->setPanelText(i, t); }};
        }
        case Rule::TabSet: {
            auto* bar = as<QTabBar>(c);
            return {bar->count(), [=](int i) { return bar->tabText(i); },
                    [=](int i, const QString& t) { bar->setTabText(i, t); }};
        }
        default:
            return {};
        }
    }

    QObject* m_component;
    Rule m_rule;
};

const char* const ToolTip = "toolTip";

QMetaProperty textProperty(const QObject* component, const char* name)
{
    const QMetaObject* meta = component->metaObject();
    const int index = meta->indexOfProperty(name);
    if (index < 0) {
        return {};
    }
    const QMetaProperty property = meta->property(index);
    if (property.metaType().id() != QMetaType::QString) {
        return {};
    }
    return property;
}

// An action that was given no tooltip makes one up from its text; that is
// not a hint of its own.
bool hasMadeUpToolTip(const QObject* component)
{
    const auto* action = qobject_cast<const QAction*>(component);
    if (!action) {
        return false;
    }
    QAction plain;
    plain.setText(action->text());
    plain.setIconText(action->iconText());
    return action->toolTip() == plain.toolTip();
}

const char* resolvedName(const QObject* component, const char* name)
{
    if (std::strcmp(name, CaptionProperty) == 0) {
        return CaptionPropertyName(component);
    }
    if (std::strcmp(name, HintProperty) == 0) {
        return ToolTip;
    }
    return name;
}

// The objects to look at below the component: the pages of a tab widget
// (its bar and page stack are its own), nothing below a control that a rule
// translates as a whole, nor below item views and spin boxes, which make
// all their parts themselves.
QObjectList inner(QObject* component)
{
    switch (QtControl(component).rule()) {
    case Rule::TabControl: {
        const auto* tabs = static_cast<const QTabWidget*>(component);
        QObjectList pages;
        for (int i = 0; i < tabs->count(); ++i) {
            pages << tabs->widget(i);
        }
        return pages;
    }
    case Rule::AnyOther:
        if (qobject_cast<QAbstractItemView*>(component) ||
            qobject_cast<QAbstractSpinBox*>(component)) {
            return {};
        }
        return component->children();
    default:
        return {};
    }
}

void walk(QObject* parent, QList<QObject*>& components)
{
    for (QObject* child : inner(parent)) {
        const QString name = child->objectName();
        const bool ownPart = name.isEmpty() || name.startsWith(QLatin1String("qt_"));
        if (!ownPart && (child->isWidgetType() || qobject_cast<QAction*>(child))) {
            components << child;
        }
        walk(child, components);
    }
}

translation::TextLookup u16Lookup(const TextLookup& lookup)
{
    return [&lookup](std::u16string_view text) {
        return std::u16string(toU16View(lookup(toQString(text))));
    };
}

void translateForm(QWidget* window, const translation::TextLookup& lookup)
{
    if (!window) {
        return;
    }
    QtControl form(window);
    TranslateWindowTexts(form, lookup);
    // A slot that answers a changed text may delete controls; those are
    // skipped rather than translated after their end.
    QList<QPointer<QObject>> components;
    for (QObject* component : OwnedComponents(window)) {
        components << component;
    }
    for (const QPointer<QObject>& component : components) {
        if (component) {
            QtControl control(component);
            TranslateControl(control, lookup);
        }
    }
}

} // namespace

void TranslateForm(QWidget* window)
{
    translateForm(window,
                  [](std::u16string_view text) { return translation::TranslateText(text); });
}

void TranslateForm(QWidget* window, const TextLookup& lookup)
{
    translateForm(window, u16Lookup(lookup));
}

void TranslateComponent(QObject* component, const TextLookup& lookup)
{
    if (component) {
        QtControl control(component);
        TranslateControl(control, u16Lookup(lookup));
    }
}

QString GetTextProperty(const QObject* component, const char* name)
{
    if (!component || !name) {
        return {};
    }
    const char* realName = resolvedName(component, name);
    if (!realName) {
        return {};
    }
    if (realName == ToolTip && hasMadeUpToolTip(component)) {
        return {};
    }
    const QMetaProperty property = textProperty(component, realName);
    if (!property.isReadable()) {
        return {};
    }
    return property.read(component).toString();
}

void SetTextProperty(QObject* component, const char* name, const QString& text)
{
    if (!component || !name) {
        return;
    }
    const char* realName = resolvedName(component, name);
    if (!realName) {
        return;
    }
    const QMetaProperty property = textProperty(component, realName);
    if (property.isWritable()) {
        property.write(component, text);
    }
}

const char* CaptionPropertyName(const QObject* component)
{
    if (qobject_cast<const QAbstractButton*>(component) || qobject_cast<const QLabel*>(component) ||
        qobject_cast<const QAction*>(component)) {
        return "text";
    }
    if (qobject_cast<const QGroupBox*>(component) || qobject_cast<const QMenu*>(component)) {
        return "title";
    }
    if (qobject_cast<const QDockWidget*>(component) || qobject_cast<const QToolBar*>(component)) {
        return "windowTitle";
    }
    const auto* widget = qobject_cast<const QWidget*>(component);
    if (widget && widget->isWindow()) {
        return "windowTitle";
    }
    return nullptr;
}

Rule ComponentRule(QObject* component)
{
    return QtControl(component).rule();
}

QList<QObject*> OwnedComponents(const QWidget* window)
{
    QList<QObject*> components;
    if (window) {
        walk(const_cast<QWidget*>(window), components);
    }
    return components;
}

} // namespace translation::qt
