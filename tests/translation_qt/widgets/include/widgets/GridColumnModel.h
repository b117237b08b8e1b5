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
    // Item `item` of the column's pick list or key list (`list`); an item
    // out of range is left alone.
    void setListItem(int column, QStringList GridColumn::*list, int item, const QString& text);

    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    bool hasColumn(int column) const { return column >= 0 && column < columnDescriptionCount(); }
    void columnChanged(int column);

    QList<GridColumn> m_columns;
};

// The texts both data grids carry, kept in their column model; `Texts` is
// the translator's interface the grid implements.
template <class Texts>
class GridColumnTexts : public Texts
{
public:
    int columnCount() const override { return m_columns->columnDescriptionCount(); }
    QString columnTitle(int column) const override { return m_columns->column(column).title; }
    void setColumnTitle(int column, const QString& title) override
    {
        m_columns->setTitle(column, title);
    }
    QStringList pickList(int column) const override { return m_columns->column(column).pickList; }
    void setPickListItem(int column, int item, const QString& text) override
    {
        m_columns->setListItem(column, &GridColumn::pickList, item, text);
    }

protected:
    GridColumnModel* m_columns = nullptr;
};
