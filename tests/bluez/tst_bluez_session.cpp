// The gauge session end to end through Qt Bluetooth and BlueZ, with the BlueZ double standing in for the
// daemon and the radio: scan, connect, discovery, downloads, live values, disconnect, link loss, errors.
#include "BluezDoubleControl.h"
#include "SessionHarness.h"
#include "link/ble/QtBluetoothTransport.h"
#include "link/sim/GaugeProfile.h"
#include "link/sim/SimulatedTransport.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace vexa;
using namespace vexa::ctl;

namespace {

const QString Profiles = QStringLiteral(VEXA_BLUEZ_PROFILES);
const QString FileGaugeProfile = Profiles + QStringLiteral("/bz-file-gauge.json");
const QString ProbeGaugeProfile = Profiles + QStringLiteral("/bz-probe-gauge.json");
constexpr std::chrono::milliseconds LinkSettles{10000};

sim::GaugeProfile profile(const QString& path) {
    const sim::LoadedProfile loaded = sim::loadGaugeProfile(path);
    if (!loaded.profile)
        qFatal("%s", qPrintable(loaded.error));
    return *loaded.profile;
}

// Qt Bluetooth, made before the session that uses it.
struct Bluetooth {
    ble::QtBluetoothTransport bluetooth;
};

// Ends as the program ends: a connected gauge is disconnected first.
struct BluezSession : Bluetooth, SessionHarness {
    explicit BluezSession(int languageIndex = 0)
        : SessionHarness(bluetooth, languageIndex) {}
    ~BluezSession() { QCoro::waitFor(session.endProgram()); }
};

struct Simulation {
    explicit Simulation(const QList<sim::GaugeProfile>& profiles)
        : simulation(profiles, {.liveIntervalMs = 3'600'000}) {}
    sim::SimulatedTransport simulation;
};

struct SimulatedSession : Simulation, SessionHarness {
    explicit SimulatedSession(const QList<sim::GaugeProfile>& profiles)
        : Simulation(profiles)
        , SessionHarness(simulation) {}
};

QList<int> oneTo(int count) {
    QList<int> numbers;
    for (int i = 1; i <= count; ++i)
        numbers.append(i);
    return numbers;
}

std::vector<MeasurementRow> presentRows(SessionHarness& s) {
    std::vector<MeasurementRow> rows;
    for (int i = 1; i <= s.main.currentStore().presentCount(); ++i)
        rows.push_back(s.main.currentStore()[i]);
    return rows;
}

// Downloads the gauge's first memory, as the user does after connecting.
void downloadFirstMemory(SessionHarness& s) {
    s.choose(s.controls().items(cmbSpeicher).value(0));
    s.read();
}

} // namespace

class TestBluezSession : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void scanListsBothGauges();
    void scanWithoutUsableAdapter_data();
    void scanWithoutUsableAdapter();
    void connectInitialisesGauge_data();
    void connectInitialisesGauge();

    void fileMemoryDownload();
    void probeMemoryDownload();
    void downloadMatchesSimulator();
    void liveValuesBecomeOnlineRows();

    void disconnectEndsLink();
    void lostLinkOffersReconnect();
    void failedReadIsReported();
    void operationsWithoutLinkFail();
    void unknownGaugeIsNotFound();

private:
    BluezDoubleControl double_;
};

void TestBluezSession::initTestCase() {
    QVERIFY2(QDBusConnection::systemBus().isConnected(), "no system bus: run under with-bluez-double.sh");
    const QString reset = double_.call("ResetCallCounts");
    QVERIFY2(reset.isEmpty(), qPrintable(reset));
}

// Every test starts in the same radio world: both gauges in range, fresh, the adapter on.
void TestBluezSession::init() {
    QCOMPARE(double_.call("SetAdapter", true, true), QString());
    QCOMPARE(double_.call("LoadProfiles", QStringList{FileGaugeProfile, ProbeGaugeProfile}), QString());
}

