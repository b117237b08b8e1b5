#include "widgets/TRadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(QWidget* parent) : TRadioGroup(QString(), parent) {}

TRadioGroup::TRadioGroup(const QString& title, QWidget* parent)
    : QGroupBox(title, parent), m_layout(new QVBoxLayout(this)), m_group(new QButtonGroup(this))
{
    connect(m_group, &QButtonGroup::idToggled, this, &TRadioGroup::buttonToggled);
}

QStringList TRadioGroup::items() const
{
    QStringList texts;
    for (const QRadioButton* button : m_buttons) {
        texts << button->text();
    }
    return texts;
}

void TRadioGroup::setItems(const QStringList& items)
{
    const int oldIndex = m_itemIndex;
    for (QRadioButton* button : m_buttons) {
        m_group->removeButton(button);
        delete button;
    }
    m_buttons.clear();
    m_itemIndex = -1;
    for (const QString& text : items) {
        auto* button = new QRadioButton(text, this);
        m_group->addButton(button, static_cast<int>(m_buttons.size()));
        m_layout->addWidget(button);
        m_buttons << button;
    }
    if (oldIndex != -1) {
        emit itemIndexChanged(-1);
    }
}

QString TRadioGroup::itemText(int index) const
{
    return index >= 0 && index < count() ? m_buttons[index]->text() : QString();
}

void TRadioGroup::setItemText(int index, const QString& text)
{
    if (index >= 0 && index < count()) {
        m_buttons[index]->setText(text);
    }
}

int TRadioGroup::itemIndex() const
{
    return m_itemIndex;
}

void TRadioGroup::setItemIndex(int index)
{
    if (index < 0 || index >= count()) {
        index = -1;
    }
    if (index == m_itemIndex) {
        return;
    }
    {
        // An exclusive group cannot uncheck its last checked button.
        const QSignalBlocker blocker(m_group);
        m_group->setExclusive(false);
        for (int i = 0; i < count(); ++i) {
            m_buttons[i]->setChecked(i == index);
        }
        m_group->setExclusive(true);
    }
    m_itemIndex = index;
    emit itemIndexChanged(index);
}

void TRadioGroup::buttonToggled(int id, bool checked)
{
    if (!checked || id == m_itemIndex) {
        return;
    }
    m_itemIndex = id;
    emit itemIndexChanged(id);
}
