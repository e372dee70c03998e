#pragma once

#include "data/MeasurementSheet.h"
#include "files/MemoryExport.h"

#include <QChar>
#include <QString>
#include <vector>

// Rows as comma-separated values (RFC 4180) for spreadsheets.
namespace vexa {

// ";" where the locale writes decimals with ",", else ",": a spreadsheet of that locale splits the line
// at its list separator and keeps "12,5" one number.
QChar csvSeparator(QChar decimalSeparator);

// A field quoted when it holds the separator, a quote or a line end; quotes inside are doubled.
QString csvField(const QString& text, QChar separator);

// One row: number, date, time, value, unit, material, mark; date and time as the table shows them, the
// value as the table's value column, without padding. Ends with CR LF.
QString csvLine(const ExportedRow& row, QChar separator);

QString rowsCsv(const std::vector<ExportedRow>& rows, QChar separator);

// The samples of the series memory a sheet shows: number, time in milliseconds (number times the header's
// sample interval, which counts microseconds), value with two decimals, unit. Ends each line with CR LF.
QString seriesCsv(const MeasurementSheet& sheet, QChar separator);

} // namespace vexa
