#include "data/SeriesStatisticsLines.h"

#include "data/TextAlign.h"

namespace vexa {

namespace {

constexpr int LabelWidth = 14;
constexpr int NumberWidth = 8;

QString line(const QString& label, const QString& number) {
    return padRight(label, LabelWidth) + ausrichten(NumberWidth, number);
}

QString valueLine(const QString& label, double value, const QString& gap, const QString& unit) {
    return line(label, fixedText(value, 2)) + gap + unit;
}

} // namespace

QStringList seriesStatisticsLines(const QString& selector, const QString& memoryLabel, qsizetype sampleCount,
                                  const SeriesStatistics& statistics, const QString& deviceUnit,
                                  const SeriesStatisticsLabels& labels) {
    // Minimum and maximum stand three blanks before their unit, the lines below them four.
    const QString three = QStringLiteral("   ");
    const QString four = QStringLiteral("    ");
    return {
        selector + u' ' + memoryLabel,
        QStringLiteral(" "),
        line(labels.count, QString::number(sampleCount)),
        QStringLiteral(" "),
        valueLine(labels.minimum, statistics.minimum, three, deviceUnit),
        valueLine(labels.maximum, statistics.maximum, three, deviceUnit),
        valueLine(labels.mean, statistics.mean, four, deviceUnit),
        valueLine(labels.stdDev, statistics.stdDev, four, deviceUnit),
        valueLine(labels.pulseTime, statistics.pulseTime, four, QStringLiteral("ms")),
    };
}

} // namespace vexa
