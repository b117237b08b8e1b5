#pragma once

#include "translation/qt/ControlTexts.h"

#include <QList>
#include <QStatusBar>

class QLabel;

// A status bar divided into panels, each showing one text. In simple mode
// the panels are hidden and the bar shows `simpleText` across its width
// instead. The panel labels are the control's own parts and carry no object
// name.
class TStatusBar : public QStatusBar, public translation::qt::StatusBarTexts
{
    Q_OBJECT
    Q_INTERFACES(translation::qt::StatusBarTexts)
    Q_PROPERTY(bool simplePanel READ simplePanel WRITE setSimplePanel)
    Q_PROPERTY(QString simpleText READ simpleText WRITE setSimpleText)

public:
    explicit TStatusBar(QWidget* parent = nullptr);

    // Adds a panel at the right end; a width of 0 lets it stretch.
    int addPanel(const QString& text, int width = 0);
    int panelCount() const override { return static_cast<int>(m_panels.size()); }
    QString panelText(int index) const override;
    void setPanelText(int index, const QString& text) override;

    bool simplePanel() const { return m_simplePanel; }
    void setSimplePanel(bool simple);
    QString simpleText() const { return m_simpleText; }
    void setSimpleText(const QString& text);

private:
    void showMode();

    QList<QLabel*> m_panels;
    bool m_simplePanel = false;
    QString m_simpleText;
};
