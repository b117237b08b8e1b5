#include "TzrRadioButton.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

namespace ButtonStyle = launcher::ButtonStyle;

TzrRadioButton::TzrRadioButton(QWidget* parent) : TzrRadioButton(QString(), parent) {}

TzrRadioButton::TzrRadioButton(const QString& text, QWidget* parent)
    : QRadioButton(text, parent),
      m_nativeStyle(launcher::radioButtonStyle(ButtonStyle::RadioButton, properties()))
{
}

void TzrRadioButton::setHorizontalAlignment(TAlignment value)
{
    launcher::setButtonProperty(m_horizontal, value, [this] { recreateStyle(); });
}

void TzrRadioButton::setVerticalAlignment(TVertAlignment value)
{
    launcher::setButtonProperty(m_vertical, value, [this] { recreateStyle(); });
}

void TzrRadioButton::setWordWrap(bool value)
{
    launcher::setButtonProperty(m_wordWrap, value, [this] { recreateStyle(); });
}

void TzrRadioButton::setButtonStyle(TStyle value)
{
    launcher::setButtonProperty(m_style, value, [this] { recreateStyle(); });
}

launcher::RadioButtonProperties TzrRadioButton::properties() const
{
    return {static_cast<launcher::TAlignment>(m_horizontal),
            static_cast<launcher::TVertAlignment>(m_vertical), m_wordWrap,
            static_cast<launcher::TStyle>(m_style)};
}

void TzrRadioButton::recreateStyle()
{
    m_nativeStyle = launcher::radioButtonStyle(m_nativeStyle, properties());
    ++m_styleRecreations;
    updateGeometry();
    update();
}

int TzrRadioButton::textFlags() const
{
    // Without alignment bits the text is left-aligned and vertically
    // centred, as the native button draws it.
    const std::uint32_t horizontal = m_nativeStyle & ButtonStyle::Center;
    const std::uint32_t vertical = m_nativeStyle & ButtonStyle::VCenter;
    int flags = Qt::TextShowMnemonic;
    flags |= horizontal == ButtonStyle::Right    ? Qt::AlignRight
             : horizontal == ButtonStyle::Center ? Qt::AlignHCenter
                                                 : Qt::AlignLeft;
    flags |= vertical == ButtonStyle::Top      ? Qt::AlignTop
             : vertical == ButtonStyle::Bottom ? Qt::AlignBottom
                                               : Qt::AlignVCenter;
    flags |= (m_nativeStyle & ButtonStyle::MultiLine) ? Qt::TextWordWrap : Qt::TextSingleLine;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this)) {
        flags |= Qt::TextHideMnemonic;
    }
    return flags;
}

QRect TzrRadioButton::textRect(const QStyleOptionButton& option) const
{
    if (m_nativeStyle & ButtonStyle::PushLike) {
        const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
        return rect().adjusted(margin / 2, margin / 2, -margin / 2, -margin / 2);
    }
    return style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
}

void TzrRadioButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const int flags = textFlags();
    const QRect area = textRect(option);
    // The part of the area that the text takes: the focus frame goes round
    // it and the indicator lines up with its first or last line.
    const QRect used = fontMetrics().boundingRect(area, flags, text()) & area;

    if (m_nativeStyle & ButtonStyle::PushLike) {
        paintPushLike(painter, option);
    } else {
        paintIndicator(painter, option, used);
    }
    const QPalette::ColorRole textRole =
        (m_nativeStyle & ButtonStyle::PushLike) ? QPalette::ButtonText : QPalette::WindowText;
    style()->drawItemText(&painter, area, flags, option.palette, isEnabled(), text(), textRole);

    if (hasFocus() && !text().isEmpty()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = used.adjusted(-1, 0, 1, 0) & rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void TzrRadioButton::paintPushLike(QPainter& painter, const QStyleOptionButton& option)
{
    QStyleOptionButton bevel = option;
    bevel.features = QStyleOptionButton::None;
    bevel.state &= ~(QStyle::State_On | QStyle::State_Off);
    if (isChecked() || isDown()) {
        bevel.state |= QStyle::State_Sunken | QStyle::State_On;
    } else {
        bevel.state |= QStyle::State_Raised;
    }
    style()->drawControl(QStyle::CE_PushButtonBevel, &bevel, &painter, this);
}

void TzrRadioButton::paintIndicator(QPainter& painter, const QStyleOptionButton& option,
                                    const QRect& textArea)
{
    QRect indicator = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
    const int lineHeight = fontMetrics().height();
    switch (m_nativeStyle & ButtonStyle::VCenter) {
    case ButtonStyle::Top:
        indicator.moveTop(textArea.top() + (lineHeight - indicator.height()) / 2);
        break;
    case ButtonStyle::Bottom:
        indicator.moveBottom(textArea.bottom() - (lineHeight - indicator.height()) / 2);
        break;
    default:
        indicator.moveTop((height() - indicator.height()) / 2);
        break;
    }
    indicator.moveTop(std::max(0, indicator.top()));

    if (!(m_nativeStyle & ButtonStyle::Flat)) {
        QStyleOptionButton box = option;
        box.rect = indicator;
        style()->drawPrimitive(QStyle::PE_IndicatorRadioButton, &box, &painter, this);
        return;
    }

    // Flat: a plain circle in the text colour, no shading.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    const QRectF circle = QRectF(indicator).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setPen(QPen(option.palette.color(group, QPalette::WindowText), 1));
    painter.setBrush(option.palette.color(group, QPalette::Base));
    painter.drawEllipse(circle);
    if (isChecked()) {
        const qreal inset = circle.width() / 3.5;
        painter.setPen(Qt::NoPen);
        painter.setBrush(option.palette.color(group, QPalette::Text));
        painter.drawEllipse(circle.adjusted(inset, inset, -inset, -inset));
    }
    painter.restore();
}

bool TzrRadioButton::hitButton(const QPoint& pos) const
{
    // Like a native button: the whole control answers to the mouse.
    return rect().contains(pos);
}
