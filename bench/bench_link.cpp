// The gauge session against a simulated gauge: whole memory downloads and a stream of live values.
#include "BenchLinkWindow.h"
#include "link/RelayTransport.h"
#include "link/sim/GaugeProfile.h"
#include "link/sim/SimulatedTransport.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"
#include "window/WindowSession.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstring>
#include <qcoro/qcorotask.h>

using namespace vexa;

namespace {

void appendLittleEndian(QByteArray& out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

void appendSingle(QByteArray& out, float value) {
    quint32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    appendLittleEndian(out, bits, 4);
}

QByteArray packedDate(const QDateTime& at) {
    const QDate d = at.date();
    const QTime t = at.time();
    QByteArray packed;
    for (const int part : {t.second(), t.minute(), t.hour(), d.day(), d.month(), d.year() - 2000})
        packed.append(char(part));
    return packed;
}

// A measurement memory as the gauge stores it: a 160-byte header, then 16 bytes per reading.
QByteArray measurementMemory(int records) {
    const QDateTime start(QDate(2026, 2, 17), QTime(9, 30));
    QByteArray bytes(4, '\0');
    bytes.append(char(7));
    bytes.append('\0');
    bytes.append("01");
    bytes.append(QByteArray("Bench memory").leftJustified(114, '\0'));
    bytes.append(packedDate(start));
    appendLittleEndian(bytes, quint32(records), 2);
    appendLittleEndian(bytes, 0, 2);
    for (int i = 0; i < 7; ++i)
        appendSingle(bytes, 0);
    for (int i = 0; i < records; ++i) {
        bytes.append('\0');
        bytes.append('\0'); // material FE
        bytes.append(packedDate(start.addSecs(37 * i)));
        appendSingle(bytes, float(80 + (i * 37 % 60) * 0.5));
        appendLittleEndian(bytes, quint32(i + 1), 4);
    }
    return bytes;
}

sim::GaugeProfile coatingGauge(int records) {
    sim::GaugeProfile profile;
    profile.name = QStringLiteral("QY-FE 2107");
    profile.address = QStringLiteral("0080E1A1B2C3");
    profile.info = "$vexa00T:2,S:210745,R:2.04,M:0080E1A1B2C3,U:ym!";
    profile.probe = QByteArray("$gpiT:F1,R:2.0,S:998877!");
    profile.battery = "$gcv?3.85!";
    profile.clock = "$glt?05.03.2026 07:08:09!";
    profile.files = {{QStringLiteral("m001"), measurementMemory(records)}};
    return profile;
}

// Times the operations reaching the gauge and the block requests among them.
class CountingTransport : public RelayTransport {
public:
    explicit CountingTransport(Transport& inner)
        : RelayTransport(inner) {
        clock.start();
    }

    void resetBlockCount() {
        firstBlockOperations = -1;
        lastBlockAnswerOperations = -1;
    }

    QElapsedTimer clock;
    qint64 operations = 0;
    qint64 firstBlockOperations = -1; // operations before the first block request
    qint64 firstBlockNs = 0;
    qint64 lastBlockAnswerOperations = -1;
    qint64 lastBlockAnswerNs = 0;

protected:
    void operationStarting(const QString&, const QByteArray& written) override {
        if (written.startsWith("$rd?") && firstBlockOperations < 0) {
            firstBlockOperations = operations;
            firstBlockNs = clock.nsecsElapsed();
        }
        ++operations;
    }
    QByteArray valueArriving(const QString&, const QByteArray& value) override {
        if (value.startsWith("$rd")) {
            lastBlockAnswerOperations = operations;
            lastBlockAnswerNs = clock.nsecsElapsed();
        }
        return value;
    }
};

// A coating gauge connected the way a user connects it, with its memory chosen.
struct Connected {
    QTemporaryDir folder;
    ScriptedPrompt prompt;
    MainModel main{prompt};
    sim::SimulatedTransport simulation;
    CountingTransport transport{simulation};
    WindowSession session{transport, main};

    Connected(const sim::GaugeProfile& profile, sim::SimulationOptions options)
        : simulation({profile}, options) {
        main.programStart({QString(), folder.path(), folder.path()});
        playLinkWindow(session);
        QCoro::waitFor(session.cmdConnect_Click());
        main.chooseMemory(main.controls().items(ctl::cmbSpeicher).value(0));
    }

    bool connected() { return session.gauge().linkConnected() && main.state().gauge.traits.hasMemoryFiles(); }
};

sim::SimulationOptions quiet(sim::SimulationOptions options = {}) {
    options.liveIntervalMs = 3'600'000;
    return options;
}

void BM_DownloadMemory5000(benchmark::State& state) {
    Connected gauge(coatingGauge(5000), quiet());
    if (!gauge.connected()) {
        state.SkipWithError("the simulated gauge did not connect");
        return;
    }
    for (auto _ : state)
        QCoro::waitFor(gauge.session.cmdLesen_Click());
    state.counters["rows"] = gauge.main.currentStore().presentCount();
    state.counters["table_rows"] = gauge.main.table().rowCount();
}
BENCHMARK(BM_DownloadMemory5000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DownloadMemory500Latency(benchmark::State& state) {
    constexpr int Blocks = 255;
    constexpr double LatencyMs = 7.5;
    Connected gauge(coatingGauge(500), quiet({.latencyMs = 7, .latencyUs = 500}));
    if (!gauge.connected()) {
        state.SkipWithError("the simulated gauge did not connect");
        return;
    }
    double operations = 0;
    double loopMs = 0;
    for (auto _ : state) {
        gauge.transport.resetBlockCount();
        QCoro::waitFor(gauge.session.cmdLesen_Click());
        operations +=
            double(gauge.transport.lastBlockAnswerOperations - gauge.transport.firstBlockOperations);
        loopMs += double(gauge.transport.lastBlockAnswerNs - gauge.transport.firstBlockNs) / 1e6;
    }
    const double runs = double(state.iterations());
    state.counters["rows"] = gauge.main.currentStore().presentCount();
    state.counters["ops_per_block"] = operations / runs / Blocks;
    state.counters["floor_ratio"] = loopMs / runs / (2 * LatencyMs * Blocks);
}
BENCHMARK(BM_DownloadMemory500Latency)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_OnlineValue(benchmark::State& state) {
    constexpr int Values = 5000;
    Connected gauge(coatingGauge(1), quiet());
    if (!gauge.connected()) {
        state.SkipWithError("the simulated gauge did not connect");
        return;
    }
    QList<QByteArray> lines;
    for (int i = 0; i < Values; ++i)
        lines.append(QStringLiteral("%1  %2 ym   FE  2026-03-05 07:10:00")
                         .arg(i % 9999 + 1, 4)
                         .arg(80 + (i * 37 % 60) * 0.5, 10, 'f', 1)
                         .toLatin1());
    std::vector<qint64> handlingNs;
    handlingNs.reserve(size_t(Values) * 4);
    QElapsedTimer clock;
    clock.start();
    for (auto _ : state) {
        state.PauseTiming();
        gauge.main.state().view = View::Online;
        gauge.main.state().onlineCounter = 1;
        gauge.main.stores().online.clear();
        gauge.main.table().clear();
        gauge.main.Reset_Statistic();
        state.ResumeTiming();
        for (const QByteArray& line : lines) {
            const qint64 start = clock.nsecsElapsed();
            emit gauge.transport.value(uuid::ServiceZK, uuid::CharMeasure, line);
            handlingNs.push_back(clock.nsecsElapsed() - start);
        }
    }
    std::nth_element(handlingNs.begin(), handlingNs.begin() + handlingNs.size() / 2, handlingNs.end());
    state.counters["median_ms"] = double(handlingNs[handlingNs.size() / 2]) / 1e6;
    state.counters["rows"] = gauge.main.stores().online.presentCount();
    state.counters["messages"] = gauge.prompt.shown().size();
}
BENCHMARK(BM_OnlineValue)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace
