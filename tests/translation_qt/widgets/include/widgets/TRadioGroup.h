#pragma once

#include "translation/qt/ControlTexts.h"

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QRadioButton;
class QVBoxLayout;

// A group box holding one radio button per item. `itemIndex` is the checked
// item, -1 when none is. Item texts can be replaced one by one without
// touching the checked item. The radio buttons are the control's own parts
// and carry no object name.
class TRadioGroup : public QGroupBox, public translation::qt::RadioGroupTexts
{
    Q_OBJECT
    Q_INTERFACES(translation::qt::RadioGroupTexts)
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex NOTIFY itemIndexChanged)

public:
    explicit TRadioGroup(QWidget* parent = nullptr);
    explicit TRadioGroup(const QString& title, QWidget* parent = nullptr);

    QStringList items() const;
    // Replaces every item; no item is checked afterwards.
    void setItems(const QStringList& items);
    int count() const override { return static_cast<int>(m_buttons.size()); }
    QString itemText(int index) const override;
    void setItemText(int index, const QString& text) override;

    int itemIndex() const override;
    // Checks the item at `index`; any index out of range unchecks all.
    // Emits itemIndexChanged only when the checked item changes.
    void setItemIndex(int index) override;

signals:
    void itemIndexChanged(int index);

private:
    void buttonToggled(int id, bool checked);

    QVBoxLayout* m_layout;
    QButtonGroup* m_group;
    QList<QRadioButton*> m_buttons;
    int m_itemIndex = -1;
};
