// The window of simulated gauges offscreen: its controls, found by their object names, measure with the
// connected gauge and switch its interval, and show what the simulation says in the program's language.
#include "link/sim/SimulatedTransport.h"
#include "link/sim/SimulatedTransportControl.h"
#include "widgets/frmSimulation.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;
using namespace vexa::simctl;

namespace {

const QString Address = QStringLiteral("001122334455");
const QString GaugeName = QStringLiteral("ZE-1234");

sim::GaugeProfile gaugeProfile(std::optional<int> liveIntervalMs) {
    sim::GaugeProfile profile;
    profile.name = GaugeName;
    profile.address = Address;
    profile.info = "$vexa00T:3,S:123456!";
    profile.battery = "$gcv?3.85!";
    profile.clock = "$glt?05.03.2026 07:08:09!";
    profile.live = {"   1        12.5 ym   FE  2026-01-12 08:00:00"};
    if (liveIntervalMs) {
        profile.simulation.emplace();
        profile.simulation->liveIntervalMs = liveIntervalMs;
    }
    return profile;
}

// The window beside a main window, over one simulated gauge that sends live values only when measured,
// unless its profile says otherwise.
struct Harness {
    QTemporaryDir folder;
    ScriptedPrompt prompt;
    MainModel main{prompt};
    sim::SimulatedTransport transport;
    sim::SimulatedTransportControl simulation{transport};
    FrmSimulation window{simulation, main};
    QSignalSpy liveValues{&transport, &Transport::value};

    explicit Harness(std::optional<int> profileIntervalMs = std::nullopt)
        : transport({gaugeProfile(profileIntervalMs)}, {.liveIntervalMs = std::nullopt}) {
        main.programStart({QString(), folder.path(), folder.path()});
        window.show();
    }

    template <typename W> W* control(const QString& name) {
        W* found = window.findChild<W*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }

    // The program connects and listens to live values, as the main window does.
    void connectAndListen() {
        QSignalSpy subscribed(&transport, &Transport::subscribed);
        transport.connectToGauge(Address);
        transport.subscribe(uuid::ServiceZK, uuid::CharMeasure);
        QVERIFY(subscribed.wait());
    }
    void disconnect() {
        QSignalSpy disconnected(&transport, &Transport::disconnected);
        transport.disconnectFromGauge();
        QVERIFY(disconnected.wait());
    }
    // The user's moves: "measure", "tick", "untick", "seconds N".
    void play(const QStringList& clicks) {
        for (const QString& click : clicks) {
            if (click == QLatin1String("measure")) {
                QTest::mouseClick(control<QPushButton>(cmdMeasure), Qt::LeftButton);
            } else if (click == QLatin1String("tick") || click == QLatin1String("untick")) {
                auto* box = control<QCheckBox>(chkEvery);
                QCOMPARE(box->isChecked(), click == QLatin1String("untick"));
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
            } else if (click.startsWith(QLatin1String("seconds "))) {
                control<QDoubleSpinBox>(spnEverySeconds)->setValue(click.mid(8).toDouble());
            } else {
                QFAIL(qPrintable(QStringLiteral("unknown click ") + click));
            }
        }
    }
};

} // namespace

class TestFrmSimulation : public QObject {
    Q_OBJECT
private slots:
    void controlsShowTheGauge_data();
    void controlsShowTheGauge();
    void controlsDriveTheGauge_data();
    void controlsDriveTheGauge();
    void textsFollowTheLanguage_data();
    void textsFollowTheLanguage();
};

void TestFrmSimulation::controlsShowTheGauge_data() {
    QTest::addColumn<int>("profileIntervalMs"); // -1: none
    QTest::addColumn<QString>("moves");         // on the link, not in the window
    QTest::addColumn<QString>("gauge");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<double>("seconds");
    const QString none = QStringLiteral("Kein Messgerät verbunden");
    QTest::newRow("no gauge") << -1 << QString() << none << false << false << 1.0;
    QTest::newRow("connected") << -1 << QStringLiteral("connect") << GaugeName << true << false << 1.0;
    QTest::newRow("the profile's interval")
        << 2500 << QStringLiteral("connect") << GaugeName << true << true << 2.5;
    QTest::newRow("an interval of milliseconds")
        << 10 << QStringLiteral("connect") << GaugeName << true << true << 0.01;
    QTest::newRow("interval set at the link")
        << -1 << QStringLiteral("connect every") << GaugeName << true << true << 0.25;
    QTest::newRow("disconnected") << 2500 << QStringLiteral("connect disconnect") << none << false << false
                                  << 2.5;
}

