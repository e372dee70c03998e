#include "widgets/ChartPlot.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>
#include <cmath>

namespace vexa {

namespace {

constexpr int CategoryDivisions = 10;
constexpr int ValueTicks = 5;
constexpr int AxisTitlePoints = 16;

QColor colourOf(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QPen penOf(const ChartPen& pen) {
    QPen drawn(colourOf(pen.colour), pen.width, pen.dotted ? Qt::DotLine : Qt::SolidLine);
    drawn.setCapStyle(Qt::FlatCap);
    return drawn;
}

// Legend texts are rich text, where runs of blanks would collapse ("Sollwert     12").
QString legendText(const QString& text) {
    return text.toHtmlEscaped().replace(u' ', QChar(0x00A0));
}

// 1, 2 or 5 times a power of ten: the step between about `divisions` numbered ticks over `span`.
double niceStep(double span, int divisions) {
    const double rough = span / divisions;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (factor * power >= rough)
            return factor * power;
    return 10 * power;
}

// Enough decimals to tell the value axis' ticks apart.
QString valueLabelFormat(double span) {
    const double step = span / (ValueTicks - 1);
    const int decimals =
        step >= 10 ? 0 : std::clamp(1 - static_cast<int>(std::floor(std::log10(step))), 0, 6);
    return QStringLiteral("%.") + QString::number(decimals) + u'f';
}

void clear(QChart& chart) {
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
}

QValueAxis* valueAxis(const ChartTable& table, const ChartDrawing& drawing) {
    auto* axis = new QValueAxis;
    axis->setRange(table.axisMinimum, table.axisMaximum);
    axis->setTickCount(ValueTicks);
    axis->setLabelFormat(valueLabelFormat(table.axisMaximum - table.axisMinimum));
    axis->setGridLineVisible(false);
    axis->setMinorGridLineVisible(false);
    if (!drawing.valueAxisTitle.isEmpty()) {
        axis->setTitleText(drawing.valueAxisTitle.toHtmlEscaped());
        axis->setTitleFont(QFont(QStringLiteral("Arial"), AxisTitlePoints));
    }
    return axis;
}

void drawBars(QChart& chart, const ChartTable& table, const ChartDrawing& drawing) {
    auto* bars = new QBarSet(legendText(drawing.values.legend));
    bars->append(QList<qreal>(table.values.begin(), table.values.end()));
    bars->setColor(colourOf(drawing.values.pen.colour));
    bars->setBorderColor(colourOf(drawing.values.pen.colour));
    auto* series = new QBarSeries;
    series->setBarWidth(1.0);
    series->append(bars);
    chart.addSeries(series);

    auto* categories = new QBarCategoryAxis;
    categories->append(QStringList(table.labels.begin(), table.labels.end()));
    categories->setGridLineVisible(false);
    chart.addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    QValueAxis* values = valueAxis(table, drawing);
    chart.addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
}

QLineSeries* line(const ChartSeriesLook& look, QList<QPointF> points) {
    auto* series = new QLineSeries;
    series->setName(legendText(look.legend));
    series->setPen(penOf(look.pen));
    series->replace(points);
    return series;
}

void drawLines(QChart& chart, const ChartTable& table, const ChartDrawing& drawing) {
    const int n = table.pointCount();
    QList<QPointF> points;
    points.reserve(n);
    for (int i = 0; i < n; ++i)
        points.append(QPointF(i + 1, table.values[static_cast<size_t>(i)]));
    QList<QLineSeries*> series{line(drawing.values, std::move(points))};
    // Across the whole width, so that a chart of one point still shows its limits.
    for (const auto& [reference, look] : drawing.references)
        series.append(line(look, {QPointF(0, reference.value), QPointF(n, reference.value)}));

    auto* numbers = new QValueAxis;
    numbers->setRange(0, n);
    numbers->setTickType(QValueAxis::TicksDynamic);
    numbers->setTickAnchor(0);
    numbers->setTickInterval(n > 1 ? niceStep(n, CategoryDivisions) : 1);
    numbers->setLabelFormat(QStringLiteral("%d"));
    numbers->setGridLineVisible(false);
    numbers->setMinorGridLineVisible(false);
    QValueAxis* values = valueAxis(table, drawing);
    chart.addAxis(numbers, Qt::AlignBottom);
    chart.addAxis(values, Qt::AlignLeft);
    for (QLineSeries* each : series) {
        chart.addSeries(each);
        each->attachAxis(numbers);
        each->attachAxis(values);
    }
}

} // namespace

void drawChart(QChart& chart, const ChartTable& table, const ChartDrawing& drawing) {
    clear(chart);
    chart.setBackgroundRoundness(0);
    chart.legend()->setVisible(drawing.legend);
    chart.legend()->setAlignment(Qt::AlignBottom);
    if (drawing.kind == ChartKind::Bar)
        drawBars(chart, table, drawing);
    else
        drawLines(chart, table, drawing);
}

} // namespace vexa
