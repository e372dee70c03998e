#include "widgets/ChartFileWriter.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QWidget>

namespace vexa {

namespace {

bool writePng(QWidget& chart, QSaveFile& file) {
    return chart.grab().save(&file, "PNG");
}

bool writeSvg(QWidget& chart, QSaveFile& file) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(chart.size());
    svg.setViewBox(chart.rect());
    svg.setTitle(chart.windowTitle());
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    chart.render(&painter);
    return painter.end();
}

// The chart as large as a landscape A4 page takes it, keeping its proportions.
bool writePdf(QWidget& chart, QSaveFile& file) {
    QPdfWriter pdf(&file);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    const QRect page = painter.viewport();
    const double scale =
        std::min(double(page.width()) / chart.width(), double(page.height()) / chart.height());
    painter.scale(scale, scale);
    chart.render(&painter);
    return painter.end();
}

} // namespace

std::optional<QString> writeChartFile(QWidget& chart, const ChartFile& target) {
    QSaveFile file(target.path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    bool written = false;
    switch (target.format) {
    case ChartFileFormat::Png:
        written = writePng(chart, file);
        break;
    case ChartFileFormat::Svg:
        written = writeSvg(chart, file);
        break;
    case ChartFileFormat::Pdf:
        written = writePdf(chart, file);
        break;
    }
    if (!written || file.error() != QFileDevice::NoError) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : QString();
        file.cancelWriting();
        return reason.isEmpty() ? QStringLiteral("the chart could not be drawn into the file") : reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace vexa
