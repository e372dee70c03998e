// How long the window takes to say that a gauge is out of range, for a gauge that falls silent at each
// operation of a download, of a probe-memory read and of the connect sequence that ends in online mode:
// the worst case over every operation number.
#include "BenchLinkWindow.h"
#include "DemoGauges.h"
#include "link/RelayTransport.h"
#include "link/sim/GaugeProfile.h"
#include "link/sim/SimulatedTransport.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"
#include "window/WindowSession.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <optional>
#include <qcoro/qcorotask.h>

using namespace vexa;

namespace {

enum class Sequence { Download, ProbeMemory, Online };

const QString OutOfRange = QStringLiteral("Gerät außerhalb der Bluetooth Reichweite oder ausgeschaltet");

// Notes when the first operation past `silentFrom` starts: the moment the gauge's silence begins.
class SilenceClock : public RelayTransport {
public:
    using RelayTransport::RelayTransport;

    int operations = 0;
    std::optional<int> silentFrom;
    QElapsedTimer sinceSilence;

protected:
    void operationStarting(const QString&, const QByteArray&) override {
        if (silentFrom && operations == *silentFrom && !sinceSilence.isValid())
            sinceSilence.start();
        ++operations;
    }
};

struct Window {
    QTemporaryDir folder;
    ScriptedPrompt prompt;
    MainModel main{prompt};
    sim::SimulatedTransport simulation;
    SilenceClock clock{simulation};
    WindowSession session{clock, main};

    // From the gauge's silence to the out-of-range text in the window; none while it is not shown.
    std::optional<qint64> saidAfterMs;

    explicit Window(const sim::GaugeProfile& profile)
        : simulation({profile}, {.liveIntervalMs = 3'600'000, .advertisementIntervalMs = 1}) {
        main.programStart({QString(), folder.path(), folder.path()});
        QObject::connect(&main.controls(), &ControlState::changed, &session, [this](const QString& name) {
            if (name == ctl::txtWait && main.controls().caption(ctl::txtWait) == OutOfRange && !saidAfterMs &&
                clock.sinceSilence.isValid())
                saidAfterMs = clock.sinceSilence.elapsed();
        });
        playLinkWindow(session);
    }

    // The gauge answers `answered` more operations, then nothing.
    void silenceAfter(int answered) {
        clock.silentFrom = clock.operations + answered;
        simulation.setOptions(
            {.liveIntervalMs = 3'600'000, .stopAnsweringAfter = clock.operations + answered});
    }

    void connect() { QCoro::waitFor(session.cmdConnect_Click()); }
    void read() {
        main.chooseMemory(
            main.controls().items(ctl::cmbSpeicher).value(sequence == Sequence::ProbeMemory ? 2 : 0));
        QCoro::waitFor(session.cmdLesen_Click());
    }

    Sequence sequence = Sequence::Download;
};

// The operations of the sequence when the gauge answers every one.
int operationsOf(Sequence sequence, const sim::GaugeProfile& profile) {
    Window window(profile);
    window.sequence = sequence;
    if (sequence == Sequence::Online) {
        const int before = window.clock.operations;
        window.connect();
        return window.clock.operations - before;
    }
    window.connect();
    const int before = window.clock.operations;
    window.read();
    return window.clock.operations - before;
}

void BM_SilenceSweep(benchmark::State& state) {
    const auto sequence = Sequence(state.range(0));
    const sim::GaugeProfile profile =
        demoProfile(sequence == Sequence::ProbeMemory ? "ze-probe-memory.json" : "qy-coating.json");
    const int operations = operationsOf(sequence, profile);
    double worstSeconds = 0;
    int unsaid = 0;
    for (auto _ : state) {
        // The link window's own operations (connect, discovery) stand outside: its user waits on them.
        const int first = sequence == Sequence::Online ? 2 : 0;
        for (int answered = first; answered < operations; ++answered) {
            Window window(profile);
            window.sequence = sequence;
            if (sequence == Sequence::Online) {
                window.silenceAfter(answered);
                window.connect();
            } else {
                window.connect();
                window.silenceAfter(answered);
                window.read();
            }
            if (!window.saidAfterMs) {
                ++unsaid;
                continue;
            }
            worstSeconds = std::max(worstSeconds, double(*window.saidAfterMs) / 1000);
        }
    }
    state.counters["max_s"] = worstSeconds;
    state.counters["operations"] = operations;
    state.counters["unsaid"] = unsaid;
}
BENCHMARK(BM_SilenceSweep)
    ->Arg(int(Sequence::Download))
    ->Arg(int(Sequence::ProbeMemory))
    ->Arg(int(Sequence::Online))
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

} // namespace
