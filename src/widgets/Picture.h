#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

class QPainter;
class QRectF;

namespace vexa {

// A picture from a file beside the program, painted at whatever size it is given.
class Picture {
public:
    Picture() = default;
    explicit Picture(QPixmap raster);

    bool isNull() const { return raster_.isNull(); }
    QSize size() const { return raster_.size(); }
    // Fills `target` exactly; the caller keeps the proportions if it wants them.
    void paint(QPainter& painter, const QRectF& target) const;
    QIcon icon() const { return QIcon(raster_); }

private:
    QPixmap raster_;
};

// The file at `path`; nothing when it is missing or cannot be read. PNG, JPEG, GIF or ICO files.
Picture loadPicture(const QString& path);

} // namespace vexa
