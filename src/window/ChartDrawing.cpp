#include "window/ChartDrawing.h"

#include "texts/Texts.h"

namespace vexa {

namespace {

constexpr Rgb ValuesColour{0, 0, 153};
constexpr Rgb TargetColour{150, 0, 0};
constexpr Rgb LimitColour{0, 130, 0};

// The values line is the thickest; the window's limit lines are heavier than its target line, so the
// limits stay visible where the target lies on one of them.
struct PenWidths {
    double values;
    double target;
    double limit;
};
constexpr PenWidths CompactWidths{4, 1, 1};
constexpr PenWidths WindowWidths{3.5, 2, 3};

ChartPen referencePen(ChartLine line, const PenWidths& widths) {
    return line == ChartLine::Target ? ChartPen{TargetColour, widths.target, true}
                                     : ChartPen{LimitColour, widths.limit, true};
}

} // namespace

ChartDrawing compactChartDrawing(const ChartTable& table) {
    ChartDrawing drawing;
    drawing.compact = true;
    drawing.values.pen = {ValuesColour, CompactWidths.values, false};
    for (const ChartReference& reference : table.references)
        if (reference.drawn)
            drawing.references.push_back({reference, {{}, referencePen(reference.line, CompactWidths)}});
    return drawing;
}

ChartDrawing windowChartDrawing(const ChartTable& table, const MeasurementSheet& sheet, ChartKind kind) {
    ChartDrawing drawing;
    drawing.kind = kind;
    drawing.legend = true;
    drawing.valueAxisTitle = table.unit;
    drawing.values.pen = {ValuesColour, WindowWidths.values, false};
    if (kind == ChartKind::Bar) {
        drawing.values.legend = QStringLiteral("Data");
        return drawing;
    }
    drawing.values.legend = Texts::statistics(Stat::Data, sheet.languageIndex);
    for (const ChartReference& reference : table.references)
        if (reference.drawn)
            drawing.references.push_back(
                {reference, {chartLegend(reference, sheet), referencePen(reference.line, WindowWidths)}});
    return drawing;
}

} // namespace vexa
