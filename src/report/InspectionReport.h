#pragma once

#include "data/MeasurementSheet.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace vexa {

// What inspectors hand on: the sheet as a PDF of A4 pages in its language. The gauge, its serial number,
// the memory and the time the readings span; the 80/20 rule's verdict with the numbers behind it; the
// verdict of the inspection rule chosen, criterion by criterion; the chart; the report's project data,
// statistics per material and limits; and every row marked in the colour the table gives it. Written whole
// or not at all; a failure gives its reason.
std::optional<QString> writeInspectionReport(const MeasurementSheet& sheet, const QString& path,
                                             const QDateTime& made = QDateTime::currentDateTime());

} // namespace vexa
