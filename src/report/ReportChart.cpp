#include "report/ReportChart.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace vexa {

namespace {

const QColor ValuesColour(0, 0, 153);
const QColor TargetColour(150, 0, 0);
const QColor LimitColour(0, 130, 0);

QString axisNumber(double value, QChar decimalSeparator) {
    QString text = QString::number(value, 'g', 6);
    text.replace(u'.', decimalSeparator);
    return text;
}

} // namespace

void paintReportChart(QPainter& painter, const QRectF& box, const ChartTable& table,
                      const MeasurementSheet& sheet) {
    painter.save();
    const QFontMetricsF metrics(painter.font(), painter.device());
    // Room for the value axis' numbers at the left and for the lines' names at the right.
    double legendWidth = 0;
    for (const ChartReference& reference : table.references)
        if (reference.drawn)
            legendWidth = std::max(legendWidth, metrics.horizontalAdvance(chartLegend(reference, sheet)));
    const QString top = axisNumber(table.axisMaximum, sheet.decimalSeparator);
    const QString bottom = axisNumber(table.axisMinimum, sheet.decimalSeparator);
    const double axisWidth = std::max(metrics.horizontalAdvance(top), metrics.horizontalAdvance(bottom)) +
                             metrics.averageCharWidth();
    const QRectF plot(box.left() + axisWidth, box.top() + metrics.height() / 2,
                      box.width() - axisWidth - legendWidth - metrics.averageCharWidth(),
                      box.height() - 2 * metrics.height());

    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(plot);
    painter.drawText(QPointF(box.left(), plot.top() + metrics.ascent() / 2), top);
    painter.drawText(QPointF(box.left(), plot.bottom() + metrics.ascent() / 2), bottom);
    const int n = table.pointCount();
    painter.drawText(QPointF(plot.right() - metrics.horizontalAdvance(QString::number(n)),
                             plot.bottom() + metrics.height()),
                     QString::number(n));

    const double span = table.axisMaximum - table.axisMinimum;
    const auto y = [&](double value) {
        return plot.bottom() - (value - table.axisMinimum) / span * plot.height();
    };
    // Point i at the middle of its n-th of the width, so that one point and many alike are inside.
    const auto x = [&](int i) { return plot.left() + (i + 0.5) * plot.width() / n; };

    painter.setRenderHint(QPainter::Antialiasing);
    for (const ChartReference& reference : table.references) {
        if (!reference.drawn)
            continue;
        const QColor colour = reference.line == ChartLine::Target ? TargetColour : LimitColour;
        painter.setPen(QPen(colour, metrics.lineWidth() * 1.5, Qt::DotLine));
        painter.drawLine(QPointF(plot.left(), y(reference.value)), QPointF(plot.right(), y(reference.value)));
        painter.drawText(
            QPointF(plot.right() + metrics.averageCharWidth() / 2, y(reference.value) + metrics.ascent() / 2),
            chartLegend(reference, sheet));
    }
    QPainterPath values;
    values.moveTo(x(0), y(table.values[0]));
    for (int i = 1; i < n; ++i)
        values.lineTo(x(i), y(table.values[static_cast<size_t>(i)]));
    painter.setPen(QPen(ValuesColour, metrics.lineWidth() * 3));
    painter.drawPath(values);
    if (n == 1)
        painter.drawPoint(QPointF(x(0), y(table.values[0])));
    painter.restore();
}

} // namespace vexa
