#pragma once

#include "translation/qt/DataGridTexts.h"

namespace translation::qt {

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

} // namespace translation::qt

Q_DECLARE_INTERFACE(translation::qt::KeyedDataGridTexts, "org.derize.Zizir.KeyedDataGridTexts")
