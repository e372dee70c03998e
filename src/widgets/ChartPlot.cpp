#include "widgets/ChartPlot.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
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

// As many decimals as the step between two ticks has, so that every tick's number is exact.
QString valueLabelFormat(double step) {
    int decimals = 0;
    for (double scaled = step; decimals < 6 && std::fabs(scaled - std::round(scaled)) > 1e-6 * scaled;
         scaled *= 10)
        ++decimals;
    return QStringLiteral("%.") + QString::number(decimals) + u'f';
}

QValueAxis* valueAxis(const ChartTable& table, const ChartDrawing& drawing) {
    auto* axis = new QValueAxis;
    axis->setRange(table.axisMinimum, table.axisMaximum);
    axis->setTickCount(ValueTicks);
    // Round numbers at the ticks; the range only grows.
    axis->applyNiceNumbers();
    // The compact chart is too low for more numbers than its ends and middle.
    if (drawing.compact)
        axis->setTickCount(3);
    axis->setLabelFormat(valueLabelFormat((axis->max() - axis->min()) / (axis->tickCount() - 1)));
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

    // The bars stand at 0 … n - 1; they are numbered 1 … n like the points of the line chart.
    const int n = table.pointCount();
    auto* numbers = new QCategoryAxis;
    numbers->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    numbers->setRange(-0.5, n - 0.5);
    const int step = static_cast<int>(std::max(1.0, niceStep(n, CategoryDivisions)));
    for (int number = step; number <= n; number += step)
        numbers->append(QString::number(number), number - 1);
    numbers->setGridLineVisible(false);
    chart.addAxis(numbers, Qt::AlignBottom);
    series->attachAxis(numbers);
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
    numbers->setTickInterval(std::max(1.0, niceStep(n, CategoryDivisions)));
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

void drawChart(QChartView& view, const ChartTable& table, const ChartDrawing& drawing) {
    // A chart that showed another kind keeps that kind's domain: every drawing starts on a new chart.
    auto* chart = new QChart;
    chart->setBackgroundRoundness(0);
    if (drawing.compact)
        chart->setMargins(QMargins(2, 2, 2, 2));
    chart->legend()->setVisible(drawing.legend);
    chart->legend()->setAlignment(Qt::AlignBottom);
    if (drawing.kind == ChartKind::Bar)
        drawBars(*chart, table, drawing);
    else
        drawLines(*chart, table, drawing);
    QChart* previous = view.chart();
    view.setChart(chart);
    delete previous;
}

} // namespace vexa
