// The measurement table: a whole memory filled at once, and one more reading arriving at a full table, also
// while the inspection window judges every reading by a rule; and the sheet every output and that window
// build.
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace vexa;

namespace {

MeasurementRow coatingReading(int index) {
    MeasurementRow row;
    row.number = static_cast<qint16>(index);
    row.value = 80 + (index * 37 % 60) * 0.5;
    row.unit = QStringLiteral("µm");
    row.material = index % 3 ? QStringLiteral("FE") : QStringLiteral("NF");
    row.timestamp = QDateTime(QDate(2026, 3, 5), QTime(7, 8, 9)).addSecs(index);
    row.dateText = QStringLiteral("05.03.2026");
    row.timeText = row.timestamp.time().toString(QStringLiteral("HH:mm:ss"));
    return row;
}

// A connected coating gauge with limits and the 80/20 rule on, as an inspector uses it.
struct Fixture {
    QTemporaryDir folder;
    ScriptedPrompt prompt;
    MainModel model{prompt};

    explicit Fixture(int rows) {
        model.programStart({QString(), folder.path(), folder.path()});
        model.applyInitialisation(decideInitialisation(
            QStringLiteral("QY-FE-1"), DeviceInfo{.S = QStringLiteral("1")}, model.state().gauge));
        Limits& limits = model.settings().limits;
        limits.minimum = 80;
        limits.maximum = 120;
        limits.target = 100;
        limits.rule8020 = true;
        std::vector<MeasurementRow> store;
        for (int i = 1; i <= rows; ++i)
            store.push_back(coatingReading(i));
        model.currentStore().assign(store);
    }
};

void BM_FillTable5000(benchmark::State& state) {
    Fixture fixture(5000);
    for (auto _ : state) {
        fixture.model.Reset_Statistic();
        fixture.model.FillMSFlexOne();
    }
    state.counters["rows"] = fixture.model.table().rowCount();
}
BENCHMARK(BM_FillTable5000)->Unit(benchmark::kMillisecond);

void BM_AppendRowAt5000(benchmark::State& state) {
    Fixture fixture(4999);
    fixture.model.Reset_Statistic();
    fixture.model.FillMSFlexOne();
    fixture.model.currentStore()[5000] = coatingReading(5000);
    const std::vector<TableRow> rows = fixture.model.table().rows();
    const Statistics statistics = fixture.model.statistics();
    for (auto _ : state) {
        fixture.model.AppendOnlineRow(5000);
        state.PauseTiming();
        fixture.model.table().replaceRows(rows);
        fixture.model.statistics() = statistics;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AppendRowAt5000)->Unit(benchmark::kMicrosecond)->Iterations(300);

// What the inspection window does for readings that arrived: the sheet built anew and judged.
void BM_InspectionJudges5000(benchmark::State& state) {
    Fixture fixture(5000);
    fixture.model.settings().inspection = {QStringLiteral("iso19840"),
                                           {{QStringLiteral("iso19840"), {QStringLiteral("ndft=100")}}}};
    fixture.model.Voreinstellungen(u"IS");
    fixture.model.Reset_Statistic();
    fixture.model.FillMSFlexOne();
    InspectionWindowModel& inspection = fixture.model.inspectionWindow();
    inspection.mnuPruefung_Click();
    for (auto _ : state)
        inspection.gaugeSettingsRead();
    state.counters["lines"] = static_cast<double>(inspection.controls().items(inspctl::lstKriterien).size());
}
BENCHMARK(BM_InspectionJudges5000)->Unit(benchmark::kMillisecond);

void BM_SheetAt5000(benchmark::State& state) {
    Fixture fixture(5000);
    fixture.model.Reset_Statistic();
    fixture.model.FillMSFlexOne();
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture.model.sheet());
}
BENCHMARK(BM_SheetAt5000)->Unit(benchmark::kMicrosecond);

} // namespace
