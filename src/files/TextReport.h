#pragma once

#include "data/MeasurementSheet.h"

#include <QString>
#include <QStringList>

namespace vexa {

enum class ReportMode {
    All,     // project, statistics and data sections: files, clipboard, Word, print
    Project, // the project section alone: the spreadsheet export
};

// The sheet as one plain text in fixed-width columns, every line ending in CR LF: the project data, the
// statistics of each material with the limits, then one line per row; a series memory's samples instead.
QString buildReport(const MeasurementSheet& sheet, ReportMode mode);
// The same, line by line without line ends.
QStringList reportLines(const MeasurementSheet& sheet, ReportMode mode);

// The report of mode All in two parts: everything before the rows, then one line per row of the sheet
// (none for a series, whose samples are part of the first).
struct ReportParts {
    QStringList head;
    QStringList rows;
};
ReportParts reportParts(const MeasurementSheet& sheet);

// A measurement file's content: the full report and one more line end, so the file ends with an empty line.
QString measurementFileText(const MeasurementSheet& sheet);

} // namespace vexa
