#include "translation/qt/FormTranslator.h"

#include "translation/Dictionary.h"
#include "translation/qt/QtControl.h"
#include "translation/qt/QtText.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMetaProperty>
#include <QPointer>
#include <QTabWidget>
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

QList<QObject*> OwnedComponents(const QWidget* window)
{
    QList<QObject*> components;
    if (window) {
        walk(const_cast<QWidget*>(window), components);
    }
    return components;
}

} // namespace translation::qt
