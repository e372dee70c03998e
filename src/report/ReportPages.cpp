#include "report/ReportPages.h"

#include "report/FixedFont.h"
#include "report/WrappedLine.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace vexa {

namespace {

constexpr int BodyPoints = 9;
constexpr int HeadingPoints = 14;

} // namespace

ReportPages::ReportPages(QPagedPaintDevice& device, QPainter& painter)
    : device_(device)
    , painter_(painter)
    , font_(fixedFont(BodyPoints))
    , area_(painter.viewport()) {
    painter_.setFont(font_);
    const QFontMetricsF metrics(font_, &device_);
    lineHeight_ = metrics.lineSpacing();
    markWidth_ = 2 * metrics.horizontalAdvance(u'0');
    // The font is of fixed pitch: every character is as wide as any other.
    columns_ = std::max(1, static_cast<int>((area_.width() - markWidth_) / metrics.horizontalAdvance(u'0')));
    y_ = area_.top();
}

void ReportPages::makeRoom(double height) {
    if (y_ + height <= area_.bottom() || y_ == area_.top())
        return;
    failed_ = failed_ || !device_.newPage();
    y_ = area_.top();
}

void ReportPages::line(const QString& text, std::optional<Rgb> mark) {
    for (const QString& piece : wrappedLine(text, columns_)) {
        drawLine(piece, mark);
        mark.reset();
    }
}

void ReportPages::drawLine(const QString& text, std::optional<Rgb> mark) {
    makeRoom(lineHeight_);
    const QFontMetricsF metrics(font_, &device_);
    if (mark) {
        const double side = metrics.ascent() * 0.8;
        const QRectF square(area_.left(), y_ + metrics.ascent() - side, side, side);
        painter_.fillRect(square, QColor(mark->red, mark->green, mark->blue));
        painter_.setPen(QPen(Qt::black, 0));
        painter_.drawRect(square);
    }
    painter_.drawText(QPointF(area_.left() + markWidth_, y_ + metrics.ascent()), text);
    y_ += lineHeight_;
}

void ReportPages::heading(const QString& text) {
    QFont bold = font_;
    bold.setPointSize(HeadingPoints);
    bold.setBold(true);
    const QFontMetricsF metrics(bold, &device_);
    makeRoom(metrics.lineSpacing());
    painter_.setFont(bold);
    painter_.drawText(QPointF(area_.left(), y_ + metrics.ascent()), text);
    painter_.setFont(font_);
    y_ += metrics.lineSpacing() + lineHeight_ / 2;
}

QRectF ReportPages::take(double height) {
    makeRoom(height);
    const QRectF room(area_.left(), y_, area_.width(), height);
    y_ += height;
    return room;
}

} // namespace vexa
