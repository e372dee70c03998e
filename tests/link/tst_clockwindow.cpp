// The clock window against a simulated gauge: the live display, setting the clock, and what happens when
// the gauge falls silent, drops the link or the window closes while a request waits.
#include "DemoGauges.h"
#include "SessionHarness.h"
#include "link/RelayTransport.h"
#include "link/sim/SimulatedTransport.h"
#include "widgets/frmTime.h"
#include "widgets/frmTransfer.h"
#include "window/ClockWindowModel.h"

#include <QAction>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <qcoro/qcorotask.h>
#include <tuple>

using namespace vexa;
using namespace vexa::timectl;

namespace {

const QString OutOfRange = QStringLiteral("Gerät außerhalb der Bluetooth Reichweite oder ausgeschaltet");
const QString ClockSet = QStringLiteral("Datum/Zeit wurde aktualisert");
// Past the gauge layer's 5 s deadline, with room for a slow machine.
constexpr int BeyondDeadlineMs = 15000;

// Keeps back the commands starting with `holdPrefix` until the test lets them go: until then the gauge has
// not heard them and their request waits.
class HoldingTransport : public RelayTransport {
public:
    using RelayTransport::RelayTransport;

    QByteArray holdPrefix;
    QList<std::tuple<QString, QString, QByteArray>> held;

    void write(const QString& service, const QString& characteristic, const QByteArray& value) override {
        if (!holdPrefix.isEmpty() && value.startsWith(holdPrefix)) {
            held.append({service, characteristic, value});
            return;
        }
        RelayTransport::write(service, characteristic, value);
    }
    void release() {
        holdPrefix.clear();
        for (const auto& [service, characteristic, value] : std::exchange(held, {}))
            RelayTransport::write(service, characteristic, value);
    }
};

sim::SimulationOptions quiet(sim::SimulationOptions options = {}) {
    options.liveIntervalMs = 3'600'000;
    return options;
}

struct Simulation {
    Simulation()
        : simulation({demoProfile(QStringLiteral("qy-coating.json"))}, quiet())
        , holding(simulation) {}
    sim::SimulatedTransport simulation;
    HoldingTransport holding;
};

// A coating gauge connected as the user connects it, its clock on a PC time the test moves on.
struct Connected : Simulation, SessionHarness {
    QDateTime pcTime{QDate(2026, 12, 10), QTime(9, 0)};

    Connected()
        : SessionHarness(holding) {
        connectGauge();
        simulation.gauge(demoProfile(QStringLiteral("qy-coating.json")).address)->setTimeSource([this] {
            return pcTime;
        });
    }

    ClockWindowModel& clock() { return session.clockWindow(); }
    QString shown(const QString& name) { return clock().controls().caption(name); }
    // From the next operation on the gauge answers nothing.
    void silence() { simulation.setOptions(quiet({.stopAnsweringAfter = transport.operations})); }
};

} // namespace

class TestClockWindow : public QObject {
    Q_OBJECT
private slots:
    void displayFollowsTheGaugeClock();
    void commandsWaitWhileTheWindowIsOpen();
    void openingAgainKeepsOneDisplay();
    void setSendsThePcTimeAndConfirmsOnceWritten();
    void setWithoutWriteResponseIsNotConfirmed();
    void silentGaugeEndsTheDisplay();
    void linkDroppedWhileOpen();
    void withoutLinkNothingIsAsked();
    void escapeStopsTheDisplay();
    void closingDuringARequestLeavesTheWindowAlone();
    void captionsFollowTheLanguage();
    void theMenuShowsOneWindow();
};

void TestClockWindow::displayFollowsTheGaugeClock() {
    Connected c;
    QVERIFY(c.gauge().liveValuesOn());
    c.clock().mnuSetTime_Click();
    QTRY_COMPARE(c.shown(txtDateTime), QStringLiteral("05.03.2026 07:08:09"));
    QVERIFY(!c.gauge().liveValuesOn());
    c.pcTime = c.pcTime.addSecs(2);
    QTRY_COMPARE(c.shown(txtDateTime), QStringLiteral("05.03.2026 07:08:11"));
    QCOMPARE(c.shown(lblDatelog), QString());
    QVERIFY(c.clock().controls().enabled(cmdAkt));

    QCoro::waitFor(c.clock().windowClosed());
    QVERIFY(!c.clock().displayRunning());
    QVERIFY(c.gauge().liveValuesOn());
}

