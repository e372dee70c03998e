#pragma once

#include "data/MeasurementRow.h"
#include "data/RowDates.h"
#include "data/SettingsState.h"
#include "data/ValueFormat.h"

#include <QString>
#include <QStringList>
#include <vector>

// The pieces of the text report, each a pure function of what it shows.
namespace vexa {

// One row in the report's columns. Gauges that date every row (date-header trait "-") start the line with
// the row's date and time; the others with its time alone. `dates` formats the dates and times of one
// report, in the forms a measurement file reads back (measurementFileDateTimeForms()).
QString reportDataLine(const MeasurementRow& row, const MeasureContext& context, RowDates& dates);

// The minimum and maximum limit lines (none when both are 0) and the target line (none when it is 0),
// with `unit`, the unit of the table.
QStringList reportLimitLines(const Limits& limits, const QString& unit, int languageIndex);

// The project section: the date and time line, one line per filled field, an empty line; nothing when
// no field holds more than a single blank.
QStringList reportProjectLines(const ProjectData& project, const ProjectLabels& labels, int languageIndex);

// What a series memory's report consists of.
struct SeriesReport {
    QString memoryListText; // as the memory list shows it
    QString memoryName;     // from the memory's header
    QStringList statisticsLines;
    double pulseTime = 0;       // milliseconds
    std::vector<double> values; // every sample the memory holds, whatever its header says
};

QStringList reportSeriesLines(const SeriesReport& series, int languageIndex);

} // namespace vexa
