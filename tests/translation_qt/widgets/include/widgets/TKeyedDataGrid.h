#pragma once

#include "translation/qt/ControlTexts.h"
#include "widgets/GridColumnModel.h"

#include <QTableView>

// A data grid whose columns carry a title, a pick list offered when a cell
// is edited and a key list: the values stored in place of the pick-list
// texts, which the cells show as those texts. The grid shows its model
// through a proxy that supplies titles and texts, so model() returns that
// proxy. Not derived from TDataGrid: the window translator tells the two
// apart by the interface each implements.
class TKeyedDataGrid : public QTableView,
                       public GridColumnTexts<translation::qt::KeyedDataGridTexts>
{
    Q_OBJECT
    Q_INTERFACES(translation::qt::KeyedDataGridTexts)

public:
    explicit TKeyedDataGrid(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    int addColumn(const QString& title, const QStringList& pickList = {},
                  const QStringList& keyList = {});
    QStringList keyList(int column) const override { return m_columns->column(column).keyList; }
    void setKeyListItem(int column, int item, const QString& text) override
    {
        m_columns->setListItem(column, &GridColumn::keyList, item, text);
    }
};
