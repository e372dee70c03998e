#include "widgets/Picture.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

// The drawings live in a static library: they have to be registered by name before use.
static void registerPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace vexa {

namespace {

Picture drawing(const QString& resource) {
    registerPictureResources();
    if (!QFileInfo::exists(resource))
        return {};
    auto renderer = std::make_shared<QSvgRenderer>(resource);
    return renderer->isValid() ? Picture(std::move(renderer)) : Picture();
}

} // namespace

Picture::Picture(QPixmap raster)
    : raster_(std::move(raster)) {}

Picture::Picture(std::shared_ptr<QSvgRenderer> drawing)
    : drawing_(std::move(drawing)) {}

bool Picture::isNull() const {
    return !drawing_ && raster_.isNull();
}

QSize Picture::size() const {
    return drawing_ ? drawing_->defaultSize() : raster_.size();
}

void Picture::paint(QPainter& painter, const QRectF& target) const {
    if (drawing_) {
        drawing_->render(&painter, target);
        return;
    }
    const QPainter::RenderHints hints = painter.renderHints();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, raster_, QRectF(raster_.rect()));
    painter.setRenderHints(hints);
}

QIcon Picture::icon() const {
    if (!drawing_)
        return QIcon(raster_);
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        paint(painter, QRectF(0, 0, side, side));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

Picture loadPicture(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (!image.isNull())
        return Picture(QPixmap::fromImage(image));
    return drawing(QStringLiteral(":/pictures/") + QFileInfo(path).fileName());
}

QIcon programIcon() {
    return drawing(QStringLiteral(":/pictures/program-icon.svg")).icon();
}

} // namespace vexa
