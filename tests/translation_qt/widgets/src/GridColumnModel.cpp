#include "widgets/GridColumnModel.h"

GridColumnModel::GridColumnModel(QObject* parent) : QIdentityProxyModel(parent) {}

int GridColumnModel::addColumn(const GridColumn& column)
{
    m_columns << column;
    const int index = columnDescriptionCount() - 1;
    columnChanged(index);
    return index;
}

GridColumn GridColumnModel::column(int column) const
{
    return hasColumn(column) ? m_columns[column] : GridColumn{};
}

void GridColumnModel::setTitle(int column, const QString& title)
{
    if (!hasColumn(column) || m_columns[column].title == title) {
        return;
    }
    m_columns[column].title = title;
    columnChanged(column);
}

void GridColumnModel::setListItem(int column, QStringList GridColumn::*list, int item,
                                  const QString& text)
{
    if (!hasColumn(column) || item < 0 || item >= (m_columns[column].*list).size()) {
        return;
    }
    (m_columns[column].*list)[item] = text;
    columnChanged(column);
}

QVariant GridColumnModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && hasColumn(section) &&
        !m_columns[section].title.isEmpty()) {
        return m_columns[section].title;
    }
    return QIdentityProxyModel::headerData(section, orientation, role);
}

QVariant GridColumnModel::data(const QModelIndex& index, int role) const
{
    const QVariant value = QIdentityProxyModel::data(index, role);
    if (role != Qt::DisplayRole || !index.isValid() || !hasColumn(index.column())) {
        return value;
    }
    const GridColumn& column = m_columns[index.column()];
    const qsizetype key = column.keyList.indexOf(value.toString());
    if (key >= 0 && key < column.pickList.size()) {
        return column.pickList[key];
    }
    return value;
}

void GridColumnModel::columnChanged(int column)
{
    emit headerDataChanged(Qt::Horizontal, column, column);
    const int rows = rowCount();
    if (rows > 0 && column < columnCount()) {
        emit dataChanged(index(0, column), index(rows - 1, column), {Qt::DisplayRole});
    }
}
