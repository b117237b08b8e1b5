#pragma once

#include <QFrame>

// A panel with two one-pixel bevels: the outer one raised, the inner one
// lowered. Its contents start inside both bevels.
class BevelPanel : public QFrame
{
    Q_OBJECT

public:
    explicit BevelPanel(QWidget* parent = nullptr);

    static constexpr int BevelWidth = 1;

protected:
    void paintEvent(QPaintEvent* event) override;
};
