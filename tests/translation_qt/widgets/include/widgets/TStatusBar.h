#pragma once

#include "widgets/FixtureTexts.h"

#include <QStatusBar>

// A status bar divided into panels, each showing one text, with a
// simple-mode text of its own that is no panel's.
class TStatusBar : public FixtureTexts<QStatusBar>
{
    Q_OBJECT
    Q_INTERFACES(translation::ControlTexts)

public:
    explicit TStatusBar(QWidget* parent = nullptr)
        : FixtureTexts(translation::Rule::StatusBar, parent)
    {
    }

    void addPanel(const QString& text)
    {
        setTexts(translation::TextList::Items, 0, texts(translation::TextList::Items) << text);
    }
    QString panelText(int index) const { return texts(translation::TextList::Items).at(index); }

    QString simpleText() const { return m_simpleText; }
    void setSimpleText(const QString& text) { m_simpleText = text; }

private:
    QString m_simpleText;
};
