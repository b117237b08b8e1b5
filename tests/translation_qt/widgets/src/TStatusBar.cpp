#include "widgets/TStatusBar.h"

#include <QLabel>

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent) {}

int TStatusBar::addPanel(const QString& text, int width)
{
    auto* label = new QLabel(text, this);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    if (width > 0) {
        label->setFixedWidth(width);
    }
    addWidget(label, width > 0 ? 0 : 1);
    label->setVisible(!m_simplePanel);
    m_panels << label;
    return panelCount() - 1;
}

QString TStatusBar::panelText(int index) const
{
    return index >= 0 && index < panelCount() ? m_panels[index]->text() : QString();
}

void TStatusBar::setPanelText(int index, const QString& text)
{
    if (index >= 0 && index < panelCount()) {
        m_panels[index]->setText(text);
    }
}

void TStatusBar::setSimplePanel(bool simple)
{
    if (simple == m_simplePanel) {
        return;
    }
    m_simplePanel = simple;
    showMode();
}

void TStatusBar::setSimpleText(const QString& text)
{
    m_simpleText = text;
    showMode();
}

void TStatusBar::showMode()
{
    for (QLabel* panel : m_panels) {
        panel->setVisible(!m_simplePanel);
    }
    if (m_simplePanel) {
        showMessage(m_simpleText);
    } else {
        clearMessage();
    }
}
