#pragma once

#include "data/ChartTable.h"
#include "data/Colours.h"
#include "data/MeasurementSheet.h"

#include <QString>
#include <vector>

namespace vexa {

enum class ChartKind { Line, Bar };

struct ChartPen {
    Rgb colour;
    double width = 1; // in pixels
    bool dotted = false;
    bool operator==(const ChartPen&) const = default;
};

// One plotted line or bar set: the name the legend gives it and its pen.
struct ChartSeriesLook {
    QString legend;
    ChartPen pen;
    bool operator==(const ChartSeriesLook&) const = default;
};

// How a chart table is drawn; the windows only translate it into their chart control.
struct ChartDrawing {
    ChartKind kind = ChartKind::Line;
    bool compact = false; // little room around the plot
    bool legend = false;
    QString valueAxisTitle;
    ChartSeriesLook values;
    // The reference lines drawn, one per drawn column of the table, in column order.
    std::vector<std::pair<ChartReference, ChartSeriesLook>> references;
};

// The small chart in the statistics panel: lines only, no legend, no axis title.
ChartDrawing compactChartDrawing(const ChartTable& table);

// The chart window's chart: legends in the sheet's language and the unit on the value axis; a bar chart
// holds the values alone.
ChartDrawing windowChartDrawing(const ChartTable& table, const MeasurementSheet& sheet, ChartKind kind);

} // namespace vexa
