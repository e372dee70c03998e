#pragma once

#include "data/ChartTable.h"

#include <QRectF>

class QPainter;

namespace vexa {

// The chart of the chart window drawn into `box`: the values against their numbers, the target and the
// limits as dotted lines named at their right end, the value axis' ends numbered.
void paintReportChart(QPainter& painter, const QRectF& box, const ChartTable& table,
                      const MeasurementSheet& sheet);

} // namespace vexa
