#pragma once

#include "data/Colours.h"

#include <QFont>
#include <QRectF>
#include <QString>
#include <optional>

class QPainter;
class QPagedPaintDevice;

namespace vexa {

// Lines written down A4 pages inside their margins, a new page where one is full.
class ReportPages {
public:
    ReportPages(QPagedPaintDevice& device, QPainter& painter);

    // A line of the fixed font; with a mark, a square of that colour stands before it. One wider than the
    // page goes on in further lines, indented, rather than past the margin.
    void line(const QString& text, std::optional<Rgb> mark = std::nullopt);
    // A line in a larger, bold face.
    void heading(const QString& text);
    // Room of `height` on this page (or the next), whose rectangle is given.
    QRectF take(double height);
    void gap() { line(QString()); }
    // The next line would not fit the page any longer: the pages did not go on.
    bool failed() const { return failed_; }

private:
    void makeRoom(double height);
    void drawLine(const QString& text, std::optional<Rgb> mark);

    QPagedPaintDevice& device_;
    QPainter& painter_;
    QFont font_;
    QRectF area_;
    double lineHeight_ = 0;
    double markWidth_ = 0;
    int columns_ = 1; // characters of the fixed font that fit beside the marks
    double y_ = 0;
    bool failed_ = false;
};

} // namespace vexa
