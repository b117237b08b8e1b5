#pragma once

#include "translation/WalkRules.h"

#include <QList>
#include <QObject>
#include <QString>

class QWidget;

// A control that is none of Qt's own list views, tab widgets, combo boxes,
// memos and tab bars tells the translator its texts itself: it implements
// translation::ControlTexts and names it in Q_INTERFACES, and qobject_cast
// finds it through the control's meta-object (a derived class's too), so
// the translator links none of its code.
Q_DECLARE_INTERFACE(translation::ControlTexts, "org.derize.Zizir.ControlTexts")

namespace translation::qt {

// Puts the window's own title and tooltip, then the texts of every component
// the window owns (see OwnedComponents), through `lookup` (TranslateText()
// when none is given). Called each time the launcher window is about to be
// shown.
void TranslateForm(QWidget* window, const TextLookup& lookup = {});

// Translates the texts that the component's kind of control carries, by the
// first of the translator's rules (translation/WalkRules.h) that applies.
void TranslateComponent(QObject* component, const TextLookup& lookup = {});

// The translator's rule for the component: the first whose kind (Qt's own
// list views, tab widgets, combo boxes, memos and tab bars) the component is
// or derives from, or the one a control that tells its texts itself names.
Rule ComponentRule(QObject* component);

// Names that stand for the property playing that role in the component's
// class: the caption (CaptionPropertyName) and the hint (`toolTip`).
inline constexpr char CaptionProperty[] = "Caption";
inline constexpr char HintProperty[] = "Hint";

// Reads the text property `name` (a Qt property name, or one of the two
// names above) found through the component's meta-object. A missing
// property, or one whose type is not QString, reads as empty.
QString GetTextProperty(const QObject* component, const char* name);
// Writes it; a missing, read-only or non-text property is left alone.
void SetTextProperty(QObject* component, const char* name, const QString& text);

// The property that holds what the user reads as the component's caption:
// `text` of buttons, labels and actions, `title` of group boxes and menus,
// `windowTitle` of windows, dock widgets and tool bars. Null for anything
// else; in particular the text of an edit is never a caption.
const char* CaptionPropertyName(const QObject* component);

// The components of the window that get translated: every widget and action
// below the window that has an object name (not one of Qt's own "qt_"
// names), in a depth-first walk over each object's children in their order,
// which is the order they were created in (the order of the window's .ui)
// unless raise() or lower() restacked them. The walk does not look
// inside controls that a rule translates as a whole (only at the pages of a
// tab widget), nor inside item views and spin boxes, so the parts that
// composite controls make for themselves are never visited.
QList<QObject*> OwnedComponents(const QWidget* window);

} // namespace translation::qt
