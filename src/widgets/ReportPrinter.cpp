#include "widgets/ReportPrinter.h"

#include "report/FixedFont.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace vexa {

namespace {

constexpr int ReportPoints = 10;

// `line` cut into pieces of at most `width` characters; an empty line stays one empty line.
QStringList wrapped(const QString& line, int width) {
    if (line.size() <= width)
        return {line};
    QStringList pieces;
    for (qsizetype from = 0; from < line.size(); from += width)
        pieces.append(line.mid(from, width));
    return pieces;
}

} // namespace

std::optional<PrintFailure> printReport(QPrinter& printer, const QStringList& lines) {
    printer.setPageMargins(QMarginsF(ReportMarginMm, ReportMarginMm, ReportMarginMm, ReportMarginMm),
                           QPageLayout::Millimeter);
    QPainter painter;
    // The engines say nothing of why; into a file, it is the file that cannot be opened.
    if (!painter.begin(&printer))
        return printer.outputFileName().isEmpty() ? PrintFailure::PrinterRefused
                                                  : PrintFailure::FileNotWritable;
    painter.setFont(fixedFont(ReportPoints));
    const QFontMetricsF metrics(painter.font(), &printer);
    const QRectF page = painter.viewport();
    const double lineHeight = metrics.lineSpacing();
    // The font is of fixed pitch: every character is as wide as any other.
    const int columns = std::max(1, static_cast<int>(page.width() / metrics.horizontalAdvance(u'0')));
    const int linesPerPage = std::max(1, static_cast<int>(page.height() / lineHeight));

    int onPage = 0;
    for (const QString& line : lines) {
        for (const QString& piece : wrapped(line, columns)) {
            if (onPage == linesPerPage) {
                if (!printer.newPage())
                    return PrintFailure::Interrupted;
                onPage = 0;
            }
            painter.drawText(QPointF(0, onPage * lineHeight + metrics.ascent()), piece);
            ++onPage;
        }
    }
    if (!painter.end())
        return PrintFailure::Interrupted;
    return std::nullopt;
}

} // namespace vexa
