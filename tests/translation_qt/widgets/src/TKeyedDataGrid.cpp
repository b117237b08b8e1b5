#include "widgets/TKeyedDataGrid.h"

#include "widgets/GridColumnModel.h"
#include "widgets/PickListDelegate.h"

TKeyedDataGrid::TKeyedDataGrid(QWidget* parent)
    : QTableView(parent), m_columns(new GridColumnModel(this))
{
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

int TKeyedDataGrid::columnCount() const
{
    return m_columns->columnDescriptionCount();
}

QString TKeyedDataGrid::columnTitle(int column) const
{
    return m_columns->column(column).title;
}

void TKeyedDataGrid::setColumnTitle(int column, const QString& title)
{
    m_columns->setTitle(column, title);
}

QStringList TKeyedDataGrid::pickList(int column) const
{
    return m_columns->column(column).pickList;
}

void TKeyedDataGrid::setPickListItem(int column, int item, const QString& text)
{
    m_columns->setListItem(column, &GridColumn::pickList, item, text);
}

QStringList TKeyedDataGrid::keyList(int column) const
{
    return m_columns->column(column).keyList;
}

void TKeyedDataGrid::setKeyListItem(int column, int item, const QString& text)
{
    m_columns->setListItem(column, &GridColumn::keyList, item, text);
}
