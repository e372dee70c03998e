#pragma once

#include <QString>
#include <QStringList>

namespace vexa {

class MainModel;

enum class ReportMode {
    All,     // project, statistics and data sections: files, clipboard, Word, print
    Project, // the project section alone: the spreadsheet export
};

// The current memory as one plain text in fixed-width columns, every line ending in CR LF. Built from
// scratch for every use; with two materials it leaves the material button at the other material.
QString buildReport(MainModel& main, ReportMode mode);
// The same, line by line without line ends.
QStringList reportLines(MainModel& main, ReportMode mode);

// A measurement file's content: the full report and one more line end, so the file ends with an empty line.
QString measurementFileText(MainModel& main);

} // namespace vexa
