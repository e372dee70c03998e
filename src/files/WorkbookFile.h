#pragma once

#include "data/MeasurementSheet.h"

#include <QString>
#include <optional>

namespace vexa {

enum class WorkbookCharts { None, ChartSheet };

// The spreadsheet export of `sheet` written as an .xlsx workbook at `path`, whole or not at all: the
// workbook is written beside it and takes its place only when complete. A failure gives its description
// and leaves no file. With a chart sheet (when the sheet has a chart), it comes first and is the one that
// opens: the values against their numbers (or times) with the mean, the limits and the target as lines.
std::optional<QString> writeWorkbook(const MeasurementSheet& sheet, const QString& path,
                                     WorkbookCharts charts);

} // namespace vexa