void TestBluezSession::scanListsBothGauges() {
    BluezSession s;
    s.window().cmdScan_Click();
    QTRY_COMPARE(s.window().controls().items(ble::lbDevices).size(), 2);
    QCOMPARE(s.window().controls().caption(ble::cmdScan), QStringLiteral("Stop"));
    QStringList listed = s.window().controls().items(ble::lbDevices);
    listed.sort();
    QCOMPARE(listed, (QStringList{QStringLiteral("MAC: 0080E1B0B1B2 Name: QY-FE 3300       RSSI: -55"),
                                  QStringLiteral("MAC: 0080E1C0C1C2 Name: ZE-4800 ZEL       RSSI: -68")}));
    s.window().cmdScan_Click();
    QCOMPARE(s.window().controls().caption(ble::cmdScan), QStringLiteral("Scan"));
    QVERIFY(s.prompt.shown().isEmpty());
}

void TestBluezSession::scanWithoutUsableAdapter_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("no adapter") << false << 0
                                << QString::fromUtf8(
                                       "Bitte Bluetooth Einstellungen prüfen, oder Adapter verbinden\r\n");
    QTest::newRow("switched off") << true << 1
                                  << QStringLiteral("Please check bluetooth settings or connect dongle\r\n");
}

void TestBluezSession::scanWithoutUsableAdapter() {
    QFETCH(bool, present);
    QFETCH(int, language);
    QCOMPARE(double_.call("SetAdapter", present, false), QString());
    BluezSession s(language);
    s.window().cmdScan_Click();
    QTRY_COMPARE(s.prompt.shown().size(), 1);
    QTEST(s.prompt.shown().first(), "message");
    QCOMPARE(s.window().controls().caption(ble::cmdScan), QStringLiteral("Scan"));
    QVERIFY(s.window().controls().items(ble::lbDevices).isEmpty());
    // The scan's failure is logged with Qt's error number and text.
    QFile log(s.main.log().filePath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    const qsizetype scan = lines.indexOf("Bluetooth SCAN1\r");
    QVERIFY(scan >= 0 && scan + 1 < lines.size());
    QVERIFY2(QRegularExpression(QStringLiteral("^[1-9][0-9]* \\S.*\r$"))
                 .match(QString::fromUtf8(lines[scan + 1]))
                 .hasMatch(),
             lines[scan + 1].constData());

    // Switched on again, the window scans as usual.
    QCOMPARE(double_.call("SetAdapter", true, true), QString());
    s.window().cmdScan_Click();
    QTRY_COMPARE(s.window().controls().items(ble::lbDevices).size(), 2);
}

void TestBluezSession::connectInitialisesGauge_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("traits");
    QTest::addColumn<QStringList>("memories");
    QTest::newRow("generation 5, file memory")
        << QStringLiteral("QY-FE 3300") << QStringLiteral("QY") << QStringLiteral("5LE2+-2")
        << QStringList{QStringLiteral("m001").leftJustified(20, u' ')};
    QTest::newRow("generation 4, probe memory")
        << QStringLiteral("ZE-4800 ZEL") << QStringLiteral("ZKB") << QStringLiteral("4LE2+-2")
        << QStringList{QStringLiteral("   S1  (40)"), QStringLiteral("   S2   (0)")};
}

void TestBluezSession::connectInitialisesGauge() {
    QFETCH(QString, name);
    BluezSession s;
    s.connectGauge(name);
    QVERIFY(s.gauge().linkConnected());
    QTEST(s.main.state().gauge.model.deviceModel, "model");
    QTEST(s.main.state().gauge.traits.text(), "traits");
    QTEST(s.controls().items(cmbSpeicher), "memories");
    QCOMPARE(s.controls().caption(cmdConnect), QStringLiteral("Trennen"));
    QCOMPARE(s.controls().caption(txtWait), QStringLiteral("Verbunden"));
    QVERIFY(s.gauge().liveValuesOn());
    QVERIFY2(s.prompt.shown().isEmpty(), qPrintable(s.prompt.shown().join(u'|')));
}

