#pragma once

#include "data/MeasurementSheet.h"

#include <QString>
#include <optional>

namespace vexa {

// The spreadsheet export of `sheet` written as an .xlsx workbook at `path`, whole or not at all: the
// workbook is written beside it and takes its place only when complete. A failure gives its description
// and leaves no file.
std::optional<QString> writeWorkbook(const MeasurementSheet& sheet, const QString& path);

} // namespace vexa
