#include "files/ReportLines.h"

#include "data/LocaleTexts.h"
#include "data/TextAlign.h"
#include "texts/Texts.h"

#include <algorithm>
#include <cmath>

namespace vexa {

namespace {

// Units are never cut: a unit wider than its column ("µVs cm") would not read back.
QString unitColumn(const QString& unit, int width) {
    return padRight(unit.trimmed(), width);
}

bool holdsText(const QString& field) {
    return !field.isEmpty() && field != u" ";
}

QString limitLine(const QString& label, const QString& valueText, const QString& unit) {
    return label + QStringLiteral("     ") + ausrichten(8, valueText) + u' ' + unit;
}

} // namespace

QString reportDataLine(const MeasurementRow& row, const MeasureContext& context, RowDates& dates) {
    const QString number = ausrichten(5, QString::number(row.number));
    const QString value = formatMeasurement(row.value, row.unit, context).text;
    if (context.traits.datesEveryRow()) {
        const QString when = row.timestamp.isValid() ? dates.dateText(row.timestamp.date()) + u' ' +
                                                           dates.timeText(row.timestamp.time())
                                                     : (row.dateText + u' ' + row.timeText).trimmed();
        // The row number ends in the same column whatever the width of the date and time.
        const qsizetype gap = 24 - when.size();
        return when + QString(std::max<qsizetype>(gap, 0), u' ') + number + u' ' + value + u' ' +
               unitColumn(row.unit, 5) + u' ' + row.material;
    }
    return row.timeText + QStringLiteral("      ") + number + u' ' + value + u' ' + unitColumn(row.unit, 4) +
           u' ' + row.material;
}

QStringList reportLimitLines(const Limits& limits, const QString& unit, int languageIndex) {
    QStringList lines;
    if (limits.minimum != 0 || limits.maximum != 0) {
        lines.append(limitLine(QStringLiteral("Min Limit   "), limits.minimumText, unit));
        lines.append(limitLine(QStringLiteral("Max Limit   "), limits.maximumText, unit));
    }
    if (limits.target != 0)
        lines.append(limitLine(Texts::statistics(Stat::TargetValue, languageIndex), limits.targetText, unit));
    return lines;
}

QStringList reportProjectLines(const ProjectData& project, const ProjectLabels& labels, int languageIndex) {
    if (std::none_of(project.fields.begin(), project.fields.end(), holdsText))
        return {};
    QStringList lines{QStringLiteral("#  ") + shortDateText(project.date) + u' ' +
                      project.time.toString(QStringLiteral("hh:mm"))};
    for (int k = 0; k < ProjectData::FieldCount; ++k) {
        const QString& field = project.fields[static_cast<size_t>(k)];
        if (holdsText(field))
            lines.append(QStringLiteral("#  ") + labels.label(k, languageIndex) + u' ' + field);
    }
    lines.append(QString());
    return lines;
}

QStringList reportSeriesLines(const SeriesReport& series, int languageIndex) {
    QStringList lines{QStringLiteral("Trigger") + series.memoryListText.trimmed() + u' ' + series.memoryName};
    lines += series.statisticsLines;
    const double pulseTime = std::round(series.pulseTime * 100) / 100;
    lines.append(u' ' + Texts::statistics(Stat::PulseTime, languageIndex) +
                 numberLocale().toString(pulseTime, 'f', 2) + QStringLiteral(" ms"));
    lines.append(QString());
    for (const double value : series.values)
        lines.append(numberText(value));
    return lines;
}

} // namespace vexa
