// The outputs built from a full memory's sheet: the chart window's chart, the Excel export's workbook,
// the Word export's document and the printed report.
#include "SheetFixture.h"
#include "data/ChartTable.h"
#include "files/DocxFile.h"
#include "files/TextReport.h"
#include "files/WorkbookFile.h"
#include "widgets/ChartPlot.h"
#include "widgets/ReportPrinter.h"
#include "window/ChartDrawing.h"

#include <QChartView>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace vexa;

namespace {

// A coating gauge's full memory: 5000 readings of one material, limits and target set.
MeasurementSheet fullSheet() {
    QList<fixture::Reading> readings;
    for (int i = 1; i <= RowStore::Capacity; ++i)
        readings.append(fixture::Reading{80.0 + (i * 37 % 60)});
    return buildSheet(fixture::sheetContent(readings, fixture::limits(80, 120, 100)));
}

// From the sheet to the chart window's chart on the screen: the table, the series and one frame drawn.
void drawnChart(benchmark::State& state, ChartKind kind) {
    const MeasurementSheet sheet = fullSheet();
    QChartView view;
    view.resize(900, 480);
    for (auto _ : state) {
        const std::optional<ChartTable> table = buildChartTable(sheet);
        if (!table) {
            state.SkipWithError("nothing to chart");
            break;
        }
        drawChart(view, *table, windowChartDrawing(*table, sheet, kind));
        benchmark::DoNotOptimize(view.grab());
    }
}

void BM_ChartTable5000(benchmark::State& state) {
    drawnChart(state, ChartKind::Line);
}
BENCHMARK(BM_ChartTable5000)->Unit(benchmark::kMillisecond);

void BM_ChartBars5000(benchmark::State& state) {
    drawnChart(state, ChartKind::Bar);
}
BENCHMARK(BM_ChartBars5000)->Unit(benchmark::kMillisecond);

void BM_WriteXlsx5000(benchmark::State& state) {
    const MeasurementSheet sheet = fullSheet();
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("full.xlsx"));
    for (auto _ : state) {
        if (writeWorkbook(sheet, path, WorkbookCharts::ChartSheet))
            state.SkipWithError("the workbook was not written");
    }
}
BENCHMARK(BM_WriteXlsx5000)->Unit(benchmark::kMillisecond);

void BM_WriteDocx5000(benchmark::State& state) {
    const MeasurementSheet sheet = fullSheet();
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("full.docx"));
    for (auto _ : state) {
        if (writeDocx(sheet, path))
            state.SkipWithError("the document was not written");
    }
}
BENCHMARK(BM_WriteDocx5000)->Unit(benchmark::kMillisecond);

// The report of a full memory printed into a PDF file, as "Print to file" does.
void BM_PrintPdf5000(benchmark::State& state) {
    const MeasurementSheet sheet = fullSheet();
    const QTemporaryDir folder;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("report.pdf")));
        if (printReport(printer, reportLines(sheet, ReportMode::All)))
            state.SkipWithError("the report was not printed");
    }
}
BENCHMARK(BM_PrintPdf5000)->Unit(benchmark::kMillisecond);

} // namespace
