#pragma once

#include <QObject>
#include <QString>

namespace translation::qt {

// What the window translator reads and writes of a folder-name edit: the
// title of the folder dialog its browse button opens and that button's
// tooltip. A control that names this interface in Q_INTERFACES is
// translated as a folder-name edit.
class DirectoryEditTexts
{
public:
    virtual ~DirectoryEditTexts() = default;

    virtual QString dialogText() const = 0;
    virtual void setDialogText(const QString& text) = 0;
    virtual QString buttonHint() const = 0;
    virtual void setButtonHint(const QString& hint) = 0;
};

} // namespace translation::qt

Q_DECLARE_INTERFACE(translation::qt::DirectoryEditTexts, "org.derize.Zizir.DirectoryEditTexts")
