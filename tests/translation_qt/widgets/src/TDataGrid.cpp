#include "widgets/TDataGrid.h"

#include "widgets/GridColumnModel.h"
#include "widgets/PickListDelegate.h"

TDataGrid::TDataGrid(QWidget* parent) : QTableView(parent), m_columns(new GridColumnModel(this))
{
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

int TDataGrid::columnCount() const
{
    return m_columns->columnDescriptionCount();
}

QString TDataGrid::columnTitle(int column) const
{
    return m_columns->column(column).title;
}

void TDataGrid::setColumnTitle(int column, const QString& title)
{
    m_columns->setTitle(column, title);
}

QStringList TDataGrid::pickList(int column) const
{
    return m_columns->column(column).pickList;
}

void TDataGrid::setPickListItem(int column, int item, const QString& text)
{
    m_columns->setListItem(column, &GridColumn::pickList, item, text);
}
