#pragma once

#include "widgets/FixtureTexts.h"

#include <QLineEdit>

// A folder-name edit: its text is the folder; the title of the folder
// dialog it would open and its browse button's tooltip are its texts.
class TDirectoryEdit : public FixtureTexts<QLineEdit>
{
    Q_OBJECT
    Q_INTERFACES(translation::ControlTexts)

public:
    explicit TDirectoryEdit(QWidget* parent = nullptr)
        : FixtureTexts(translation::Rule::DirectoryEdit, parent)
    {
        setTexts(translation::TextList::Items, 0, {QString(), QString()});
    }

    QString dialogText() const { return texts(translation::TextList::Items).at(0); }
    QString buttonHint() const { return texts(translation::TextList::Items).at(1); }
    void setDialogTexts(const QString& dialogText, const QString& buttonHint)
    {
        setTexts(translation::TextList::Items, 0, {dialogText, buttonHint});
    }
};
