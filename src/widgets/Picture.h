#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <memory>

class QPainter;
class QRectF;
class QSvgRenderer;

namespace vexa {

// A picture from a file beside the program or one of the program's own drawings. Drawings are
// painted at whatever size they are given; files at their own resolution.
class Picture {
public:
    Picture() = default;
    explicit Picture(QPixmap raster);
    explicit Picture(std::shared_ptr<QSvgRenderer> drawing);

    bool isNull() const;
    bool isDrawing() const { return drawing_ != nullptr; }
    QSize size() const;
    // Fills `target` exactly; the caller keeps the proportions if it wants them.
    void paint(QPainter& painter, const QRectF& target) const;
    QIcon icon() const;

private:
    QPixmap raster_;
    std::shared_ptr<QSvgRenderer> drawing_;
};

// The file at `path` when it can be read; otherwise the program's own drawing for a file of that name;
// otherwise nothing. PNG, JPEG, GIF or ICO files; a maker puts its own pictures beside the program.
Picture loadPicture(const QString& path);

// The program's own icon.
QIcon programIcon();

} // namespace vexa
