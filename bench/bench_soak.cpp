// The main window left in online mode with a gauge sending a reading every 10 ms for a minute: past the
// table's 5000 rows, with the real message boxes, which a user closes after half a second.
#include "BenchLinkWindow.h"
#include "link/sim/GaugeProfile.h"
#include "link/sim/SimulatedTransport.h"
#include "widgets/DialogPrompt.h"
#include "widgets/frmTransfer.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/WindowSession.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <qcoro/qcorotask.h>
#include <unistd.h>

using namespace vexa;

namespace {

constexpr int ReadingIntervalMs = 10;
constexpr int SoakSeconds = 60;
constexpr int UserReadsBoxMs = 500;

qint64 residentKilobytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * sysconf(_SC_PAGESIZE) / 1024;
}

QList<QMessageBox*> openBoxes() {
    QList<QMessageBox*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            boxes.append(box);
    return boxes;
}

sim::GaugeProfile probeGauge() {
    sim::GaugeProfile profile;
    profile.name = QStringLiteral("ZE-4711 ZEL");
    profile.address = QStringLiteral("0080E1C4D5E6");
    profile.info = "$vexa00T:3,S:471100,R:1.12,M:0080E1C4D5E6,U:ym!";
    profile.battery = "$gcv?1.45!";
    profile.clock = "$glt?05.03.2026 07:08:09!";
    for (int i = 0; i < 60; ++i)
        profile.live.append(QStringLiteral("%1  %2 ym   FE  2026-03-05 07:10:00")
                                .arg(i + 1, 4)
                                .arg(80 + (i * 37 % 60) * 0.5, 10, 'f', 1)
                                .toLatin1());
    return profile;
}

void BM_OnlineSoak(benchmark::State& state) {
    QTemporaryDir folder;
    DialogPrompt prompt;
    MainModel main(prompt);
    sim::SimulatedTransport simulation({probeGauge()}, {.liveIntervalMs = ReadingIntervalMs});
    WindowSession session(simulation, main);
    // The window draws what the model shows; the link window's part is played below, so it has no session.
    FrmTransfer window(main);
    prompt.setParentWindow(&window);
    main.programStart({QString(), folder.path(), folder.path()});
    window.show();
    playLinkWindow(session);
    QCoro::waitFor(session.cmdConnect_Click());
    if (!session.gauge().linkConnected()) {
        state.SkipWithError("the simulated gauge did not connect");
        return;
    }

    double maxLagMs = 0;
    int mostBoxes = 0;
    qint64 growthKb = 0;
    for (auto _ : state) {
        const qint64 residentBefore = residentKilobytes();
        // The event loop's lag: how late a timer asked for every 10 ms comes.
        QElapsedTimer sinceTick;
        sinceTick.start();
        QTimer tick;
        tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick, &QTimer::timeout, &tick, [&] {
            maxLagMs = std::max(maxLagMs, double(sinceTick.nsecsElapsed()) / 1e6 - ReadingIntervalMs);
            sinceTick.restart();
        });
        tick.start(ReadingIntervalMs);
        // The user: reads every box for half a second, then closes it.
        QElapsedTimer boxOpen;
        QTimer user;
        QObject::connect(&user, &QTimer::timeout, &user, [&] {
            const QList<QMessageBox*> boxes = openBoxes();
            mostBoxes = std::max(mostBoxes, int(boxes.size()));
            if (boxes.isEmpty()) {
                boxOpen.invalidate();
                return;
            }
            if (!boxOpen.isValid())
                boxOpen.start();
            else if (boxOpen.elapsed() >= UserReadsBoxMs)
                boxes.first()->accept();
        });
        user.start(5);
        QEventLoop soak;
        QTimer::singleShot(SoakSeconds * 1000, &soak, &QEventLoop::quit);
        soak.exec();
        growthKb = residentKilobytes() - residentBefore;
    }
    state.counters["max_lag_ms"] = maxLagMs;
    state.counters["rss_growth_kb"] = double(growthKb);
    state.counters["open_boxes_max"] = mostBoxes;
    state.counters["rows"] = main.stores().online.presentCount();
    QCoro::waitFor(session.endProgram());
}
BENCHMARK(BM_OnlineSoak)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

} // namespace
