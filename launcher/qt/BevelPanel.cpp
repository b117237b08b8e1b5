#include "BevelPanel.h"

#include <QPainter>
#include <qdrawutil.h>

BevelPanel::BevelPanel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::NoFrame);
    setContentsMargins(2 * BevelWidth, 2 * BevelWidth, 2 * BevelWidth, 2 * BevelWidth);
}

void BevelPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect outer = rect();
    qDrawShadePanel(&painter, outer, palette(), false, BevelWidth);
    qDrawShadePanel(&painter, outer.adjusted(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth),
                    palette(), true, BevelWidth);
}
