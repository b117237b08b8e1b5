#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace translation::qt {

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

} // namespace translation::qt

Q_DECLARE_INTERFACE(translation::qt::DataGridTexts, "org.derize.Zizir.DataGridTexts")
