#include "widgets/PickListDelegate.h"

#include "widgets/GridColumnModel.h"

#include <QComboBox>

PickListDelegate::PickListDelegate(const GridColumnModel* columns, QObject* parent)
    : QStyledItemDelegate(parent), m_columns(columns)
{
}

QWidget* PickListDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    const GridColumn column = m_columns->column(index.column());
    if (column.pickList.isEmpty()) {
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
    auto* combo = new QComboBox(parent);
    combo->addItems(column.pickList);
    // A lookup column stores keys only; a plain pick list is a suggestion.
    combo->setEditable(column.keyList.isEmpty());
    return combo;
}

void PickListDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    const GridColumn column = m_columns->column(index.column());
    const QString value = index.data(Qt::EditRole).toString();
    const qsizetype key = column.keyList.indexOf(value);
    if (key >= 0 && key < combo->count()) {
        combo->setCurrentIndex(static_cast<int>(key));
    } else if (combo->isEditable()) {
        combo->setCurrentText(value);
    } else {
        combo->setCurrentIndex(combo->findText(value));
    }
}

void PickListDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const
{
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    const GridColumn column = m_columns->column(index.column());
    const int chosen = combo->currentIndex();
    if (!column.keyList.isEmpty()) {
        if (chosen >= 0 && chosen < column.keyList.size()) {
            model->setData(index, column.keyList[chosen], Qt::EditRole);
        }
        return;
    }
    model->setData(index, combo->currentText(), Qt::EditRole);
}
