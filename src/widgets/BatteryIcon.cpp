#include "widgets/BatteryIcon.h"

#include <QPainter>

namespace vexa {

void BatteryIcon::paintEvent(QPaintEvent*) {
    const QString state = text();
    const double level = state == u"J" ? 1.0 : state == u"K" ? 0.5 : state == u"L" ? 0.15 : -1;
    if (level < 0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = palette().color(QPalette::WindowText);
    const QRectF body = QRectF(rect()).adjusted(2, 5, -5, -5);
    painter.setPen(QPen(colour, 1.5));
    painter.drawRect(body);
    painter.fillRect(QRectF(body.right(), body.center().y() - 3, 3, 6), colour);
    const QRectF inner = body.adjusted(2, 2, -2, -2);
    painter.fillRect(QRectF(inner.left(), inner.top(), inner.width() * level, inner.height()), colour);
}

} // namespace vexa
