#pragma once

#include <QObject>
#include <QString>

namespace translation::qt {

// What the window translator reads and writes of a status bar with panels:
// the panel texts. A control that names this interface in Q_INTERFACES is
// translated as such a status bar.
class StatusBarTexts
{
public:
    virtual ~StatusBarTexts() = default;

    virtual int panelCount() const = 0;
    virtual QString panelText(int index) const = 0;
    virtual void setPanelText(int index, const QString& text) = 0;
};

} // namespace translation::qt

Q_DECLARE_INTERFACE(translation::qt::StatusBarTexts, "org.derize.Zizir.StatusBarTexts")
