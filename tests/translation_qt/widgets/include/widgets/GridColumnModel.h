#pragma once

#include "widgets/GridColumn.h"

#include <QIdentityProxyModel>
#include <QList>

// Stands between a data grid and the model it shows: the header shows each
// column's title, and a lookup column shows the pick-list text of the key
// stored in a cell.
class GridColumnModel : public QIdentityProxyModel
{
    Q_OBJECT

public:
    explicit GridColumnModel(QObject* parent = nullptr);

    int addColumn(const GridColumn& column);
    int columnDescriptionCount() const { return static_cast<int>(m_columns.size()); }
    // The description of `column`; an empty one when there is none.
    GridColumn column(int column) const;

    void setTitle(int column, const QString& title);
    void setPickList(int column, const QStringList& items);
    void setPickListItem(int column, int item, const QString& text);
    void setKeyList(int column, const QStringList& keys);
    void setKeyListItem(int column, int item, const QString& text);

    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    bool hasColumn(int column) const { return column >= 0 && column < columnDescriptionCount(); }
    void columnChanged(int column);

    QList<GridColumn> m_columns;
};