void TestBluezSession::fileMemoryDownload() {
    BluezSession s;
    s.connectGauge(QStringLiteral("QY-FE 3300"));
    downloadFirstMemory(s);
    QCOMPARE(s.numbers(), oneTo(200));
    QCOMPARE(s.main.table().rowCount(), 200);
    QVERIFY(s.controls().items(lstStat).size() >= 5);
    // 160 header bytes and 200 records of 16 bytes in blocks of 32.
    QCOMPARE(s.transport.commandsStartingWith("$rd?").size(), 105);
    QCOMPARE(s.transport.commandsStartingWith("$fc?"), QByteArrayList{"$fc?1!"});
    QVERIFY(s.gauge().liveValuesOn());
    QVERIFY(s.prompt.shown().isEmpty());
}

void TestBluezSession::probeMemoryDownload() {
    BluezSession s;
    s.connectGauge(QStringLiteral("ZE-4800 ZEL"));
    downloadFirstMemory(s);
    QCOMPARE(s.numbers(), oneTo(40));
    QCOMPARE(s.main.currentStore()[1].value, 88.0);
    QCOMPARE(s.controls().caption(optFE), QStringLiteral("Speicher 1 (40)"));
    QVERIFY(s.gauge().liveValuesOn());
    QVERIFY(s.prompt.shown().isEmpty());
}

// One download through the simulator in the program and one through Qt Bluetooth and BlueZ give the
// same rows, field by field, and the same statistics.
void TestBluezSession::downloadMatchesSimulator() {
    SimulatedSession simulated({profile(FileGaugeProfile)});
    simulated.connectGauge();
    downloadFirstMemory(simulated);
    BluezSession bluez;
    bluez.connectGauge(QStringLiteral("QY-FE 3300"));
    downloadFirstMemory(bluez);

    QCOMPARE(presentRows(bluez).size(), size_t(200));
    QVERIFY(presentRows(bluez) == presentRows(simulated));
    QCOMPARE(bluez.controls().items(lstStat), simulated.controls().items(lstStat));
}

void TestBluezSession::liveValuesBecomeOnlineRows() {
    BluezSession s;
    s.connectGauge(QStringLiteral("QY-FE 3300"));
    QTRY_VERIFY_WITH_TIMEOUT(s.main.stores().online.presentCount() >= 10, LinkSettles.count());
    QCOMPARE(s.main.state().view, View::Online);
    QCOMPARE(s.numbers().mid(0, 10), oneTo(10));
    QCOMPARE(s.main.stores().online[1].value, 120.0);
}

void TestBluezSession::disconnectEndsLink() {
    BluezSession s;
    s.connectGauge(QStringLiteral("QY-FE 3300"));
    QCOMPARE(double_.call("ResetCallCounts"), QString());
    QCoro::waitFor(s.session.cmdConnect_Click());
    QTRY_VERIFY(!s.main.state().connected);
    QCOMPARE(s.controls().caption(cmdConnect), QStringLiteral("Verbinden"));
    QCOMPARE(s.main.state().connectAction, ConnectAction::Connect);
    QCOMPARE(s.controls().caption(txtWait), QStringLiteral("Getrennt"));
    QVERIFY(s.gauge().address().isEmpty());
    QVERIFY(!s.gauge().liveValuesOn());
    QCOMPARE(double_.callCounts().value(QStringLiteral("Disconnect")), 1u);
    QVERIFY(s.prompt.shown().isEmpty());
}

