#include "link/GaugeSession.h"
#include "link/sim/GaugeProfile.h"
#include "link/sim/SimulatedTransport.h"
#include "main/MainControls.h"
#include "main/MainModel.h"
#include "main/ScriptedPrompt.h"

#include <QTemporaryDir>
#include <QTest>
#include <qcoro/qcorotask.h>

using namespace vexa;
using namespace vexa::ctl;

namespace {

sim::GaugeProfile demoProfile(const char* file) {
    const sim::LoadedProfile loaded =
        sim::loadGaugeProfile(QStringLiteral(VEXA_SOURCE_DIR "/examples/gauges/") + QLatin1String(file));
    if (!loaded.profile)
        qFatal("%s", qPrintable(loaded.error));
    return *loaded.profile;
}

// A connected gauge, chosen in the link window the way a user does: scan, pick the first entry, connect.
struct Connected {
    QTemporaryDir folder;
    ScriptedPrompt prompt;
    MainModel main{prompt};
    sim::SimulatedTransport transport;
    GaugeSession session{transport, main};

    explicit Connected(const char* profile, sim::SimulationOptions options = {})
        : transport({demoProfile(profile)}, options) {
        main.programStart({QString(), folder.path(), folder.path()});
        QObject::connect(&session, &GaugeSession::linkWindowRequested, &session, [this] {
            LinkWindowModel& window = session.linkWindow();
            window.cmdScan_Click();
            QTRY_VERIFY(!window.controls().items(ble::lbDevices).isEmpty());
            window.lbDevices_Click(0);
            window.cmdConnect_Click();
            QTRY_VERIFY(window.linkConnected());
        });
        QCoro::waitFor(session.cmdConnect_Click());
    }
};

} // namespace

class TestSession : public QObject {
    Q_OBJECT
private slots:
    void connectInitialisesFileGauge();
    void downloadsMeasurementMemory();
    void connectInitialisesProbeGauge();
};

void TestSession::connectInitialisesFileGauge() {
    Connected gauge("qy-coating.json");
    QCOMPARE(gauge.main.state().deviceModel, QStringLiteral("QY"));
    QCOMPARE(gauge.main.state().deviceNumber, QStringLiteral("210745"));
    QCOMPARE(gauge.main.state().deviceInfo.U, QStringLiteral("µm"));
    QCOMPARE(gauge.main.controls().caption(cmdConnect), QStringLiteral("Trennen"));
    QCOMPARE(gauge.main.controls().items(cmbSpeicher).size(), 3);
    QVERIFY(gauge.main.controls().enabled(cmdLesen));
    QVERIFY(gauge.session.linkWindow().measureSubscribed());
    QCOMPARE(gauge.main.state().currentMemory, 2);
}

void TestSession::downloadsMeasurementMemory() {
    Connected gauge("qy-coating.json");
    gauge.main.controls().setCaption(cmbSpeicher, gauge.main.controls().items(cmbSpeicher).first());
    QCoro::waitFor(gauge.session.cmdLesen_Click());
    QCOMPARE(gauge.main.state().currentMemory, 0);
    QCOMPARE(gauge.main.currentStore().presentCount(), 25);
    QCOMPARE(gauge.main.table().rowCount(), 25);
    QVERIFY(gauge.main.controls().items(lstStat).size() > 4);
    QVERIFY(gauge.main.controls().enabled(cmdLesen));
    QVERIFY(gauge.session.linkWindow().measureSubscribed());
}

void TestSession::connectInitialisesProbeGauge() {
    Connected gauge("ze-probe-memory.json");
    QCOMPARE(gauge.main.state().deviceModel, QStringLiteral("ZKB"));
    const QStringList entries = gauge.main.controls().items(cmbSpeicher);
    QCOMPARE(entries.first(), QStringLiteral("   S1   (7)"));
    QCoro::waitFor(gauge.session.cmdLesen_Click());
    QCOMPARE(gauge.main.currentStore().presentCount(), 7);
    QCOMPARE(gauge.main.controls().caption(optFE), QStringLiteral("Speicher 1 (7)"));
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
