#pragma once

#include "window/PrintFailure.h"

#include <QStringList>
#include <optional>

class QPrinter;

namespace vexa {

// The report's lines printed as they are, in the fixed font at 10 points, from the top of the first
// page inside the page margins; a line wider than the page goes on in the next line, and a full page
// goes on on the next. No header, footer or page number.
std::optional<PrintFailure> printReport(QPrinter& printer, const QStringList& lines);

// The margins a printed report keeps from the paper's edge, where real printers cannot print.
inline constexpr double ReportMarginMm = 15;

} // namespace vexa
