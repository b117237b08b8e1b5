#pragma once

#include "translation/qt/ControlTexts.h"

#include <QStringList>
#include <QTableView>

class GridColumnModel;

// A data grid whose columns carry a title and a pick list offered when a
// cell is edited. The grid shows its model through a proxy that supplies the
// titles, so model() returns that proxy.
class TDataGrid : public QTableView, public translation::qt::DataGridTexts
{
    Q_OBJECT
    Q_INTERFACES(translation::qt::DataGridTexts)

public:
    explicit TDataGrid(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    int addColumn(const QString& title, const QStringList& pickList = {});
    int columnCount() const override;
    QString columnTitle(int column) const override;
    void setColumnTitle(int column, const QString& title) override;
    QStringList pickList(int column) const override;
    void setPickListItem(int column, int item, const QString& text) override;

private:
    GridColumnModel* m_columns;
};
