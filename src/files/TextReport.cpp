#include "files/TextReport.h"

#include "files/MeasurementFile.h"
#include "files/ReportLines.h"

namespace vexa {

namespace {

// The statistics list from its third entry on: the memory caption and the blank line after it stay out.
QStringList shownStatistics(const MeasurementSheet& sheet) {
    return sheet.statisticsList().mid(2);
}

QStringList statisticsSection(const MeasurementSheet& sheet, const Statistics& material) {
    QStringList lines = material.body(sheet.languageIndex, sheet.decimalSeparator);
    lines.append(QString());
    lines += reportLimitLines(sheet.limits, sheet.tableUnit(), sheet.languageIndex);
    return lines;
}

QStringList seriesLines(const MeasurementSheet& sheet) {
    return reportSeriesLines({sheet.memoryListText, sheet.memoryHeader.memoryName, shownStatistics(sheet),
                              sheet.memoryHeader.pulseTime, sheet.seriesValues},
                             sheet.languageIndex);
}

QStringList rowLines(const MeasurementSheet& sheet) {
    QStringList lines;
    const MeasureContext context = sheet.gauge.measureContext();
    RowDates dates(measurementFileDateTimeForms());
    for (const MeasurementRow& row : sheet.rows)
        lines.append(reportDataLine(row, context, dates));
    return lines;
}

} // namespace

ReportParts reportParts(const MeasurementSheet& sheet) {
    if (sheet.showsSeries())
        return {seriesLines(sheet), {}};
    ReportParts parts{reportProjectLines(sheet.project, sheet.labels, sheet.languageIndex), rowLines(sheet)};
    for (const Statistics& material : sheet.materials)
        parts.head += statisticsSection(sheet, material);
    // An empty line parts the statistics from the rows.
    parts.head.append(QString());
    return parts;
}

QStringList reportLines(const MeasurementSheet& sheet, ReportMode mode) {
    if (mode == ReportMode::Project)
        return reportProjectLines(sheet.project, sheet.labels, sheet.languageIndex);
    const ReportParts parts = reportParts(sheet);
    return parts.head + parts.rows;
}

QString buildReport(const MeasurementSheet& sheet, ReportMode mode) {
    QString text;
    for (const QString& line : reportLines(sheet, mode))
        text += line + QStringLiteral("\r\n");
    return text;
}

QString measurementFileText(const MeasurementSheet& sheet) {
    return buildReport(sheet, ReportMode::All) + QStringLiteral("\r\n");
}

} // namespace vexa
