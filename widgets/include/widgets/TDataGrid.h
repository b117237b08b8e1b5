#pragma once

#include <QStringList>
#include <QTableView>

class GridColumnModel;

// A data grid whose columns carry a title and a pick list offered when a
// cell is edited. The grid shows its model through a proxy that supplies the
// titles, so model() returns that proxy.
class TDataGrid : public QTableView
{
    Q_OBJECT

public:
    explicit TDataGrid(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    int addColumn(const QString& title, const QStringList& pickList = {});
    int columnCount() const;
    QString columnTitle(int column) const;
    void setColumnTitle(int column, const QString& title);
    QStringList pickList(int column) const;
    void setPickList(int column, const QStringList& items);
    void setPickListItem(int column, int item, const QString& text);

private:
    GridColumnModel* m_columns;
};
