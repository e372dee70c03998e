// Measurement files: a full memory saved as a report and opened again.
#include "data/Initialisation.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace vexa;

namespace {

// A coating gauge's full memory: 5000 dated readings of two materials, limits set, a project filled.
struct Fixture {
    QTemporaryDir folder;
    ScriptedPrompt prompt;
    MainModel model{prompt};
    QString path = folder.filePath(QStringLiteral("full.mes"));

    Fixture() {
        model.programStart({QString(), folder.path(), folder.path()});
        model.applyInitialisation(decideInitialisation(
            QStringLiteral("QY-FE-1"), DeviceInfo{.S = QStringLiteral("1")}, model.state().gauge));
        model.settings().limits = {
            80, 120, 100, QStringLiteral("80"), QStringLiteral("120"), QStringLiteral("100"), true};
        model.settings().project.fields[0] = QStringLiteral("Bridge A");
        model.Voreinstellungen(u"PS");
        std::vector<MeasurementRow> rows;
        const QDateTime start(QDate(2026, 3, 5), QTime(7, 8, 9));
        for (int i = 1; i <= RowStore::Capacity; ++i) {
            MeasurementRow row;
            row.number = static_cast<qint16>(i);
            row.value = 80 + (i * 37 % 60);
            row.unit = QStringLiteral("µm");
            row.material = i % 3 ? QStringLiteral("FE") : QStringLiteral("NF");
            row.timestamp = start.addSecs(i * 7);
            row.dateText = row.timestamp.date().toString(QStringLiteral("dd.MM.yyyy"));
            row.timeText = row.timestamp.time().toString(QStringLiteral("HH:mm:ss"));
            rows.push_back(row);
        }
        model.currentStore().assign(rows);
        model.FillMSFlexOne();
    }
};

void BM_SaveMes5000(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        if (!fixture.model.saveMeasurementFile(fixture.path))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveMes5000)->Unit(benchmark::kMillisecond);

void BM_OpenMes5000(benchmark::State& state) {
    Fixture fixture;
    fixture.model.saveMeasurementFile(fixture.path);
    for (auto _ : state) {
        if (!fixture.model.openMeasurementFile(fixture.path))
            state.SkipWithError("open failed");
    }
    state.counters["rows"] = fixture.model.currentStore().presentCount();
}
BENCHMARK(BM_OpenMes5000)->Unit(benchmark::kMillisecond);

} // namespace
