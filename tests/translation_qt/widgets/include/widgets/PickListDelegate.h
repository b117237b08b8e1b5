#pragma once

#include <QStyledItemDelegate>

class GridColumnModel;

// Edits a cell of a column that has a pick list with a combo box of that
// list. In a lookup column the key of the chosen text is stored.
class PickListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    PickListDelegate(const GridColumnModel* columns, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    const GridColumnModel* m_columns;
};
