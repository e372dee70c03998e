#include "widgets/BluetoothIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace vexa {

void BluetoothIcon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = width();
    const qreal h = height();
    const auto at = [w, h](qreal x, qreal y) { return QPointF(x * w, y * h); };

    QPainterPath rune;
    rune.moveTo(at(0.3, 0.3));
    rune.lineTo(at(0.7, 0.65));
    rune.lineTo(at(0.5, 0.85));
    rune.lineTo(at(0.5, 0.15));
    rune.lineTo(at(0.7, 0.35));
    rune.lineTo(at(0.3, 0.7));
    painter.setPen(QPen(connected_ ? QColor(0, 90, 200) : QColor(140, 140, 140), 2));
    painter.drawPath(rune);
    if (!connected_) {
        painter.setPen(QPen(QColor(200, 0, 0), 2));
        painter.drawLine(at(0.15, 0.85), at(0.85, 0.15));
    }
}

} // namespace vexa
