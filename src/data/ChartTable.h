#pragma once

#include "data/MeasurementSheet.h"

#include <QString>
#include <optional>
#include <vector>

namespace vexa {

enum class ChartLine { Target, MinimumLimit, MaximumLimit };

// A horizontal line of the chart at a limit or the target.
struct ChartReference {
    ChartLine line = ChartLine::Target;
    double value = 0;
    // A limit of 0 beside a set one keeps its column but is no line, unless the 80/20 rule makes 0 a live
    // limit.
    bool drawn = true;

    bool operator==(const ChartReference&) const = default;
};

// What both charts plot, taken from a sheet: the values against their running number 1 … n, each with a
// label (only the last one numbered), and the reference columns 2 … k.
struct ChartTable {
    std::vector<QString> labels;
    std::vector<double> values;
    std::vector<ChartReference> references; // in column order
    QString unit;                           // the values' unit: rows in other units are converted into it
    bool series = false;                    // the samples of a series memory
    // The value axis: the values and the lines drawn, with room around them.
    double axisMinimum = 0;
    double axisMaximum = 0;

    int pointCount() const { return static_cast<int>(values.size()); }
    int columnCount() const { return 1 + static_cast<int>(references.size()); } // k
};

// A line's name in a legend, in the sheet's language: the target or limit with its value as a plain number
// (up to 15 significant digits, the sheet's decimal separator).
QString chartLegend(const ChartReference& reference, const MeasurementSheet& sheet);

// The chart of what the sheet shows; none when there is nothing to chart or the rows are in units that
// do not go together.
std::optional<ChartTable> buildChartTable(const MeasurementSheet& sheet);

} // namespace vexa