void TestBluezSession::lostLinkOffersReconnect() {
    BluezSession s;
    s.connectGauge(QStringLiteral("QY-FE 3300"));
    QCOMPARE(double_.call("RemoveDevice", QStringLiteral("0080E1B0B1B2")), QString());
    QTRY_VERIFY(!s.gauge().linkConnected());
    QVERIFY(s.gauge().linkOffline());
    QCOMPARE(s.controls().caption(txtWait),
             QString::fromUtf8("Gerät außerhalb der Bluetooth Reichweite oder ausgeschaltet"));
    QCOMPARE(s.controls().caption(cmdConnect), QStringLiteral("Wiederverbinden"));
    QCOMPARE(s.main.state().connectAction, ConnectAction::Reconnect);
    QCOMPARE(s.gauge().address(), QStringLiteral("0080E1B0B1B2"));
    QVERIFY(s.prompt.shown().isEmpty());

    // Back in range, but BlueZ has forgotten it: ReConnect finds it again.
    QCOMPARE(double_.call("LoadProfiles", QStringList{FileGaugeProfile}), QString());
    QCOMPARE(double_.call("ResetCallCounts"), QString());
    QCoro::waitFor(s.session.cmdConnect_Click());
    QVERIFY(s.gauge().linkConnected());
    QCOMPARE(double_.callCounts().value(QStringLiteral("StartDiscovery")), 1u);
    QCOMPARE(s.controls().caption(cmdConnect), QStringLiteral("Trennen"));
    QCOMPARE(s.controls().items(cmbSpeicher).size(), 1);
    downloadFirstMemory(s);
    QCOMPARE(s.numbers(), oneTo(200));
    QVERIFY2(s.prompt.shown().isEmpty(), qPrintable(s.prompt.shown().join(u'|')));
}

void TestBluezSession::failedReadIsReported() {
    BluezSession s;
    s.connectGauge(QStringLiteral("QY-FE 3300"));
    QCOMPARE(double_.call("FailReads", QStringLiteral("0080E1B0B1B2"), true), QString());
    downloadFirstMemory(s);
    QCOMPARE(s.prompt.shown().size(), 1);
    QVERIFY2(
        s.prompt.shown().first().startsWith(QStringLiteral("BLECLient Error105 Read of ") + uuid::CharVexa),
        qPrintable(s.prompt.shown().first()));
    QTRY_VERIFY(!s.gauge().linkConnected());
    QCOMPARE(s.main.currentStore().presentCount(), 0);
    // The link is gone: reading waits for the next connect, the rest stays usable.
    QVERIFY(!s.controls().enabled(cmdLesen));
    QVERIFY(s.controls().enabled(cmdOpen));
}

// Outcomes come from the event loop in call order, errors included; a disconnect without a link confirms.
void TestBluezSession::operationsWithoutLinkFail() {
    ble::QtBluetoothTransport transport;
    QList<int> events;
    connect(&transport, &Transport::error, this, [&events](int code) { events.append(code); });
    connect(&transport, &Transport::disconnected, this,
            [&events](int status) { events.append(-1 - status); });
    transport.read(uuid::ServiceMI, uuid::CharVexa);
    transport.connectToGauge(QStringLiteral("0080E1"));
    transport.disconnectFromGauge();
    transport.discover({});
    QVERIFY(events.isEmpty());
    QTRY_COMPARE(events.size(), 4);
    QCOMPARE(events, (QList<int>{int(ble::TransportError::NotConnected), int(ble::TransportError::BadAddress),
                                 -1, int(ble::TransportError::NotConnected)}));
}

// A gauge neither BlueZ nor a search knows: the connect ends with an error once the search gives up.
void TestBluezSession::unknownGaugeIsNotFound() {
    ble::QtBluetoothTransport transport;
    QSignalSpy errors(&transport, &Transport::error);
    QSignalSpy connects(&transport, &Transport::connected);
    transport.connectToGauge(QStringLiteral("0080E1DDDDDD"));
    QVERIFY(errors.wait(int(ble::QtBluetoothTransport::DeviceSearchDeadline.count()) + 5000));
    QCOMPARE(errors.first().at(0).toInt(), int(QLowEnergyController::UnknownRemoteDeviceError));
    QCOMPARE(errors.first().at(1).toString(), QStringLiteral("Gauge 0080E1DDDDDD not found"));
    QCOMPARE(connects.count(), 0);
}

QTEST_GUILESS_MAIN(TestBluezSession)
#include "tst_bluez_session.moc"
