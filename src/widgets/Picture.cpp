#include "widgets/Picture.h"

#include <QImageReader>
#include <QPainter>

namespace vexa {

Picture::Picture(QPixmap raster)
    : raster_(std::move(raster)) {}

void Picture::paint(QPainter& painter, const QRectF& target) const {
    const QPainter::RenderHints hints = painter.renderHints();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, raster_, QRectF(raster_.rect()));
    painter.setRenderHints(hints);
}

Picture loadPicture(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return Picture(QPixmap::fromImage(reader.read()));
}

} // namespace vexa
