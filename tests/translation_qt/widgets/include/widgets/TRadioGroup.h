#pragma once

#include "widgets/FixtureTexts.h"

#include <QGroupBox>

// A group box of items of which one (`itemIndex`) is checked, -1 when none
// is. Renaming the items keeps the checked one.
class TRadioGroup : public FixtureTexts<QGroupBox>
{
    Q_OBJECT
    Q_INTERFACES(translation::ControlTexts)

public:
    explicit TRadioGroup(QWidget* parent = nullptr) : TRadioGroup(QString(), parent) {}
    explicit TRadioGroup(const QString& title, QWidget* parent = nullptr)
        : FixtureTexts(translation::Rule::RadioGroup, parent)
    {
        setTitle(title);
    }

    QStringList items() const { return texts(translation::TextList::Items); }
    void setItems(const QStringList& items) { setTexts(translation::TextList::Items, 0, items); }

    int itemIndex() const { return m_itemIndex; }
    // Emits itemIndexChanged only when the checked item changes.
    void setItemIndex(int index)
    {
        if (index != m_itemIndex) {
            m_itemIndex = index;
            emit itemIndexChanged(index);
        }
    }
    int selected() const override { return m_itemIndex; }
    void select(int index) override { setItemIndex(index); }

signals:
    void itemIndexChanged(int index);

private:
    int m_itemIndex = -1;
};
