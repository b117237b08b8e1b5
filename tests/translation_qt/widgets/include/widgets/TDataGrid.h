#pragma once

#include "translation/qt/ControlTexts.h"
#include "widgets/GridColumnModel.h"

#include <QTableView>

// A data grid whose columns carry a title and a pick list offered when a
// cell is edited. The grid shows its model through a proxy that supplies the
// titles, so model() returns that proxy.
class TDataGrid : public QTableView, public GridColumnTexts<translation::qt::DataGridTexts>
{
    Q_OBJECT
    Q_INTERFACES(translation::qt::DataGridTexts)

public:
    explicit TDataGrid(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    int addColumn(const QString& title, const QStringList& pickList = {});
};
