#pragma once

#include "data/MeasurementSheet.h"

#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace vexa {

// How a cell's number is shown: as the program writes it, as a count, or with the decimals the gauge's
// values carry.
enum class CellFormat { General, Count, Values };

struct WorkbookCell {
    int row = 0;    // from 0: row 1 of the sheet
    int column = 0; // from 0: column A
    std::variant<QString, double> content;
    CellFormat format = CellFormat::General;

    bool operator==(const WorkbookCell&) const = default;
};

// A horizontal line of the workbook's chart, from the data's first X to its last.
struct WorkbookLine {
    QString name;
    double value = 0;

    bool operator==(const WorkbookLine&) const = default;
};

// The chart sheet's content; the values' series is the table's number (or time) and value columns.
struct WorkbookChart {
    QString title;
    QString valuesName;           // the values' series and the value axis
    QString categoryTitle;        // the axis of numbers or times
    double firstX = 0, lastX = 0; // the data's span, which the lines cover
    // As the statistics block written last states them (its rounding, its material's mean).
    std::optional<WorkbookLine> mean;
    std::optional<WorkbookLine> maximum;
    std::optional<WorkbookLine> minimum;
    std::optional<WorkbookLine> target;
};

// The data sheet of the spreadsheet export: the project lines, the statistics of each material with the
// limits, then the table of the rows (or of a series memory's samples). The chart reads its places.
struct WorkbookLayout {
    QString sheetName;
    std::vector<WorkbookCell> cells;
    QString valuesFormat; // the number format of CellFormat::Values
    int headingRow = 0;   // the table's heading row; its rows start two below
    int tableRows = 0;    // rows (or samples) in the table
    // What a chart of the sheet shows; none when the units do not go together or nothing is in the table.
    std::optional<WorkbookChart> chart;

    // The cell at `row`, `column`, if one is written there.
    const WorkbookCell* cellAt(int row, int column) const;
};

// The data sheet of `sheet`; building it changes nothing of the sheet.
WorkbookLayout workbookLayout(const MeasurementSheet& sheet);

} // namespace vexa
