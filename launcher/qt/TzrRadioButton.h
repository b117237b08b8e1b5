#pragma once

#include "launcher/window/RadioButtonStyle.h"

#include <QRadioButton>
#include <cstdint>

class QStyleOptionButton;

// A radio button whose text wraps and can be aligned horizontally and
// vertically, and that can look flat or like a push button. The look is
// described by the native button style bits that a Windows button of the
// same settings would carry (nativeStyle(), launcher::radioButtonStyle);
// painting follows those bits.
class TzrRadioButton : public QRadioButton
{
    Q_OBJECT
    Q_PROPERTY(TAlignment HorizontalAlignment READ horizontalAlignment WRITE setHorizontalAlignment)
    Q_PROPERTY(TVertAlignment VerticalAlignment READ verticalAlignment WRITE setVerticalAlignment)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(TStyle Style READ buttonStyle WRITE setButtonStyle)

public:
    // The published properties' values, those of the shared style rule.
    enum TAlignment
    {
        taLeftJustify = static_cast<int>(launcher::TAlignment::taLeftJustify),
        taRightJustify = static_cast<int>(launcher::TAlignment::taRightJustify),
        taCenter = static_cast<int>(launcher::TAlignment::taCenter),
    };
    Q_ENUM(TAlignment)

    enum TVertAlignment
    {
        vaTopJustify = static_cast<int>(launcher::TVertAlignment::vaTopJustify),
        vaCenter = static_cast<int>(launcher::TVertAlignment::vaCenter),
        vaBottomJustify = static_cast<int>(launcher::TVertAlignment::vaBottomJustify),
    };
    Q_ENUM(TVertAlignment)

    enum TStyle
    {
        vsNormal = static_cast<int>(launcher::TStyle::vsNormal),
        vsFlat = static_cast<int>(launcher::TStyle::vsFlat),
        vsPushButton = static_cast<int>(launcher::TStyle::vsPushButton),
    };
    Q_ENUM(TStyle)

    explicit TzrRadioButton(QWidget* parent = nullptr);
    explicit TzrRadioButton(const QString& text, QWidget* parent = nullptr);

    TAlignment horizontalAlignment() const { return m_horizontal; }
    void setHorizontalAlignment(TAlignment value);
    TVertAlignment verticalAlignment() const { return m_vertical; }
    void setVerticalAlignment(TVertAlignment value);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool value);
    TStyle buttonStyle() const { return m_style; }
    void setButtonStyle(TStyle value);

    // Style bits currently in effect.
    std::uint32_t nativeStyle() const { return m_nativeStyle; }
    // How often the style was applied again because a property changed.
    int styleRecreations() const { return m_styleRecreations; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    void recreateStyle();
    launcher::RadioButtonProperties properties() const;
    int textFlags() const;
    QRect textRect(const QStyleOptionButton& option) const;
    void paintPushLike(QPainter& painter, const QStyleOptionButton& option);
    void paintIndicator(QPainter& painter, const QStyleOptionButton& option, const QRect& textArea);

    TAlignment m_horizontal = taLeftJustify;
    TVertAlignment m_vertical = vaTopJustify;
    bool m_wordWrap = true;
    TStyle m_style = vsNormal;
    std::uint32_t m_nativeStyle = 0;
    int m_styleRecreations = 0;
};
