#pragma once

#include "data/ChartTable.h"
#include "window/ChartDrawing.h"

class QChartView;

namespace vexa {

// `view` made to show `table` as `drawing` says, replacing whatever it showed.
void drawChart(QChartView& view, const ChartTable& table, const ChartDrawing& drawing);

} // namespace vexa
