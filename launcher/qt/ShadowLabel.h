#pragma once

#include <QLabel>

// An opaque label that draws its text with a one-pixel shadow up and to
// the left in the palette's button-highlight colour, shows "&" as an
// accelerator mark and sizes itself to its text, keeping its left and top.
//
// The text is kept exactly as set (translation looks it up by its exact
// characters); only for display are CR LF and a lone CR taken as line
// breaks, which Qt would otherwise draw as a space.
class ShadowLabel : public QLabel
{
    Q_OBJECT
    // Shadows QLabel's own property so that a text set by name also
    // resizes the label.
    Q_PROPERTY(QString text READ text WRITE setText)

public:
    explicit ShadowLabel(QWidget* parent = nullptr);

    void setText(const QString& text);

    // `text` with CR LF and lone CRs turned into LF.
    static QString displayText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    static constexpr int ShadowSize = 1;
    int drawFlags() const;
};
