// A file-memory download through Qt Bluetooth and BlueZ, with the BlueZ double standing in for the
// daemon: operations and D-Bus calls per block, and wall time per block. Needs the double's private bus:
//   tests/bluez/with-bluez-double.sh BUILD/vexa-bluez-double tests/bluez/bz-file-gauge.json --
//   BUILD/vexa-bench-bluez
#include "BluezDoubleControl.h"
#include "SessionHarness.h"
#include "link/ble/QtBluetoothTransport.h"
#include "window/MainControls.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>
#include <numeric>

using namespace vexa;

namespace {

constexpr int WaitMs = 10'000;

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "vexa-bench-bluez";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

struct Bluetooth {
    ble::QtBluetoothTransport bluetooth;
};

// The first gauge the double offers, connected through the link window as a user does.
struct BluezGauge : Bluetooth, SessionHarness {
    BluezGauge()
        : SessionHarness(bluetooth) {
        QObject::connect(&session, &WindowSession::linkWindowRequested, &session, [this] {
            if (!QTest::qWaitFor([this] { return !window().controls().items(ble::lbDevices).isEmpty(); },
                                 WaitMs))
                return;
            window().lbDevices_Click(0);
            window().cmdConnect_Click();
            // The caller sees whether the link is up.
            (void)QTest::qWaitFor([this] { return gauge().linkConnected(); }, WaitMs);
        });
        QCoro::waitFor(session.cmdConnect_Click());
    }
    ~BluezGauge() { QCoro::waitFor(session.endProgram()); }
};

uint total(const QMap<QString, uint>& counts) {
    return std::accumulate(counts.cbegin(), counts.cend(), 0u);
}

void BM_BluezFileDownload(benchmark::State& state) {
    application();
    if (!QDBusConnection::systemBus().isConnected()) {
        state.SkipWithError("no system bus: run under tests/bluez/with-bluez-double.sh");
        return;
    }
    BluezDoubleControl control;
    BluezGauge gauge;
    if (!gauge.gauge().linkConnected() || gauge.controls().items(ctl::cmbSpeicher).isEmpty()) {
        state.SkipWithError("no gauge with a memory file connected through the BlueZ double");
        return;
    }
    gauge.choose(gauge.controls().items(ctl::cmbSpeicher).first());
    control.call("ResetCallCounts");
    const int operationsBefore = gauge.transport.operations;
    qsizetype blocks = 0;
    QElapsedTimer clock;
    clock.start();
    for (auto _ : state) {
        const qsizetype blocksBefore = gauge.transport.commandsStartingWith("$rd?").size();
        gauge.read();
        blocks += gauge.transport.commandsStartingWith("$rd?").size() - blocksBefore;
    }
    const double elapsedMs = double(clock.nsecsElapsed()) / 1e6;
    const QMap<QString, uint> calls = control.callCounts();
    const double perBlock = 1.0 / double(blocks);
    state.counters["rows"] = gauge.main.currentStore().presentCount();
    state.counters["blocks"] = double(blocks) / double(state.iterations());
    state.counters["ops_per_block"] = (gauge.transport.operations - operationsBefore) * perBlock;
    state.counters["dbus_per_block"] = total(calls) * perBlock;
    for (const char* member : {"WriteValue", "ReadValue", "Get"})
        state.counters[std::string(member) + "_per_block"] = calls.value(QLatin1String(member)) * perBlock;
    state.counters["ms_per_block"] = elapsedMs * perBlock;
}
BENCHMARK(BM_BluezFileDownload)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
