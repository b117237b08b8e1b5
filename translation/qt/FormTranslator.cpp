#include "translation/qt/FormTranslator.h"

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

namespace translation::qt {

namespace {

template <class T>
T* as(QObject* component)
{
    return qobject_cast<T*>(component);
}

std::u16string fromQ(const QString& text)
{
    return std::u16string(toU16View(text));
}

// A Qt control's texts as the translator's rules (translation/WalkRules.h)
// read and write them: Qt's own list views, tab widgets, combo boxes, memos
// and tab bars, a derived class by its base's rule.
class QtControl final : public ControlTexts
{
public:
    explicit QtControl(QObject* component)
        : m_component(component), m_tree(as<QTreeWidget>(component)),
          m_table(as<QTableWidget>(component)), m_tabs(as<QTabWidget>(component)),
          m_tabBar(m_tabs ? m_tabs->tabBar() : as<QTabBar>(component)),
          m_combo(as<QComboBox>(component))
    {
    }

    bool is(Rule rule) const override
    {
        switch (rule) {
        case Rule::ListView:
            return m_tree || m_table;
        case Rule::TabControl:
            return m_tabs;
        case Rule::ComboBox:
            return m_combo;
        case Rule::Memo:
            return as<QPlainTextEdit>(m_component) || as<QTextEdit>(m_component);
        case Rule::TabSet:
            return !m_tabs && m_tabBar;
        default:
            return false;
        }
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

    // The column titles of a list view, the tabs, a combo box's items.
    int count(TextList, int) const override
    {
        if (m_tree || m_table) {
            return m_tree ? m_tree->columnCount() : m_table->columnCount();
        }
        return m_tabBar ? m_tabBar->count() : m_combo ? m_combo->count() : 0;
    }

    std::optional<std::u16string> item(TextList, int, int index) const override
    {
        if (m_tree) {
            return fromQ(m_tree->headerItem()->text(index));
        }
        if (m_table) {
            const QTableWidgetItem* header = m_table->horizontalHeaderItem(index);
            return fromQ(header ? header->text() : QString());
        }
        return fromQ(m_tabBar ? m_tabBar->tabText(index) : m_combo->itemText(index));
    }

    void setItem(TextList, int, int index, std::u16string_view text) override
    {
        const QString t = toQString(text);
        if (m_tree) {
            m_tree->headerItem()->setText(index, t);
        } else if (m_table) {
            if (QTableWidgetItem* header = m_table->horizontalHeaderItem(index)) {
                header->setText(t);
            } else {
                m_table->setHorizontalHeaderItem(index, new QTableWidgetItem(t));
            }
        } else if (m_tabs) {
            m_tabs->setTabText(index, t);
        } else if (m_tabBar) {
            m_tabBar->setTabText(index, t);
        } else {
            // Renaming the selected item of an editable combo box would put
            // the new name into its edit and report an edit nobody made.
            const QSignalBlocker blocker(m_combo->lineEdit());
            m_combo->setItemText(index, t);
        }
    }

    int selected() const override
    {
        return m_combo ? m_combo->currentIndex() : m_tabBar ? m_tabBar->currentIndex() : -1;
    }

    void select(int index) override
    {
        if (m_combo) {
            m_combo->setCurrentIndex(index);
        } else if (m_tabBar) {
            m_tabBar->setCurrentIndex(index);
        }
    }

    std::optional<std::u16string> editText() const override
    {
        if (!m_combo || !m_combo->lineEdit()) {
            return std::nullopt;
        }
        return fromQ(m_combo->lineEdit()->text());
    }

    void setEditText(std::u16string_view text) override
    {
        const QSignalBlocker blocker(m_combo->lineEdit());
        m_combo->lineEdit()->setText(toQString(text));
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

private:
    QObject* m_component;
    QTreeWidget* m_tree;
    QTableWidget* m_table;
    QTabWidget* m_tabs;
    QTabBar* m_tabBar;
    QComboBox* m_combo;
};

// Does `use` with the component's texts: those it tells itself when it
// implements ControlTexts, else those Qt's classes give.
template <class Use>
auto withTexts(QObject* component, Use use)
{
    if (auto* own = as<ControlTexts>(component)) {
        return use(*own);
    }
    QtControl control(component);
    return use(control);
}

// The text property that `name` (a property's name, or CaptionProperty or
// HintProperty) stands for in the component's class; an invalid one when
// there is none or it holds no text.
QMetaProperty textProperty(const QObject* component, const char* name)
{
    if (!component || !name) {
        return {};
    }
    if (std::strcmp(name, CaptionProperty) == 0) {
        name = CaptionPropertyName(component);
    } else if (std::strcmp(name, HintProperty) == 0) {
        name = "toolTip";
    }
    const int index = name ? component->metaObject()->indexOfProperty(name) : -1;
    if (index < 0) {
        return {};
    }
    const QMetaProperty property = component->metaObject()->property(index);
    return property.metaType().id() == QMetaType::QString ? property : QMetaProperty();
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

// The objects to look at below the component: the pages of a tab widget
// (its bar and page stack are its own), nothing below a control that a rule
// translates as a whole, nor below item views and spin boxes, which make
// all their parts themselves.
QObjectList inner(QObject* component)
{
    switch (ComponentRule(component)) {
    case Rule::TabControl: {
        const auto* tabs = as<QTabWidget>(component);
        QObjectList pages;
        for (int i = 0; tabs && i < tabs->count(); ++i) {
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

} // namespace

void TranslateForm(QWidget* window, const TextLookup& lookup)
{
    if (!window) {
        return;
    }
    withTexts(window, [&](ControlTexts& texts) { TranslateWindowTexts(texts, lookup); });
    // A slot that answers a changed text may delete controls; those are
    // skipped rather than translated after their end.
    QList<QPointer<QObject>> components;
    for (QObject* component : OwnedComponents(window)) {
        components << component;
    }
    for (const QPointer<QObject>& component : components) {
        TranslateComponent(component, lookup);
    }
}

void TranslateComponent(QObject* component, const TextLookup& lookup)
{
    if (component) {
        withTexts(component, [&](ControlTexts& texts) { TranslateControl(texts, lookup); });
    }
}

QString GetTextProperty(const QObject* component, const char* name)
{
    const QMetaProperty property = textProperty(component, name);
    if (!property.isReadable() ||
        (std::strcmp(name, HintProperty) == 0 && hasMadeUpToolTip(component))) {
        return {};
    }
    return property.read(component).toString();
}

void SetTextProperty(QObject* component, const char* name, const QString& text)
{
    const QMetaProperty property = textProperty(component, name);
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
    return withTexts(component, [](const ControlTexts& texts) { return RuleFor(texts); });
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
