// Readings typed into another program's window through the X11 key sender, each followed by Return, as
// the program types online readings. The time is the sender's; the keys reach the window later, and
// arrived_per_second counts the readings until the last one had arrived (compared at the end). Needs an
// X server and is not part of vexa-bench:
//   tests/x11/with-x11.sh --window-manager -- BUILD/vexa-bench-x11
#include "KeyTarget.h"
#include "widgets/X11KeySender.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <benchmark/benchmark.h>

using namespace vexa;
using namespace std::chrono_literals;

namespace {

constexpr int ArrivalWaitMs = 30'000;

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "vexa-bench-x11";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Types the readings `reading(i)` gives into a fresh target window as long as the benchmark runs.
void typeReadings(benchmark::State& state, const std::function<QString(qint64)>& reading) {
    application();
    X11KeySender sender;
    if (!sender.unavailableReason().isEmpty()) {
        state.SkipWithError("no X display: run under tests/x11/with-x11.sh");
        return;
    }
    const KeyTarget target(sender, QStringLiteral("Readings"));
    if (!target.window || !QCoro::waitFor(sender.activate(*target.window, 5s))) {
        state.SkipWithError("the target window did not come up");
        return;
    }
    QString expected;
    qint64 readings = 0;
    QElapsedTimer clock;
    clock.start();
    for (auto _ : state) {
        const QString text = reading(readings++);
        if (!QCoro::waitFor(sender.type(text)) || !QCoro::waitFor(sender.pressReturn())) {
            state.SkipWithError("a reading could not be typed");
            return;
        }
        expected += text + QLatin1Char('\n');
    }
    if (!QTest::qWaitFor([&] { return target.received() == expected; }, ArrivalWaitMs)) {
        state.SkipWithError("the readings did not arrive as typed");
        return;
    }
    state.SetItemsProcessed(readings);
    state.counters["arrived_per_second"] = double(readings) * 1000.0 / double(clock.elapsed());
}

// The same unit all along: its "µ" keeps the key it was given.
void BM_TypeReadingsWithMicro(benchmark::State& state) {
    typeReadings(
        state, [](qint64 i) { return QStringLiteral("%1 µm").arg(20.0 + double(i % 400) / 10, 7, 'f', 1); });
}
BENCHMARK(BM_TypeReadingsWithMicro)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every reading ends in a character that no key gives yet, so each changes the layout: the cost of a
// new unusual character.
void BM_TypeReadingsWithNewCharacter(benchmark::State& state) {
    typeReadings(state, [](qint64 i) {
        return QStringLiteral("%1 ").arg(20.0 + double(i % 400) / 10, 7, 'f', 1) +
               QChar(char16_t(0x0430 + i % 32));
    });
}
BENCHMARK(BM_TypeReadingsWithNewCharacter)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