// Another command's request would take the display's answers, or it the other's.
void TestClockWindow::commandsWaitWhileTheWindowIsOpen() {
    Connected c;
    for (const QString& name : ctl::commandsTalkingToGauge())
        QVERIFY2(c.controls().enabled(name), qPrintable(name));
    c.clock().mnuSetTime_Click();
    for (const QString& name : ctl::commandsTalkingToGauge())
        QVERIFY2(!c.controls().enabled(name), qPrintable(name));
    // A live reading arriving meanwhile unblocks the commands as it always does; these stay blocked.
    c.main.unblockButtons();
    for (const QString& name : ctl::commandsTalkingToGauge())
        QVERIFY2(!c.controls().enabled(name), qPrintable(name));

    QCoro::waitFor(c.clock().windowClosed());
    for (const QString& name : ctl::commandsTalkingToGauge())
        QVERIFY2(c.controls().enabled(name), qPrintable(name));
}

// Every request waits 100 ms after the previous answer: however often the window is opened again, no
// more requests go out than one display sends.
void TestClockWindow::openingAgainKeepsOneDisplay() {
    Connected c;
    QSignalSpy raised(&c.clock(), &ClockWindowModel::windowRequested);
    QElapsedTimer running;
    running.start();
    for (int i = 0; i < 4; ++i)
        c.clock().mnuSetTime_Click();
    QCOMPARE(raised.size(), 4);
    QTest::qWait(1000);
    const qsizetype requests = c.transport.commandsStartingWith("$glt!").size();
    QVERIFY(requests >= 1);
    QVERIFY2(requests <= running.elapsed() / ClockWindowModel::DisplayInterval.count() + 1,
             qPrintable(QStringLiteral("%1 requests in %2 ms").arg(requests).arg(running.elapsed())));
    QCoro::waitFor(c.clock().windowClosed());
}

void TestClockWindow::setSendsThePcTimeAndConfirmsOnceWritten() {
    Connected c;
    const QDateTime pcTime(QDate(2026, 12, 10), QTime(6, 7, 8));
    ClockWindowModel clock(c.gauge(), c.main, [pcTime] { return pcTime; });
    QSignalSpy closing(&clock, &ClockWindowModel::closeRequested);
    clock.mnuSetTime_Click();
    QTRY_VERIFY(!clock.controls().caption(txtDateTime).isEmpty());

    c.holding.holdPrefix = "$slt?";
    clock.cmdAkt_Click();
    QTRY_COMPARE(c.holding.held.size(), 1);
    QCOMPARE(std::get<2>(c.holding.held.first()), QByteArray("$slt?2026-12-10/06:07:08!\r\n"));
    QVERIFY(!clock.controls().enabled(cmdAkt));
    QTest::qWait(300);
    QCOMPARE(clock.controls().caption(lblDatelog), QString());
    QVERIFY(closing.isEmpty());

    c.holding.release();
    QTRY_COMPARE(clock.controls().caption(lblDatelog), ClockSet);
    QCOMPARE(clock.controls().caption(txtDateTime), QStringLiteral("2026-12-10/06:07:08"));
    QTRY_COMPARE(closing.size(), 1);
    QCoro::waitFor(clock.windowClosed());
    QCOMPARE(c.transport.commandsStartingWith("$slt?").size(), 1);
    // The gauge took it: its clock now runs from the time sent.
    QCOMPARE(QCoro::waitFor(c.gauge().readClock()).value(), QStringLiteral("10.12.2026 06:07:08"));
    QVERIFY(c.gauge().liveValuesOn());
}

void TestClockWindow::setWithoutWriteResponseIsNotConfirmed() {
    Connected c;
    QSignalSpy closing(&c.clock(), &ClockWindowModel::closeRequested);
    c.clock().mnuSetTime_Click();
    QTRY_VERIFY(!c.shown(txtDateTime).isEmpty());
    c.holding.holdPrefix = "$slt?";
    c.clock().cmdAkt_Click();
    QTRY_COMPARE_WITH_TIMEOUT(c.shown(lblDatelog), OutOfRange, BeyondDeadlineMs);
    QVERIFY(closing.isEmpty());
    QVERIFY(c.clock().isOpen());
    QVERIFY(!c.clock().controls().enabled(cmdAkt));
    QCoro::waitFor(c.clock().windowClosed());
}

void TestClockWindow::silentGaugeEndsTheDisplay() {
    Connected c;
    c.clock().mnuSetTime_Click();
    QTRY_VERIFY(!c.shown(txtDateTime).isEmpty());
    c.silence();
    QTRY_COMPARE_WITH_TIMEOUT(c.shown(lblDatelog), OutOfRange, BeyondDeadlineMs);
    QVERIFY(!c.clock().displayRunning());
    QVERIFY(c.clock().isOpen());
    QVERIFY(!c.clock().controls().enabled(cmdAkt));
    QCoro::waitFor(c.clock().windowClosed());
}

