#include "widgets/TDirectoryEdit.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

TDirectoryEdit::TDirectoryEdit(QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_button(new QToolButton(this))
{
    m_button->setText(QStringLiteral("..."));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_edit);
    layout->addWidget(m_button);
    setFocusProxy(m_edit);

    connect(m_edit, &QLineEdit::textChanged, this, &TDirectoryEdit::directoryChanged);
    connect(m_button, &QToolButton::clicked, this, &TDirectoryEdit::browse);
}

QString TDirectoryEdit::directory() const
{
    return m_edit->text();
}

void TDirectoryEdit::setDirectory(const QString& directory)
{
    m_edit->setText(directory);
}

QString TDirectoryEdit::buttonHint() const
{
    return m_button->toolTip();
}

void TDirectoryEdit::setButtonHint(const QString& hint)
{
    m_button->setToolTip(hint);
}

void TDirectoryEdit::browse()
{
    const QString chosen = QFileDialog::getExistingDirectory(this, m_dialogText, directory());
    if (!chosen.isEmpty()) {
        setDirectory(chosen);
    }
}
