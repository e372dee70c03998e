#pragma once

#include "cli/CliRequest.h"
#include "data/MeasurementSheet.h"

#include <QByteArray>
#include <QString>
#include <optional>

// What the tool's commands write, and where.
namespace vexa::cli {

enum ExitStatus { Success = 0, Failure = 1, UsageError = 2 };

void writeOut(const QByteArray& bytes);

// One line on standard error, after the tool's name.
void writeErrorLine(const QString& text);

// A message box text on one line.
QString oneLine(QString text);

// Writes to the file `outputFile` names, or to standard output when it is empty. Lines of text reach a
// terminal with the gauge's control characters made harmless; a file keeps them, and is never replaced
// with nothing. Returns the line that says why the file could not be written.
std::optional<QString> writeResult(const QString& outputFile, const QString& text);
std::optional<QString> writeResult(const QString& outputFile, const QByteArray& bytes);

// A sheet as JSON, or as CSV (a series memory's samples, else its rows), as `download` and `open` write
// it; `format` is Format::Json or Format::Csv.
std::optional<QString> writeSheet(const MeasurementSheet& sheet, Format format, const QString& outputFile);

// A workbook or a document: the bytes of a file, not lines of text.
bool isFileFormat(Format format);

// The line that refuses a workbook or a document for standard output when that is a terminal (no
// `outputFile`).
std::optional<QString> refusedForTerminal(Format format, const QString& outputFile);

// The sheet as the Excel export's workbook, into `outputFile`, or to standard output unless that is a
// terminal.
std::optional<QString> writeWorkbookResult(const MeasurementSheet& sheet, const QString& outputFile,
                                           bool chart);

// The sheet's report as the Word export's document, into `outputFile`, or to standard output unless that
// is a terminal.
std::optional<QString> writeDocxResult(const MeasurementSheet& sheet, const QString& outputFile);
// The PDF inspection report of `sheet`, as writeWorkbookResult writes a workbook.
std::optional<QString> writePdfReportResult(const MeasurementSheet& sheet, const QString& outputFile);

} // namespace vexa::cli
