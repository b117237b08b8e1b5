#pragma once

#include <QObject>
#include <QString>

namespace translation::qt {

// What the window translator reads and writes of a radio group: its items,
// and which of them is checked, so that renaming them keeps the check. A
// control that names this interface in Q_INTERFACES is translated as a
// radio group.
class RadioGroupTexts
{
public:
    virtual ~RadioGroupTexts() = default;

    virtual int count() const = 0;
    virtual QString itemText(int index) const = 0;
    virtual void setItemText(int index, const QString& text) = 0;
    // The checked item, -1 when none is.
    virtual int itemIndex() const = 0;
    virtual void setItemIndex(int index) = 0;
};

} // namespace translation::qt

Q_DECLARE_INTERFACE(translation::qt::RadioGroupTexts, "org.derize.Zizir.RadioGroupTexts")
