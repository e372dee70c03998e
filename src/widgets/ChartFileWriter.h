#pragma once

#include "window/ChartWindowModel.h"

#include <QString>
#include <optional>

class QWidget;

namespace vexa {

// What `chart` shows, written into the file as a picture, a drawing or an A4 page; whole or not at all.
// A failure gives the system's reason.
std::optional<QString> writeChartFile(QWidget& chart, const ChartFile& file);

} // namespace vexa
