#include "widgets/TDataGrid.h"

#include "widgets/PickListDelegate.h"

TDataGrid::TDataGrid(QWidget* parent) : QTableView(parent)
{
    m_columns = new GridColumnModel(this);
    setItemDelegate(new PickListDelegate(m_columns, this));
    QTableView::setModel(m_columns);
}

void TDataGrid::setModel(QAbstractItemModel* model)
{
    m_columns->setSourceModel(model);
    QTableView::setModel(m_columns);
}

int TDataGrid::addColumn(const QString& title, const QStringList& pickList)
{
    return m_columns->addColumn({title, pickList, {}});
}
