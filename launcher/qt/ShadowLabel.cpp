#include "ShadowLabel.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

ShadowLabel::ShadowLabel(QWidget* parent) : QLabel(parent)
{
    setAutoFillBackground(true);
}

void ShadowLabel::setText(const QString& text)
{
    QLabel::setText(text);
    adjustSize();
}

QString ShadowLabel::displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

int ShadowLabel::drawFlags() const
{
    return Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic;
}

QSize ShadowLabel::sizeHint() const
{
    const QRect bounds = fontMetrics().boundingRect(QRect(), drawFlags(), displayText(text()));
    const QMargins margins = contentsMargins();
    return QSize(bounds.width() + ShadowSize + margins.left() + margins.right(),
                 bounds.height() + ShadowSize + margins.top() + margins.bottom());
}

QSize ShadowLabel::minimumSizeHint() const
{
    return sizeHint();
}

void ShadowLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QString shown = displayText(text());
    const QRect area = contentsRect();
    QPalette shadow = palette();
    shadow.setColor(QPalette::WindowText, palette().color(QPalette::Light));
    style()->drawItemText(&painter, area.adjusted(0, 0, -ShadowSize, -ShadowSize), drawFlags(),
                          shadow, isEnabled(), shown, QPalette::WindowText);
    style()->drawItemText(&painter, area.adjusted(ShadowSize, ShadowSize, 0, 0), drawFlags(),
                          palette(), isEnabled(), shown, QPalette::WindowText);
}

void ShadowLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        adjustSize();
    }
}
