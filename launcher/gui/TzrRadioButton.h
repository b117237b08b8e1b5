#pragma once

#include <QRadioButton>
#include <cstdint>

class QStyleOptionButton;

// A radio button whose text wraps and can be aligned horizontally and
// vertically, and that can look flat or like a push button. The look is
// described by the native button style bits that a Windows button of the
// same settings would carry (nativeStyle()); painting follows those bits.
class TzrRadioButton : public QRadioButton
{
    Q_OBJECT
    Q_PROPERTY(TAlignment HorizontalAlignment READ horizontalAlignment WRITE setHorizontalAlignment)
    Q_PROPERTY(TVertAlignment VerticalAlignment READ verticalAlignment WRITE setVerticalAlignment)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(TStyle Style READ buttonStyle WRITE setButtonStyle)

public:
    enum TAlignment
    {
        taLeftJustify,
        taRightJustify,
        taCenter,
    };
    Q_ENUM(TAlignment)

    enum TVertAlignment
    {
        vaTopJustify,
        vaCenter,
        vaBottomJustify,
    };
    Q_ENUM(TVertAlignment)

    enum TStyle
    {
        vsNormal,
        vsFlat,
        vsPushButton,
    };
    Q_ENUM(TStyle)

    // Windows button style bits.
    static constexpr std::uint32_t BS_RADIOBUTTON = 0x0004;
    static constexpr std::uint32_t BS_LEFT = 0x0100;
    static constexpr std::uint32_t BS_RIGHT = 0x0200;
    static constexpr std::uint32_t BS_CENTER = 0x0300;
    static constexpr std::uint32_t BS_TOP = 0x0400;
    static constexpr std::uint32_t BS_BOTTOM = 0x0800;
    static constexpr std::uint32_t BS_VCENTER = 0x0C00;
    static constexpr std::uint32_t BS_PUSHLIKE = 0x1000;
    static constexpr std::uint32_t BS_MULTILINE = 0x2000;
    static constexpr std::uint32_t BS_FLAT = 0x8000;
    // Alignment, push-like, multi-line and flat bits: replaced by the
    // properties. BS_NOTIFY (0x4000) and every other bit are kept.
    static constexpr std::uint32_t StyleBitsReplaced = 0xBF00;

    // The style bits of a button created from `baseStyle` with the given
    // settings.
    static std::uint32_t nativeStyleFor(std::uint32_t baseStyle, TAlignment horizontal,
                                        TVertAlignment vertical, bool wordWrap, TStyle style);

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
