// The outputs built from a full memory's sheet: the chart table and the Excel export's workbook.
#include "data/ChartTable.h"
#include "files/WorkbookFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace vexa;

namespace {

// A coating gauge's full memory: 5000 dated readings of one material, limits and target set.
MeasurementSheet fullSheet() {
    SheetContent content;
    content.gauge.model.deviceModel = QStringLiteral("QY");
    content.gauge.model.measureMode = QStringLiteral("FM");
    content.gauge.traits = {'5', 'L', 'E', '2', '+', '-', '2'};
    content.memoryListText = QStringLiteral("m001");
    content.memoryCaption = QStringLiteral("Speicher m001");
    content.limits.minimum = 80;
    content.limits.maximum = 120;
    content.limits.target = 100;
    for (int i = 1; i <= RowStore::Capacity; ++i) {
        MeasurementRow row;
        row.number = static_cast<qint16>(i);
        row.value = 80 + (i * 37 % 60);
        row.unit = QStringLiteral("µm");
        row.material = QStringLiteral("FE");
        row.dateText = QStringLiteral("05.03.2026");
        row.timeText = QStringLiteral("07:08:09");
        content.rows.push_back(row);
    }
    return buildSheet(content);
}

void BM_ChartTable5000(benchmark::State& state) {
    const MeasurementSheet sheet = fullSheet();
    for (auto _ : state) {
        const std::optional<ChartTable> chart = buildChartTable(sheet);
        benchmark::DoNotOptimize(chart);
    }
}
BENCHMARK(BM_ChartTable5000)->Unit(benchmark::kMillisecond);

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

} // namespace