// What the window shows comes from the simulation, whoever changed it.
void TestFrmSimulation::controlsShowTheGauge() {
    QFETCH(int, profileIntervalMs);
    QFETCH(QString, moves);
    Harness h(profileIntervalMs < 0 ? std::nullopt : std::optional(profileIntervalMs));
    if (moves.contains(QLatin1String("connect")))
        h.connectAndListen();
    if (moves.contains(QLatin1String("every")))
        h.transport.setLiveIntervalMs(250);
    if (moves.contains(QLatin1String("disconnect")))
        h.disconnect();

    QTEST(h.control<QLabel>(lblGauge)->text(), "gauge");
    QFETCH(bool, enabled);
    QCOMPARE(h.control<QPushButton>(cmdMeasure)->isEnabled(), enabled);
    QCOMPARE(h.control<QCheckBox>(chkEvery)->isEnabled(), enabled);
    QCOMPARE(h.control<QDoubleSpinBox>(spnEverySeconds)->isEnabled(), enabled);
    QTEST(h.control<QCheckBox>(chkEvery)->isChecked(), "ticked");
    QTEST(h.control<QDoubleSpinBox>(spnEverySeconds)->value(), "seconds");
}

void TestFrmSimulation::controlsDriveTheGauge_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("measured");   // live values sent at once
    QTest::addColumn<int>("intervalMs"); // -1: none
    QTest::newRow("measure") << QStringList{"measure"} << 1 << -1;
    QTest::newRow("measure three times") << QStringList{"measure", "measure", "measure"} << 3 << -1;
    QTest::newRow("every second") << QStringList{"tick"} << 0 << 1000;
    QTest::newRow("every 2.5 s") << QStringList{"seconds 2.5", "tick"} << 0 << 2500;
    QTest::newRow("seconds changed while ticked") << QStringList{"tick", "seconds 3"} << 0 << 3000;
    QTest::newRow("ticked and unticked") << QStringList{"tick", "untick"} << 0 << -1;
    QTest::newRow("seconds alone") << QStringList{"seconds 3"} << 0 << -1;
}

void TestFrmSimulation::controlsDriveTheGauge() {
    QFETCH(QStringList, clicks);
    QFETCH(int, measured);
    QFETCH(int, intervalMs);
    Harness h;
    h.connectAndListen();
    h.play(clicks);
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(h.transport.liveIntervalMs().value_or(-1), intervalMs);
    QCOMPARE(h.control<QCheckBox>(chkEvery)->isChecked(), intervalMs > 0);
    if (intervalMs > 0)
        QCOMPARE(h.control<QDoubleSpinBox>(spnEverySeconds)->value(), intervalMs / 1000.0);
    // Measured values are on their way before any interval's first one.
    QTRY_COMPARE(h.liveValues.size(), measured);
    for (const QList<QVariant>& value : h.liveValues)
        QCOMPARE(value.at(1).toString(), uuid::CharMeasure);
}

void TestFrmSimulation::textsFollowTheLanguage_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("captions"); // title, gauge, measure, every
    QTest::newRow("German") << 0
                            << QStringList{"Simulierte Messgeräte", "Kein Messgerät verbunden", "Messen",
                                           "alle"};
    QTest::newRow("English") << 1
                             << QStringList{"Simulated gauges", "No gauge connected", "Measure", "every"};
}

void TestFrmSimulation::textsFollowTheLanguage() {
    QFETCH(int, language);
    QFETCH(QStringList, captions);
    Harness h;
    // Switched there and back, so that either row follows a change of language.
    h.main.applyLanguage(1 - language);
    h.main.applyLanguage(language);
    QCOMPARE(h.window.windowTitle(), captions[0]);
    QCOMPARE(h.control<QLabel>(lblGauge)->text(), captions[1]);
    QCOMPARE(h.control<QPushButton>(cmdMeasure)->text(), captions[2]);
    QCOMPARE(h.control<QCheckBox>(chkEvery)->text(), captions[3]);
    QCOMPARE(h.window.objectName(), frmSimulation);
}

QTEST_MAIN(TestFrmSimulation)
#include "tst_frmsimulation.moc"
