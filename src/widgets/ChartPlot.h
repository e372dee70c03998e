#pragma once

#include "data/ChartTable.h"
#include "window/ChartDrawing.h"

class QChart;

namespace vexa {

// `chart` made to show `table` as `drawing` says, replacing whatever it showed.
void drawChart(QChart& chart, const ChartTable& table, const ChartDrawing& drawing);

} // namespace vexa
