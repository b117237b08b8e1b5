#include "translation/qt/FormTranslator.h"

#include "translation/WalkRules.h"
#include "translation/qt/QtText.h"
#include "translation/qt/TranslationRules.h"

#include <QAbstractButton>
#include <QAction>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMetaProperty>
#include <QPointer>
#include <QToolBar>
#include <QWidget>
#include <cstring>

namespace translation::qt {

namespace {

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

void walk(const QObject* parent, QList<QObject*>& components)
{
    const QObjectList inner = [parent] {
        const TranslationRule& rule = TranslationRules()[RuleNumberFor(parent) - 1];
        return rule.inner ? rule.inner(parent) : parent->children();
    }();
    for (QObject* child : inner) {
        const QString name = child->objectName();
        const bool ownPart = name.isEmpty() || name.startsWith(QLatin1String("qt_"));
        if (!ownPart && (child->isWidgetType() || qobject_cast<QAction*>(child))) {
            components << child;
        }
        walk(child, components);
    }
}

} // namespace

void TranslateForm(QWidget* window)
{
    TranslateForm(window, [](const QString& text) { return TranslateText(text); });
}

void TranslateForm(QWidget* window, const TextLookup& lookup)
{
    if (!window) {
        return;
    }
    window->setWindowTitle(lookup(window->windowTitle()));
    window->setToolTip(lookup(window->toolTip()));
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

void TranslateComponent(QObject* component)
{
    TranslateComponent(component, [](const QString& text) { return TranslateText(text); });
}

void TranslateComponent(QObject* component, const TextLookup& lookup)
{
    if (component) {
        TranslationRules()[RuleNumberFor(component) - 1].translate(component, lookup);
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

bool IsBlank(const QString& text)
{
    return translation::IsBlank(toU16View(text));
}

QList<QObject*> OwnedComponents(const QWidget* window)
{
    QList<QObject*> components;
    if (window) {
        walk(window, components);
    }
    return components;
}

} // namespace translation::qt
