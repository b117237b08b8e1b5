#pragma once

// The texts the window translator reads and writes of the controls it
// knows beyond Qt's own (the tests' fixture controls, in
// tests/translation_qt/widgets/): a control that names one of these
// interfaces in Q_INTERFACES is translated by that interface's rule. The
// translator finds them with qobject_cast, through the meta-object, so it
// needs none of those controls' code.

#include <QObject>
#include <QString>
#include <QStringList>

namespace translation::qt {

// What the window translator reads and writes of a folder-name edit: the
// title of the folder dialog its browse button opens and that button's
// tooltip. A control that names this interface in Q_INTERFACES is
// translated as a folder-name edit.
class DirectoryEditTexts
{
public:
    virtual ~DirectoryEditTexts() = default;

    virtual QString dialogText() const = 0;
    virtual void setDialogText(const QString& text) = 0;
    virtual QString buttonHint() const = 0;
    virtual void setButtonHint(const QString& hint) = 0;
};

// What the window translator reads and writes of a data grid: each column's
// title and the items of its pick list. A control that names this interface
// in Q_INTERFACES is translated as a data grid.
class DataGridTexts
{
public:
    virtual ~DataGridTexts() = default;

    virtual int columnCount() const = 0;
    virtual QString columnTitle(int column) const = 0;
    virtual void setColumnTitle(int column, const QString& title) = 0;
    virtual QStringList pickList(int column) const = 0;
    virtual void setPickListItem(int column, int item, const QString& text) = 0;
};

// A data grid with lookup columns: besides each column's title and pick
// list, its key list. A grid that declares this interface alone is not a
// plain data grid to the translator (qobject_cast finds only the interfaces
// a class names in Q_INTERFACES).
class KeyedDataGridTexts : public DataGridTexts
{
public:
    virtual QStringList keyList(int column) const = 0;
    virtual void setKeyListItem(int column, int item, const QString& text) = 0;
};

// What the window translator reads and writes of a radio group: its items,
// and which of them is checked, so that renaming them keeps the check. A
// control that names this interface in Q_INTERFACES is translated as a
// radio group.
class RadioGroupTexts
{
public:
    virtual ~RadioGroupTexts() = default;

    virtual int count() const = 0;
    virtual QString itemText(int index) const = 0;
    virtual void setItemText(int index, const QString& text) = 0;
    // The checked item, -1 when none is.
    virtual int itemIndex() const = 0;
    virtual void setItemIndex(int index) = 0;
};

// What the window translator reads and writes of a status bar with panels:
// the panel texts. A control that names this interface in Q_INTERFACES is
// translated as such a status bar.
class StatusBarTexts
{
public:
    virtual ~StatusBarTexts() = default;

    virtual int panelCount() const = 0;
    virtual QString panelText(int index) const = 0;
    virtual void setPanelText(int index, const QString& text) = 0;
};

} // namespace translation::qt

Q_DECLARE_INTERFACE(translation::qt::DirectoryEditTexts, "org.derize.Zizir.DirectoryEditTexts")
Q_DECLARE_INTERFACE(translation::qt::DataGridTexts, "org.derize.Zizir.DataGridTexts")
Q_DECLARE_INTERFACE(translation::qt::KeyedDataGridTexts, "org.derize.Zizir.KeyedDataGridTexts")
Q_DECLARE_INTERFACE(translation::qt::RadioGroupTexts, "org.derize.Zizir.RadioGroupTexts")
Q_DECLARE_INTERFACE(translation::qt::StatusBarTexts, "org.derize.Zizir.StatusBarTexts")
