#include "widgets/TKeyedDataGrid.h"

#include "widgets/PickListDelegate.h"

TKeyedDataGrid::TKeyedDataGrid(QWidget* parent) : QTableView(parent)
{
    m_columns = new GridColumnModel(this);
    setItemDelegate(new PickListDelegate(m_columns, this));
    QTableView::setModel(m_columns);
}

void TKeyedDataGrid::setModel(QAbstractItemModel* model)
{
    m_columns->setSourceModel(model);
    QTableView::setModel(m_columns);
}

int TKeyedDataGrid::addColumn(const QString& title, const QStringList& pickList,
                              const QStringList& keyList)
{
    return m_columns->addColumn({title, pickList, keyList});
}