void TestClockWindow::linkDroppedWhileOpen() {
    Connected c;
    c.clock().mnuSetTime_Click();
    QTRY_VERIFY(!c.shown(txtDateTime).isEmpty());
    c.simulation.setOptions(quiet({.dropConnectionAfter = c.transport.operations + 1}));
    QTRY_VERIFY(!c.gauge().linkConnected());
    QTRY_COMPARE(c.shown(lblDatelog), OutOfRange);
    QVERIFY(!c.clock().controls().enabled(cmdAkt));
    QTRY_VERIFY(!c.clock().displayRunning());

    // Closing does not switch live values on over a link that is gone.
    const int operations = c.transport.operations;
    QCoro::waitFor(c.clock().windowClosed());
    QCOMPARE(c.transport.operations, operations);
    QVERIFY(!c.gauge().liveValuesOn());
}

void TestClockWindow::withoutLinkNothingIsAsked() {
    Connected c;
    c.session.linkWindow().BLEDisconnect();
    QTRY_VERIFY(!c.gauge().linkConnected());
    const int operations = c.transport.operations;
    c.clock().mnuSetTime_Click();
    QCOMPARE(c.shown(lblDatelog), OutOfRange);
    QVERIFY(!c.clock().controls().enabled(cmdAkt));
    QCoro::waitFor(c.clock().cmdAkt_Click());
    QCoro::waitFor(c.clock().windowClosed());
    QCOMPARE(c.transport.operations, operations);
}

void TestClockWindow::escapeStopsTheDisplay() {
    Connected c;
    auto* window = new FrmTime(c.clock());
    c.clock().mnuSetTime_Click();
    window->show();
    QTRY_VERIFY(!c.shown(txtDateTime).isEmpty());
    QTest::keyClick(window, Qt::Key_Escape);
    QTRY_VERIFY(!c.clock().displayRunning());
    const qsizetype requests = c.transport.commandsStartingWith("$glt!").size();
    QTest::qWait(300);
    QCOMPARE(c.transport.commandsStartingWith("$glt!").size(), requests);
    QVERIFY(window->isVisible());
    QVERIFY(c.clock().isOpen());
    QSignalSpy closed(&c.clock(), &ClockWindowModel::closeFinished);
    window->close();
    QTRY_COMPARE(closed.size(), 1);
    QVERIFY(c.gauge().liveValuesOn());
}

// The window goes at once; the request it waited for ends without touching it (run under ASan).
void TestClockWindow::closingDuringARequestLeavesTheWindowAlone() {
    Connected c;
    QPointer<FrmTime> window = new FrmTime(c.clock());
    c.holding.holdPrefix = "$glt!";
    c.clock().mnuSetTime_Click();
    window->show();
    QTRY_COMPARE(c.holding.held.size(), 1);
    QVERIFY(c.clock().displayRunning());
    window->close();
    QTRY_VERIFY(window.isNull());
    QTRY_VERIFY(!c.clock().displayRunning());
    c.holding.release();
    QTRY_VERIFY(c.gauge().liveValuesOn());
    QTest::qWait(300);
    QCOMPARE(c.shown(txtDateTime), QString());
    for (const QString& name : ctl::commandsTalkingToGauge())
        QVERIFY2(c.controls().enabled(name), qPrintable(name));
}

void TestClockWindow::captionsFollowTheLanguage() {
    Connected c;
    FrmTime window(c.clock());
    QCOMPARE(window.findChild<QPushButton*>(cmdAkt)->text(), QStringLiteral("aktualisieren"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Vexa Connect V1.17"));
    c.main.englishClick();
    QCOMPARE(window.findChild<QPushButton*>(cmdAkt)->text(), QStringLiteral("update"));
}

// A second click brings the open window to the front instead of opening another.
void TestClockWindow::theMenuShowsOneWindow() {
    Connected c;
    FrmTransfer main(c.main, &c.session);
    QSignalSpy closed(&c.clock(), &ClockWindowModel::closeFinished);
    auto* menu = main.findChild<QAction*>(ctl::mnuSetTime);
    QVERIFY(menu->isEnabled());
    menu->trigger();
    menu->trigger();
    QTRY_COMPARE(main.findChildren<FrmTime*>().size(), 1);
    FrmTime* window = main.findChildren<FrmTime*>().first();
    QVERIFY(window->isVisible());
    window->close();
    QTRY_VERIFY(main.findChildren<FrmTime*>().isEmpty());
    QTRY_COMPARE(closed.size(), 1);
    QVERIFY(c.gauge().liveValuesOn());
    menu->trigger();
    QTRY_COMPARE(main.findChildren<FrmTime*>().size(), 1);
    QVERIFY(main.findChildren<FrmTime*>().first()->isVisible());
    QTRY_VERIFY(!c.gauge().liveValuesOn());
    main.findChildren<FrmTime*>().first()->close();
    QTRY_COMPARE(closed.size(), 2);
    QVERIFY(c.gauge().liveValuesOn());
}

QTEST_MAIN(TestClockWindow)
#include "tst_clockwindow.moc"
