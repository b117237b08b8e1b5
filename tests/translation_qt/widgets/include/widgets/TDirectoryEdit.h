#pragma once

#include "translation/qt/ControlTexts.h"

#include <QString>
#include <QWidget>

class QLineEdit;
class QToolButton;

// A folder-name edit with a browse button. The button opens a folder dialog
// that shows `dialogText` as its title; `buttonHint` is the button's tooltip.
// The inner edit and button are the control's own parts and carry no object
// name.
class TDirectoryEdit : public QWidget, public translation::qt::DirectoryEditTexts
{
    Q_OBJECT
    Q_INTERFACES(translation::qt::DirectoryEditTexts)
    Q_PROPERTY(
        QString directory READ directory WRITE setDirectory NOTIFY directoryChanged USER true)
    Q_PROPERTY(QString dialogText READ dialogText WRITE setDialogText)
    Q_PROPERTY(QString buttonHint READ buttonHint WRITE setButtonHint)

public:
    explicit TDirectoryEdit(QWidget* parent = nullptr);

    QString directory() const;
    void setDirectory(const QString& directory);

    QString dialogText() const override { return m_dialogText; }
    void setDialogText(const QString& text) override { m_dialogText = text; }

    QString buttonHint() const override;
    void setButtonHint(const QString& hint) override;

    QLineEdit* lineEdit() const { return m_edit; }
    QToolButton* browseButton() const { return m_button; }

signals:
    void directoryChanged(const QString& directory);

private:
    void browse();

    QLineEdit* m_edit;
    QToolButton* m_button;
    QString m_dialogText;
};
