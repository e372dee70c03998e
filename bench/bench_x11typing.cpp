// Readings typed into another program's window through the X11 key sender, each followed by Return, as
// the program types online readings. Needs an X server and is not part of vexa-bench:
//   tests/x11/with-x11.sh --window-manager -- BUILD/vexa-bench-x11
#include "KeyTarget.h"
#include "widgets/X11KeySender.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>

using namespace vexa;
using namespace std::chrono_literals;

namespace {

// A window slower than the sender has its keys queued up; a loaded machine may take that long for them.
constexpr int ArrivalWaitMs = 120'000;

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "vexa-bench-x11";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

QString reading(qint64 i) {
    return QStringLiteral("%1 µm").arg(20.0 + double(i % 400) / 10, 7, 'f', 1);
}

// A target window for the benchmark; empty, with the reason skipped, when there is none.
std::unique_ptr<KeyTarget> startTarget(benchmark::State& state, KeySender& sender) {
    if (sender.unavailable() != KeysUnavailable::No) {
        state.SkipWithError("no X display: run under tests/x11/with-x11.sh");
        return nullptr;
    }
    auto target = std::make_unique<KeyTarget>(sender, QStringLiteral("Readings"));
    if (!target->window || !QCoro::waitFor(sender.activate(*target->window, 5s))) {
        state.SkipWithError("the target window did not come up");
        return nullptr;
    }
    return target;
}

bool typeLine(KeySender& sender, const QString& text) {
    return QCoro::waitFor(sender.type(text)) && QCoro::waitFor(sender.pressReturn());
}

bool arrived(const KeyTarget& target, const QString& expected) {
    return QTest::qWaitFor([&] { return target.received() == expected; }, ArrivalWaitMs);
}

// One reading after the other, the sender's "µ" key kept all along. The time is the sender's: the keys
// reach the window later, and arrived_per_second counts until the last reading had arrived.
void BM_TypeReadingsWithMicro(benchmark::State& state) {
    application();
    X11KeySender sender;
    const std::unique_ptr<KeyTarget> target = startTarget(state, sender);
    if (!target)
        return;
    QString expected;
    qint64 readings = 0;
    QElapsedTimer clock;
    clock.start();
    for (auto _ : state) {
        const QString text = reading(readings++);
        if (!typeLine(sender, text)) {
            state.SkipWithError("a reading could not be typed");
            return;
        }
        expected += text + QLatin1Char('\n');
    }
    if (!arrived(*target, expected)) {
        state.SkipWithError("the readings did not arrive as typed");
        return;
    }
    state.SetItemsProcessed(readings);
    state.counters["arrived_per_second"] = double(readings) * 1000.0 / double(clock.elapsed());
}
// A fixed count, so that the readings queued up for the window stay a series, not minutes of them.
BENCHMARK(BM_TypeReadingsWithMicro)->Iterations(300)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first reading after a pause: the layout has no "µ" yet, and a key is given it first. Each reading
// comes from a sender of its own, which empties its key when it ends, once the reading has arrived.
void BM_FirstReadingWithMicro(benchmark::State& state) {
    application();
    X11KeySender starter;
    const std::unique_ptr<KeyTarget> target = startTarget(state, starter);
    if (!target)
        return;
    QString expected;
    qint64 readings = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto sender = std::make_unique<X11KeySender>();
        const QString text = reading(readings++);
        expected += text + QLatin1Char('\n');
        state.ResumeTiming();
        if (!typeLine(*sender, text)) {
            state.SkipWithError("a reading could not be typed");
            return;
        }
        state.PauseTiming();
        if (!arrived(*target, expected)) {
            state.SkipWithError("the reading did not arrive as typed");
            return;
        }
        sender.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(readings);
}
BENCHMARK(BM_FirstReadingWithMicro)->Iterations(30)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
