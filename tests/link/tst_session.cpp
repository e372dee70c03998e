// The gauge session end to end against simulated gauges: the user's path from the scan to a filled table.
#include "DemoGauges.h"
#include "DumpBuilder.h"
#include "LinkWindowData.h"
#include "SessionHarness.h"
#include "data/LocaleTexts.h"
#include "link/sim/GaugeProfile.h"
#include "link/sim/SimulatedTransport.h"
#include "link/sim/SimulatedTransportControl.h"
#include "texts/Texts.h"
#include "window/MainControls.h"
#include "window/SimulationWindowModel.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <qcoro/qcorotask.h>

using namespace vexa;
using namespace vexa::ctl;

Q_DECLARE_METATYPE(vexa::sim::GaugeProfile)
Q_DECLARE_METATYPE(vexa::sim::GaugeMemory)

namespace {

const QString OutOfRange = QStringLiteral("Gerät außerhalb der Bluetooth Reichweite oder ausgeschaltet");

// No live value arrives unless a test sends it or asks for them.
sim::SimulationOptions quiet(sim::SimulationOptions options = {}) {
    options.liveIntervalMs = 3'600'000;
    return options;
}

// A dual reading: two records, the second half of the value being the second record without its
// leading blank (the reader puts one back).
QByteArray dualReading(const QByteArray& first, const QByteArray& second) {
    return first + '\n' + second.mid(1) + " \n";
}

// A gauge known only by its name and answers; generation-5 names get a probe and files.
sim::GaugeProfile namedGauge(const QString& name, const QByteArray& battery = "$gcv?3.85!") {
    sim::GaugeProfile profile;
    profile.name = name;
    profile.address = QStringLiteral("0080E1000001");
    profile.info = "$vexa00T:2,S:4242,R:1.00,M:0080E1000001,U:ym!";
    profile.probe = QByteArray("$gpiT:F1,R:1.0,S:77!");
    profile.battery = battery;
    profile.clock = "$glt?05.03.2026 07:08:09!";
    return profile;
}

sim::GaugeProfile fileGauge(QList<sim::GaugeFile> files, std::optional<QByteArray> listAnswer = {}) {
    sim::GaugeProfile profile = namedGauge(QStringLiteral("QY-FE 9"));
    profile.files = std::move(files);
    profile.fileList = std::move(listAnswer);
    return profile;
}

sim::GaugeProfile probeGauge(QList<sim::GaugeMemory> memories) {
    sim::GaugeProfile profile = demoProfile("ze-probe-memory.json");
    profile.memories = std::move(memories);
    return profile;
}

// The simulated gauges, made before the session that uses them.
struct Simulation {
    Simulation(const QList<sim::GaugeProfile>& profiles, sim::SimulationOptions options)
        : simulation(profiles, options) {}
    sim::SimulatedTransport simulation;
};

// The main window and the link over simulated gauges, not yet connected.
struct Session : Simulation, SessionHarness {
    explicit Session(const QList<sim::GaugeProfile>& profiles, sim::SimulationOptions options = quiet(),
                     int languageIndex = 0, const QByteArray& programFile = {})
        : Simulation(profiles, options)
        , SessionHarness(simulation, languageIndex, programFile) {}
};

// A connected gauge, chosen in the link window the way a user does: pick the entry, connect.
struct Connected : Session {
    explicit Connected(const sim::GaugeProfile& profile, sim::SimulationOptions options = quiet(),
                       int languageIndex = 0)
        : Session({profile}, options, languageIndex) {
        connectGauge();
        // The gauge's own language settings (none here: German) apply at connect; switch back and refresh.
        if (languageIndex == 1) {
            main.englishClick();
            QCoro::waitFor(session.cmdRefresh_Click());
        }
    }

    void sendLive(const QByteArray& value) {
        emit transport.value(uuid::ServiceZK, uuid::CharMeasure, value);
    }
};

// The online table as if it held `count` readings.
void holdOnlineRows(Connected& gauge, int count) {
    std::vector<MeasurementRow> rows(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        rows[static_cast<size_t>(i)].number = static_cast<qint16>(i + 1);
        rows[static_cast<size_t>(i)].value = 90;
    }
    gauge.main.stores().online.assign(rows);
    gauge.main.state().onlineCounter = count + 1;
}

QList<int> oneTo(int count) {
    QList<int> numbers;
    for (int i = 1; i <= count; ++i)
        numbers.append(i);
    return numbers;
}

QString padded(const char* name) {
    return QString::fromLatin1(name).leftJustified(20, u' ');
}

QString q(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

class TestSession : public QObject {
    Q_OBJECT
private slots:
    // scan and connect
    void scanListsGaugesOnce_data();
    void scanListsGaugesOnce();
    void scanButtonToggles();
    void scanStartsWhenTheWindowOpens_data();
    void scanStartsWhenTheWindowOpens();
    void noScanWhileConnected();
    void closingTheWindowEndsItsScan();
    void aConnectAbandonedWithTheWindowIsForgotten();
    void scanClickedWhileOpeningListsOnce_data();
    void scanClickedWhileOpeningListsOnce();
    void lastGaugeIsChosen_data();
    void lastGaugeIsChosen();
    void usersChoiceStands_data();
    void usersChoiceStands();
    void doubleClickConnects_data();
    void doubleClickConnects();
    void scanWithoutAdapterKeepsWindowUsable_data();
    void scanWithoutAdapterKeepsWindowUsable();
    void connectInitialisesGauge_data();
    void connectInitialisesGauge();

    // memory lists
    void fileMemoryList_data();
    void fileMemoryList();
    void probeMemoryList_data();
    void probeMemoryList();
    void emptyProbeTableRefusesRead_data();
    void emptyProbeTableRefusesRead();

    // downloads
    void fileDownload_data();
    void fileDownload();
    void fileReadInBlocks_data();
    void fileReadInBlocks();
    void probeDownload_data();
    void probeDownload();
    void probeReadAfterOnlineStartsAtOne();
    void emptyMemoryIsSaidLongEnoughToRead();

    // live values
    void liveValuesBecomeOnlineRows();
    void dualReadingFillsTwoRows();
    void deletedOnlineNumberIsNotGivenAgain();
    void rejectedReadingFillsNoRow();
    void fullTableRefusesValues_data();
    void fullTableRefusesValues();
    void fullTableSaysSoOnce();
    void memoryStaysUntilMeasured_data();
    void memoryStaysUntilMeasured();

    // link loss, silence, cancel, bad data
    void gaugeDropsLinkAndReconnects();
    void linkWindowClosedWithoutConnecting_data();
    void linkWindowClosedWithoutConnecting();
    void offlineViewsAskNothingOfTheGauge();
    void exportsAreOfferedOnceAMemoryIsRead_data();
    void exportsAreOfferedOnceAMemoryIsRead();
    void nextGaugeStartsFromItsOwnList_data();
    void nextGaugeStartsFromItsOwnList();
    void lastGaugeIsRememberedForTheNextStart();
    void leavingWithUnsavedReadingsAsksOnce_data();
    void leavingWithUnsavedReadingsAsksOnce();
    void silentGaugeEndsDownload();
    void cancelledDownloadKeepsTable();
    void decodingErrorKeepsTable();
    void memoryBeyondTheTableIsSaid();
};

void TestSession::scanListsGaugesOnce_data() {
    QTest::addColumn<QList<sim::GaugeProfile>>("profiles");
    QTest::addColumn<QStringList>("listed");

    const sim::GaugeProfile qy = demoProfile("qy-coating.json");
    const sim::GaugeProfile ze = demoProfile("ze-probe-memory.json");
    sim::GaugeProfile phone = namedGauge(QStringLiteral("Phone"));
    phone.address = QStringLiteral("AABBCCDDEEFF");
    sim::GaugeProfile dotted = namedGauge(QStringLiteral(".x1"));
    dotted.rssi = -67;

    QTest::newRow("two gauges") << QList<sim::GaugeProfile>{qy, ze} << QStringList{qy.name, ze.name};
    QTest::newRow("phone dropped") << QList<sim::GaugeProfile>{phone, ze} << QStringList{ze.name};
    QTest::newRow("leading dot listed")
        << QList<sim::GaugeProfile>{dotted, phone} << QStringList{dotted.name};
}

void TestSession::scanListsGaugesOnce() {
    QFETCH(QList<sim::GaugeProfile>, profiles);
    QFETCH(QStringList, listed);
    Session s(profiles, quiet({.advertisementIntervalMs = 1}));
    QSignalSpy advertisements(&s.transport, &Transport::advertisement);
    s.window().cmdScan_Click();
    QTRY_VERIFY(advertisements.count() >= 4 * profiles.size());

    QStringList expected;
    for (const QString& name : listed)
        for (const sim::GaugeProfile& profile : profiles)
            if (profile.name == name)
                expected.append(listEntry(profile));
    QCOMPARE(s.window().controls().items(ble::lbDevices), expected);
}

void TestSession::scanButtonToggles() {
    Session s({demoProfile("qy-coating.json")}, quiet({.advertisementIntervalMs = 1}));
    s.window().cmdScan_Click();
    QTRY_COMPARE(s.window().controls().caption(ble::cmdScan), QStringLiteral("Stop"));
    QVERIFY(s.window().scanning());
    s.window().cmdScan_Click();
    QCOMPARE(s.window().controls().caption(ble::cmdScan), QStringLiteral("Scan"));
    QVERIFY(!s.window().scanning());
}

// The link window scans as it opens, and each time anew: every gauge in range is listed once.
void TestSession::scanStartsWhenTheWindowOpens_data() {
    QTest::addColumn<QString>("before");
    QTest::newRow("first open") << QString();
    QTest::newRow("after a disconnect") << QStringLiteral("disconnected");
    QTest::newRow("closed while it scanned") << QStringLiteral("closed");
}

void TestSession::scanStartsWhenTheWindowOpens() {
    QFETCH(QString, before);
    const sim::GaugeProfile qy = demoProfile("qy-coating.json");
    const sim::GaugeProfile ze = demoProfile("ze-probe-memory.json");
    Session s({qy, ze}, quiet({.advertisementIntervalMs = 1}));
    if (before == u"disconnected") {
        s.connectGauge();
        QCoro::waitFor(s.session.cmdConnect_Click()); // "Trennen"
        QTRY_VERIFY(!s.main.state().connected);
    } else if (before == u"closed") {
        s.openLinkWindow([&s] { QTRY_COMPARE(s.window().controls().items(ble::lbDevices).size(), 2); });
    }

    QSignalSpy advertisements(&s.transport, &Transport::advertisement);
    QStringList listed;
    bool scanning = false;
    s.openLinkWindow([&] {
        QTRY_VERIFY(advertisements.count() >= 8);
        listed = s.window().controls().items(ble::lbDevices);
        scanning = s.window().scanning();
    });
    QCOMPARE(listed, (QStringList{listEntry(qy), listEntry(ze)}));
    QVERIFY(scanning);
    QVERIFY(s.prompt.shown().isEmpty());
}

void TestSession::closingTheWindowEndsItsScan() {
    Session s({demoProfile("qy-coating.json")}, quiet({.advertisementIntervalMs = 1}));
    s.openLinkWindow([&s] { QTRY_COMPARE(s.window().controls().items(ble::lbDevices).size(), 1); });
    QVERIFY(!s.window().scanning());
    QCOMPARE(s.window().controls().caption(ble::cmdScan), QStringLiteral("Scan"));
    QSignalSpy advertisements(&s.transport, &Transport::advertisement);
    QTest::qWait(50);
    QCOMPARE(advertisements.count(), 0);
}

// Connect pressed and the window closed before the link came up: the next window connects to the gauge
// chosen in it, not to the one tried before.
void TestSession::aConnectAbandonedWithTheWindowIsForgotten() {
    const sim::GaugeProfile qy = demoProfile("qy-coating.json");
    const sim::GaugeProfile ze = demoProfile("ze-probe-memory.json");
    Session s({qy, ze}, quiet({.advertisementIntervalMs = 1}));
    QSignalSpy established(&s.gauge(), &Gauge::linkEstablished);
    s.openLinkWindow([&s, &qy] {
        QTRY_COMPARE(s.window().controls().items(ble::lbDevices).size(), 2);
        s.window().lbDevices_Click(int(s.window().controls().items(ble::lbDevices).indexOf(listEntry(qy))));
        s.window().cmdConnect_Click();
    });
    QVERIFY(!s.gauge().linkConnected());
    s.connectGauge(ze.name);
    QVERIFY(s.gauge().deviceName().contains(ze.name));
    // Given up, the first connection neither comes up on its own nor says why it could not.
    QVERIFY(s.prompt.shown().isEmpty());
    QCOMPARE(established.count(), 1);
}

// A link window that offers "Disconnect" keeps its list and starts no scan.
void TestSession::noScanWhileConnected() {
    Connected gauge(demoProfile("qy-coating.json"), quiet({.advertisementIntervalMs = 1}));
    const ControlProps before = gauge.window().controls()[ble::lbDevices];
    QCOMPARE(before.items.size(), 1);
    gauge.window().opening();
    QCOMPARE(gauge.window().controls()[ble::lbDevices], before);
    QCOMPARE(gauge.window().controls().caption(ble::cmdConnect), QStringLiteral("Trennen"));
}

// Scan clicked in the scanning window: the list starts afresh, every gauge in it once.
void TestSession::scanClickedWhileOpeningListsOnce_data() {
    QTest::addColumn<bool>("heardFirst"); // the scan had listed the gauges
    QTest::addColumn<int>("clicks");
    QTest::newRow("before the scan is under way") << false << 1;
    QTest::newRow("Stop and Scan again") << true << 2;
}

void TestSession::scanClickedWhileOpeningListsOnce() {
    QFETCH(bool, heardFirst);
    QFETCH(int, clicks);
    const sim::GaugeProfile qy = demoProfile("qy-coating.json");
    const sim::GaugeProfile ze = demoProfile("ze-probe-memory.json");
    Session s({qy, ze}, quiet({.advertisementIntervalMs = 1}));
    QStringList listed;
    bool scanning = false;
    s.openLinkWindow([&] {
        if (heardFirst)
            QTRY_COMPARE(s.window().controls().items(ble::lbDevices).size(), 2);
        for (int click = 0; click < clicks; ++click)
            s.window().cmdScan_Click();
        QSignalSpy advertisements(&s.transport, &Transport::advertisement);
        QTRY_VERIFY(advertisements.count() >= 8);
        listed = s.window().controls().items(ble::lbDevices);
        scanning = s.window().scanning();
    });
    QCOMPARE(listed, (QStringList{listEntry(qy), listEntry(ze)}));
    QVERIFY(scanning);
}

// The gauge connected last is chosen when the scan hears it: Connect connects to it.
void TestSession::lastGaugeIsChosen_data() {
    QTest::addColumn<QList<sim::GaugeProfile>>("inRange");
    QTest::addColumn<QByteArray>("programFile");
    QTest::addColumn<QString>("connectedEarlier"); // in this run
    QTest::addColumn<int>("chosenRow");

    const sim::GaugeProfile qy = demoProfile("qy-coating.json");
    const sim::GaugeProfile ze = demoProfile("ze-probe-memory.json");
    QTest::newRow("listed first") << QList<sim::GaugeProfile>{qy, ze} << programFileNaming(qy) << QString()
                                  << 0;
    QTest::newRow("listed second") << QList<sim::GaugeProfile>{qy, ze} << programFileNaming(ze) << QString()
                                   << 1;
    QTest::newRow("connected earlier in this run")
        << QList<sim::GaugeProfile>{qy, ze} << QByteArray() << ze.name << 1;
    QTest::newRow("out of range") << QList<sim::GaugeProfile>{qy} << programFileNaming(ze) << QString() << -1;
    QTest::newRow("none yet") << QList<sim::GaugeProfile>{qy, ze} << QByteArray() << QString() << -1;
}

void TestSession::lastGaugeIsChosen() {
    QFETCH(QList<sim::GaugeProfile>, inRange);
    QFETCH(QByteArray, programFile);
    QFETCH(QString, connectedEarlier);
    QFETCH(int, chosenRow);
    Session s(inRange, quiet({.advertisementIntervalMs = 1}), 0, programFile);
    if (!connectedEarlier.isEmpty()) {
        s.connectGauge(connectedEarlier);
        QCoro::waitFor(s.session.cmdConnect_Click()); // "Trennen"
        QTRY_VERIFY(!s.main.state().connected);
    }

    std::optional<int> shownRow;
    s.openLinkWindow([&] {
        QTRY_COMPARE(s.window().controls().items(ble::lbDevices).size(), inRange.size());
        shownRow = s.window().controls().currentRow(ble::lbDevices);
        s.window().cmdConnect_Click();
        if (chosenRow >= 0)
            QTRY_VERIFY(s.gauge().linkConnected());
    });
    QCOMPARE(shownRow, std::optional<int>(chosenRow));
    if (chosenRow >= 0) {
        QCOMPARE(s.gauge().address(), inRange[chosenRow].address);
        QVERIFY(s.main.state().connected);
        QVERIFY(s.prompt.shown().isEmpty());
    } else {
        QVERIFY(!s.main.state().connected);
        QCOMPARE(s.prompt.shown(), QStringList{q("Bluetooth Gerät zum Verbinden auswählen\r\n")});
    }
}

// The user's own choice is the gauge connected to, whenever the gauge connected last is heard.
void TestSession::usersChoiceStands_data() {
    QTest::addColumn<bool>("choiceFirst");
    QTest::newRow("chosen before the last gauge is heard") << true;
    QTest::newRow("chosen after the last gauge was") << false;
}

void TestSession::usersChoiceStands() {
    QFETCH(bool, choiceFirst);
    const sim::GaugeProfile qy = demoProfile("qy-coating.json");
    const sim::GaugeProfile ze = demoProfile("ze-probe-memory.json");
    Session s({qy}, quiet({.advertisementIntervalMs = 1}), 0, programFileNaming(ze));
    std::optional<int> shownRow;
    s.openLinkWindow([&] {
        QTRY_COMPARE(s.window().controls().items(ble::lbDevices).size(), 1);
        if (choiceFirst)
            s.window().lbDevices_Click(0);
        emit s.transport.advertisement(ze.address, ze.name, ze.rssi);
        QCOMPARE(s.window().controls().items(ble::lbDevices), (QStringList{listEntry(qy), listEntry(ze)}));
        if (!choiceFirst)
            s.window().lbDevices_Click(0);
        shownRow = s.window().controls().currentRow(ble::lbDevices);
        s.window().cmdConnect_Click();
        QTRY_VERIFY(s.gauge().linkConnected());
    });
    QCOMPARE(shownRow, std::optional<int>(0));
    QCOMPARE(s.gauge().address(), qy.address);
}

// A double-click connects to the entry's gauge, whichever was chosen before.
void TestSession::doubleClickConnects_data() {
    QTest::addColumn<int>("row");
    QTest::newRow("first entry") << 0;
    QTest::newRow("second entry, the first chosen") << 1;
}

void TestSession::doubleClickConnects() {
    QFETCH(int, row);
    const QList<sim::GaugeProfile> profiles{demoProfile("qy-coating.json"),
                                            demoProfile("ze-probe-memory.json")};
    Session s(profiles, quiet({.advertisementIntervalMs = 1}));
    s.openLinkWindow([&] {
        QTRY_COMPARE(s.window().controls().items(ble::lbDevices).size(), 2);
        s.window().lbDevices_Click(0);
        s.window().lbDevices_DblClick(row);
        QTRY_VERIFY(s.gauge().linkConnected());
    });
    QCOMPARE(s.gauge().address(), profiles[row].address);
    QVERIFY(s.main.state().connected);
}

void TestSession::scanWithoutAdapterKeepsWindowUsable_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("German") << 0 << q("Bitte Bluetooth Einstellungen prüfen, oder Adapter verbinden\r\n");
    QTest::newRow("English") << 1 << q("Please check bluetooth settings or connect dongle\r\n");
}

void TestSession::scanWithoutAdapterKeepsWindowUsable() {
    QFETCH(int, language);
    Session s({demoProfile("qy-coating.json")}, quiet({.advertisementIntervalMs = 1, .adapterMissing = true}),
              language);
    s.window().cmdScan_Click();
    QTRY_COMPARE(s.prompt.shown().size(), 1);
    QTEST(s.prompt.shown().first(), "message");
    QCOMPARE(s.window().controls().caption(ble::cmdScan), QStringLiteral("Scan"));
    QVERIFY(!s.window().scanning());
    QFile log(s.main.log().filePath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("5 No Bluetooth adapter\r\n"));

    // With the adapter plugged in, the next scan lists the gauge.
    s.simulation.setOptions(quiet({.advertisementIntervalMs = 1}));
    s.window().cmdScan_Click();
    QTRY_COMPARE(s.window().controls().items(ble::lbDevices).size(), 1);
    QCOMPARE(s.window().controls().caption(ble::cmdScan), QStringLiteral("Stop"));
    QCOMPARE(s.prompt.shown().size(), 1);
}

void TestSession::connectInitialisesGauge_data() {
    QTest::addColumn<sim::GaugeProfile>("profile");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("traits");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("battery");

    QTest::newRow("QY coating") << demoProfile("qy-coating.json") << q("QY") << q("SM") << q("5LE2+-2")
                                << q("210745") << q("K");
    QTest::newRow("ZE probe") << demoProfile("ze-probe-memory.json") << q("ZKB") << q("SM") << q("4LE2+-2")
                              << q("471100") << q("J");
    QTest::newRow("VIMS") << demoProfile("vims-field.json") << q("WL") << q("MF") << q("5LE0--3")
                          << q("081501") << q("K");
    QTest::newRow("KR-4") << namedGauge(QStringLiteral("KR-4000 FE"), "$gcv?4.40!") << q("KR4") << q("FM")
                          << q("5LE2--2") << q("4242") << q("J");
    QTest::newRow("KR-8") << namedGauge(QStringLiteral("KR-8000"), "$gcv?1.20!") << q("KR8") << q("FM")
                          << q("4LE2--2") << q("4242") << q("K");
    QTest::newRow("Sidra") << namedGauge(QStringLiteral("Sidra FE"), "$gcv?3.20!") << q("WP") << q("PM")
                           << q("5LE2--3") << q("4242") << q("L");
    QTest::newRow("350") << namedGauge(QStringLiteral("FE 350"), "$gcv?1.00!") << q("VD1") << q("VD")
                         << q("4LE2+-2") << q("4242") << q("L");
    QTest::newRow("450") << namedGauge(QStringLiteral("FE 450")) << q("VD2") << q("VD") << q("5LE2+-1")
                         << q("4242") << q("K");
}

void TestSession::connectInitialisesGauge() {
    QFETCH(sim::GaugeProfile, profile);
    QFETCH(QString, model);
    Connected gauge(profile);
    const AppState& state = gauge.main.state();
    QCOMPARE(state.gauge.model.deviceModel, model);
    QTEST(state.gauge.model.measureMode, "mode");
    QTEST(state.gauge.traits.text(), "traits");
    QTEST(state.gauge.device.S, "number");
    QTEST(gauge.controls().caption(BattIcon), "battery");
    QVERIFY(gauge.controls().visible(BattIcon));
    QCOMPARE(gauge.controls().caption(cmdConnect), QStringLiteral("Trennen"));
    QCOMPARE(gauge.main.state().connectAction, ConnectAction::Disconnect);
    QCOMPARE(gauge.controls().caption(txtWait), QStringLiteral("Verbunden"));
    QVERIFY(gauge.main.state().connected);
    QCOMPARE(gauge.gauge().identity().deviceNumber(), gauge.main.state().gauge.deviceNumber());
    QVERIFY(gauge.controls().enabled(cmdLesen));
    QVERIFY(gauge.controls().visible(cmdLesen));
    QVERIFY(gauge.gauge().liveValuesOn());
    QVERIFY(gauge.prompt.shown().isEmpty());
}

void TestSession::fileMemoryList_data() {
    QTest::addColumn<QByteArray>("listAnswer");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("memories of every kind") << QByteArray("$ls?03 files  m001 s002 t003!")
                                            << QStringList{padded("m001"), padded("s002"), padded("t003")};
    QTest::newRow("settings file and other words left out")
        << QByteArray("$ls?06 files  m001 setup.cfg data M1 s2 t9!")
        << QStringList{padded("m001"), padded("s2"), padded("t9")};
    QTest::newRow("raw list with only the settings file")
        << QByteArray("$ls?01 files  setup.cfg!") << QStringList{};
    QTest::newRow("long name kept whole") << QByteArray("$ls?01 files  m0123456789abcdefghijk!")
                                          << QStringList{QStringLiteral("m0123456789abcdefghijk")};
}

void TestSession::fileMemoryList() {
    QFETCH(QByteArray, listAnswer);
    QFETCH(QStringList, entries);
    Connected gauge(fileGauge({}, listAnswer));
    QCOMPARE(gauge.controls().items(cmbSpeicher), entries);
    QCOMPARE(gauge.controls().caption(cmbSpeicher), entries.value(0));
    QVERIFY(gauge.gauge().liveValuesOn());
}

void TestSession::probeMemoryList_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QList<sim::GaugeMemory>>("memories");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("messages");

    const sim::GaugeProfile ze = demoProfile("ze-probe-memory.json");
    QTest::newRow("German") << 0 << ze.memories
                            << QStringList{QStringLiteral("   S1   (7)"), QStringLiteral("   S2   (0)"),
                                           QStringLiteral("   S3  (12)")}
                            << QStringLiteral("   S1   (7)") << QStringList{};
    QTest::newRow("English") << 1 << ze.memories
                             << QStringList{QStringLiteral("   M1   (7)"), QStringLiteral("   M2   (0)"),
                                            QStringLiteral("   M3  (12)")}
                             << QStringLiteral("   M1   (7)") << QStringList{};
    QTest::newRow("empty, German") << 0 << QList<sim::GaugeMemory>{} << QStringList{}
                                   << QStringLiteral("Speicher leer") << QStringList{};
    QTest::newRow("empty, English") << 1 << QList<sim::GaugeMemory>{} << QStringList{}
                                    << QStringLiteral("memory empty") << QStringList{};

    // A value count the table cannot state ends the list there; the memories after it are missing.
    sim::GaugeMemory huge{QStringLiteral("4"), {}};
    for (int i = 1; i <= 32768; ++i)
        huge.records.append(
            QStringLiteral("%1       150.0 ym   FE  2026-02-03 14:20:00").arg(i % 10000, 4).toLatin1());
    QTest::newRow("cut by a memory beyond 32767 values")
        << 0 << (QList<sim::GaugeMemory>{ze.memories.first(), huge, ze.memories.last()})
        << QStringList{QStringLiteral("   S1   (7)")} << QStringLiteral("   S1   (7)")
        << QStringList{q("Die Speicherliste des Geräts ist nicht lesbar: nach 1 Speichern ein Eintrag mit "
                         "mehr als 32767 Werten.")};
}

void TestSession::probeMemoryList() {
    QFETCH(int, language);
    QFETCH(QList<sim::GaugeMemory>, memories);
    Connected gauge(probeGauge(memories), quiet(), language);
    QTEST(gauge.controls().items(cmbSpeicher), "entries");
    QTEST(gauge.controls().caption(cmbSpeicher), "shown");
    QTEST(gauge.prompt.shown(), "messages");
    QVERIFY(gauge.gauge().liveValuesOn());
}

void TestSession::emptyProbeTableRefusesRead_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");
    QTest::newRow("German") << 0 << QStringLiteral("Keine Speicher vorhanden\r\n");
    QTest::newRow("English") << 1 << QStringLiteral("No memory available\r\n");
}

void TestSession::emptyProbeTableRefusesRead() {
    QFETCH(int, language);
    Connected gauge(probeGauge({}), quiet(), language);
    gauge.read();
    QTEST(gauge.prompt.shown().value(0), "message");
    QCOMPARE(gauge.main.currentStore().presentCount(), 0);
    QVERIFY(gauge.controls().enabled(cmdLesen));
    QVERIFY(gauge.gauge().liveValuesOn());
}

void TestSession::fileDownload_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QString>("dateText");
    QTest::addColumn<int>("statisticsLines");
    QTest::addColumn<bool>("charted");

    // A memory of rows; a memory of single values, dated by the memory; a series, shown as statistics and
    // charted in the panel and the chart window once the download is over.
    QTest::newRow("m") << 0 << oneTo(25) << QString() << 5 << false;
    QTest::newRow("s") << 1 << oneTo(10) << dateTimeText(QDateTime(QDate(2026, 2, 19), QTime(9, 30))) << 5
                       << false;
    QTest::newRow("t") << 2 << QList<int>{} << QString() << 5 << true;
}

void TestSession::fileDownload() {
    QFETCH(int, entry);
    QFETCH(QList<int>, numbers);
    QFETCH(QString, dateText);
    QFETCH(int, statisticsLines);
    QFETCH(bool, charted);
    Connected gauge(demoProfile("qy-coating.json"));
    gauge.sendLive(demoProfile("qy-coating.json").live.first());
    QCOMPARE(gauge.main.table().rowCount(), 1);

    QSignalSpy chartWindow(&gauge.main, &MainModel::chartWindowRequested);
    bool liveValuesOnAtTheChart = false;
    connect(&gauge.main, &MainModel::chartWindowRequested, this, [&] {
        liveValuesOnAtTheChart = gauge.gauge().liveValuesOn() && gauge.controls().enabled(cmdLesen);
    });
    gauge.choose(gauge.controls().items(cmbSpeicher).at(entry));
    gauge.read();
    QCOMPARE(gauge.main.state().view, View::Memory);
    QVERIFY(gauge.controls().checked(optFE));
    QVERIFY(!gauge.controls().checked(optOnline));
    QCOMPARE(gauge.numbers(), numbers);
    QCOMPARE(gauge.main.table().rowCount(), numbers.size());
    if (!dateText.isEmpty())
        for (int i = 1; i <= numbers.size(); ++i)
            QCOMPARE(gauge.main.currentStore()[i].dateText, dateText);
    QVERIFY2(gauge.controls().items(lstStat).size() >= statisticsLines,
             qPrintable(gauge.controls().items(lstStat).join(u'|')));
    QCOMPARE(gauge.controls().visible(lstStat), !charted);
    QCOMPARE(gauge.controls().visible(MSChart1), charted);
    QCOMPARE(chartWindow.size(), charted ? 1 : 0);
    QCOMPARE(liveValuesOnAtTheChart, charted);
    QVERIFY(gauge.prompt.shown().isEmpty());
    QVERIFY(gauge.controls().enabled(cmdLesen));
    QVERIFY(gauge.gauge().liveValuesOn());
    QCOMPARE(gauge.transport.commandsStartingWith("$fc?").size(), 1);
}

void TestSession::fileReadInBlocks_data() {
    QTest::addColumn<int>("fileBytes");
    QTest::addColumn<QByteArrayList>("requests");
    QTest::newRow("64 bytes") << 64 << QByteArrayList{"$rd?1 32!", "$rd?1 32!"};
    QTest::newRow("70 bytes") << 70 << QByteArrayList{"$rd?1 32!", "$rd?1 32!", "$rd?1 6!"};
    QTest::newRow("31 bytes") << 31 << QByteArrayList{"$rd?1 31!"};
}

void TestSession::fileReadInBlocks() {
    QFETCH(int, fileBytes);
    Connected gauge(fileGauge({{QStringLiteral("m001"), QByteArray(fileBytes, '\x5a')}}));
    gauge.read();
    QTEST(gauge.transport.commandsStartingWith("$rd?"), "requests");
    // Too short for a memory: reported, and the file is closed all the same.
    QCOMPARE(gauge.transport.commandsStartingWith("$fc?"), QByteArrayList{"$fc?1!"});
}

void TestSession::probeDownload_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QString>("status");
    QTest::newRow("7 records") << 0 << oneTo(7) << QStringLiteral("BEREIT");
    QTest::newRow("empty memory") << 1 << QList<int>{} << QStringLiteral("Speicher leer");
    QTest::newRow("12 records") << 2 << oneTo(12) << QStringLiteral("BEREIT");
}

void TestSession::probeDownload() {
    QFETCH(int, entry);
    QFETCH(QList<int>, numbers);
    Connected gauge(demoProfile("ze-probe-memory.json"));
    gauge.choose(gauge.controls().items(cmbSpeicher).at(entry));
    gauge.read();
    QCOMPARE(gauge.numbers(), numbers);
    QCOMPARE(gauge.main.table().rowCount(), numbers.size());
    QTEST(gauge.controls().caption(txtSpeicher), "status");
    QVERIFY(gauge.prompt.shown().isEmpty());
    QVERIFY(gauge.controls().enabled(cmdLesen));
    QVERIFY(gauge.gauge().liveValuesOn());
    if (!numbers.isEmpty())
        QCOMPARE(gauge.controls().caption(optFE),
                 QStringLiteral("Speicher %1 (%2)").arg(entry + 1).arg(numbers.size()));
}

// A live reading right after an empty memory still becomes a row, but its text waits until the user had
// time to read that the memory was empty.
void TestSession::emptyMemoryIsSaidLongEnoughToRead() {
    const sim::GaugeProfile ze = demoProfile("ze-probe-memory.json");
    Connected gauge(ze);
    gauge.choose(gauge.controls().items(cmbSpeicher).at(1));
    gauge.read();
    QCOMPARE(gauge.controls().caption(txtSpeicher), QStringLiteral("Speicher leer"));
    QElapsedTimer shown;
    shown.start();

    gauge.sendLive(ze.live.first());
    QCOMPARE(gauge.main.stores().online.presentCount(), 1);
    QCOMPARE(gauge.main.state().view, View::Online);
    QCOMPARE(gauge.controls().caption(txtSpeicher), QStringLiteral("Speicher leer"));
    QTRY_VERIFY_WITH_TIMEOUT(gauge.controls().caption(txtSpeicher) != QStringLiteral("Speicher leer"), 5000);
    QVERIFY(shown.elapsed() >= MainModel::StatusHold.count());
    QVERIFY(gauge.controls().caption(txtSpeicher).contains(gauge.main.stores().online[1].unit.trimmed()));

    // Without a held text the reading shows at once.
    gauge.sendLive(ze.live.at(1));
    QCOMPARE(gauge.main.stores().online.presentCount(), 2);
    QVERIFY(gauge.controls().caption(txtSpeicher).contains(gauge.main.stores().online[2].unit.trimmed()));
}

void TestSession::probeReadAfterOnlineStartsAtOne() {
    Connected gauge(demoProfile("ze-probe-memory.json"));
    for (const QByteArray& line : demoProfile("ze-probe-memory.json").live)
        gauge.sendLive(line);
    QCOMPARE(gauge.main.stores().online.presentCount(), 5);
    gauge.read();
    QCOMPARE(gauge.main.state().view, View::Memory);
    QCOMPARE(gauge.numbers(), oneTo(7));
    QCOMPARE(gauge.main.table().rowCount(), 7);
    QCOMPARE(gauge.main.table().rows().front().number, 1);
}

void TestSession::liveValuesBecomeOnlineRows() {
    Connected gauge(demoProfile("qy-coating.json"), {.liveIntervalMs = 1});
    QTRY_VERIFY(gauge.main.stores().online.presentCount() >= 8);
    QCOMPARE(gauge.main.state().view, View::Online);
    const int count = gauge.main.currentStore().presentCount();
    QCOMPARE(gauge.numbers(), oneTo(count));
    QCOMPARE(gauge.main.table().rowCount(), count);
    // The status field shows the last reading as its row does, after six blanks on a file-memory gauge.
    const TableRow last = gauge.main.table().rows().back();
    QCOMPARE(gauge.controls().caption(txtSpeicher),
             QStringLiteral("      ") + last.cells[2].trimmed() + " µm");
    QVERIFY(gauge.controls().visible(txtSpeicher));
    QVERIFY(gauge.controls().visible(cmdExcel));
}

// Five readings, the third deleted, two more: the new rows follow the rows present, and no number is given
// twice.
void TestSession::deletedOnlineNumberIsNotGivenAgain() {
    Connected gauge(demoProfile("qy-coating.json"));
    const QList<QByteArray> live = demoProfile("qy-coating.json").live;
    for (int i = 0; i < 5; ++i)
        gauge.sendLive(live[i]);
    QTRY_COMPARE(gauge.main.stores().online.presentCount(), 5);
    gauge.main.MSFlex_Click(2);
    gauge.prompt.setAnswers({true});
    gauge.main.cmdFlexZeileLoeschen_Click();
    for (int i = 5; i < 7; ++i)
        gauge.sendLive(live[i % live.size()]);
    QTRY_COMPARE(gauge.main.stores().online.presentCount(), 6);
    QCOMPARE(gauge.numbers(), (QList<int>{1, 2, 4, 5, 6, 7}));
    QCOMPARE(gauge.main.table().rowCount(), 6);
    QCOMPARE(gauge.main.statistics().state().count, 6);
    QCOMPARE(gauge.controls().caption(optOnline), QStringLiteral("Online (6)"));
}

void TestSession::memoryStaysUntilMeasured_data() {
    QTest::addColumn<QString>("profile");
    QTest::addColumn<int>("rows");
    QTest::newRow("memory file") << QStringLiteral("qy-coating.json") << 25;
    QTest::newRow("probe memory") << QStringLiteral("ze-probe-memory.json") << 7;
}

// The simulated gauges as the program's window runs them: a live value comes only when the user measures
// with the gauge, so that the memory read can be looked at while the gauge stays connected.
void TestSession::memoryStaysUntilMeasured() {
    QFETCH(QString, profile);
    QFETCH(int, rows);
    Connected gauge(demoProfile(profile), {.liveIntervalMs = std::nullopt});
    sim::SimulatedTransportControl simulation(gauge.simulation);
    SimulationWindowModel simulationWindow(simulation, gauge.main);
    gauge.choose(gauge.controls().items(cmbSpeicher).at(0));
    gauge.read();
    QVERIFY(gauge.gauge().liveValuesOn());

    // Longer than the second the demo gauges used to wait between two live values.
    QTest::qWait(1200);
    QCOMPARE(gauge.main.state().view, View::Memory);
    QCOMPARE(gauge.numbers(), oneTo(rows));
    QCOMPARE(gauge.main.table().rowCount(), rows);

    simulationWindow.cmdMeasure_Click();
    QTRY_COMPARE(gauge.main.state().view, View::Online);
    QCOMPARE(gauge.numbers(), QList<int>{1});
    QCOMPARE(gauge.main.stores().memory.presentCount(), rows);
}

void TestSession::dualReadingFillsTwoRows() {
    Connected gauge(demoProfile("ze-probe-memory.json"));
    gauge.sendLive("   1        92.0 ym   FE  2026-03-05 07:12:00");
    gauge.sendLive(dualReading("   2        97.5 ym   DNF 2026-03-05 07:14:00",
                               "   3        91.7 ym   FE  2026-03-05 07:16:00"));
    QCOMPARE(gauge.numbers(), oneTo(3));
    QCOMPARE(gauge.main.currentStore()[2].value, 97.5);
    QCOMPARE(gauge.main.currentStore()[3].value, 91.7);
    QCOMPARE(gauge.main.currentStore()[3].material, QStringLiteral("FE"));
    QCOMPARE(gauge.main.table().rowCount(), 3);
}

void TestSession::fullTableRefusesValues_data() {
    QTest::addColumn<int>("rowsHeld");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QList<int>>("filled");
    QTest::addColumn<QStringList>("messages");

    const QByteArray single("   1        92.0 ym   FE  2026-03-05 07:12:00");
    const QByteArray dual = dualReading("   2        97.5 ym   DNF 2026-03-05 07:14:00",
                                        "   3        91.7 ym   FE  2026-03-05 07:16:00");
    const QStringList refused{QStringLiteral("Maximale Werteanzahl überschritten 5000")};
    QTest::newRow("full, one record") << 5000 << single << QList<int>{} << refused;
    QTest::newRow("one row free, one record") << 4999 << single << QList<int>{5000} << QStringList{};
    QTest::newRow("one row free, two records") << 4999 << dual << QList<int>{5000} << refused;
    QTest::newRow("two rows free, two records") << 4998 << dual << QList<int>{4999, 5000} << QStringList{};
}

void TestSession::fullTableRefusesValues() {
    QFETCH(int, rowsHeld);
    QFETCH(QByteArray, value);
    QFETCH(QList<int>, filled);
    Connected gauge(demoProfile("ze-probe-memory.json"));
    gauge.sendLive("   1        92.0 ym   FE  2026-03-05 07:12:00");
    holdOnlineRows(gauge, rowsHeld);
    gauge.controls().setCaption(txtSpeicher, QString());

    gauge.sendLive(value);
    QList<int> found;
    for (int row = rowsHeld + 1; row <= RowStore::Capacity; ++row)
        if (gauge.main.stores().online[row].isPresent())
            found.append(row);
    QCOMPARE(found, filled);
    QTEST(gauge.prompt.shown(), "messages");
    // Refused or not, the status field shows the reading.
    QVERIFY(!gauge.controls().caption(txtSpeicher).isEmpty());
}

// Readings keep coming at a full table: one message, and every refused reading in the log.
void TestSession::fullTableSaysSoOnce() {
    Connected gauge(demoProfile("ze-probe-memory.json"));
    gauge.sendLive("   1        92.0 ym   FE  2026-03-05 07:12:00");
    holdOnlineRows(gauge, RowStore::Capacity);
    for (int i = 0; i < 3; ++i)
        gauge.sendLive("   7        97.5 ym   FE  2026-03-05 07:14:00");
    QCOMPARE(gauge.prompt.shown(), QStringList{QStringLiteral("Maximale Werteanzahl überschritten 5000")});
    QFile log(gauge.main.log().filePath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(
        QString::fromUtf8(log.readAll()).count(QStringLiteral("Maximale Werteanzahl überschritten 5000: ")),
        3);

    // Room again after the table was cleared: a full table later says so once more.
    gauge.prompt.setAnswers({true});
    gauge.main.cmdFlexTabelleloeschen_Click();
    gauge.sendLive("   8        97.5 ym   FE  2026-03-05 07:16:00");
    holdOnlineRows(gauge, RowStore::Capacity);
    gauge.sendLive("   9        97.5 ym   FE  2026-03-05 07:18:00");
    QCOMPARE(gauge.prompt.shown().count(QStringLiteral("Maximale Werteanzahl überschritten 5000")), 2);
}

void TestSession::gaugeDropsLinkAndReconnects() {
    Connected gauge(demoProfile("qy-coating.json"));
    gauge.simulation.setOptions(quiet({.dropConnectionAfter = gauge.transport.operations + 1}));
    gauge.transport.read(uuid::ServiceZK, uuid::CharStorageInfo);
    QTRY_VERIFY(!gauge.gauge().linkConnected());
    QCOMPARE(gauge.controls().caption(txtWait), OutOfRange);
    QCOMPARE(gauge.controls().caption(cmdConnect), QStringLiteral("Wiederverbinden"));
    QVERIFY(gauge.gauge().linkOffline());
    QCOMPARE(gauge.main.state().connectAction, ConnectAction::Reconnect);
    QVERIFY(gauge.controls().visible(cmdConnect));
    QVERIFY(gauge.controls().visible(picBthBlitz));
    QVERIFY(!gauge.controls().visible(picBth));
    QVERIFY(!gauge.gauge().liveValuesOn());
    QCOMPARE(gauge.gauge().address(), demoProfile("qy-coating.json").address);

    gauge.simulation.setOptions(quiet());
    QCoro::waitFor(gauge.session.cmdConnect_Click());
    QVERIFY(gauge.gauge().linkConnected());
    QVERIFY(!gauge.gauge().linkOffline());
    QCOMPARE(gauge.controls().caption(cmdConnect), QStringLiteral("Trennen"));
    QCOMPARE(gauge.controls().caption(txtWait), QStringLiteral("Verbunden"));
    QCOMPARE(gauge.controls().items(cmbSpeicher).size(), 3);
    QVERIFY(gauge.gauge().liveValuesOn());
    gauge.read();
    QCOMPARE(gauge.main.currentStore().presentCount(), 25);
}

// The user closes the link window without connecting: nothing went out of range, so the status field
// says what it said before, and the commands are usable.
void TestSession::linkWindowClosedWithoutConnecting_data() {
    QTest::addColumn<bool>("connectedBefore");
    QTest::addColumn<QString>("status");
    QTest::newRow("at the start") << false << QStringLiteral("Bitte warten....");
    QTest::newRow("after a disconnect") << true << QStringLiteral("Getrennt");
}

void TestSession::linkWindowClosedWithoutConnecting() {
    QFETCH(bool, connectedBefore);
    Session s({demoProfile("qy-coating.json")}, quiet({.advertisementIntervalMs = 1}));
    if (connectedBefore) {
        s.connectGauge();
        QCoro::waitFor(s.session.cmdConnect_Click()); // "Trennen"
        QTRY_VERIFY(!s.main.state().connected);
    }
    QSignalSpy notAnswering(&s.session, &WindowSession::gaugeNotAnswering);
    s.openLinkWindow([&s] { QTRY_VERIFY(!s.window().controls().items(ble::lbDevices).isEmpty()); });
    QTEST(s.controls().caption(txtWait), "status");
    QCOMPARE(notAnswering.size(), 0);
    QVERIFY(s.prompt.shown().isEmpty());
    QVERIFY(s.controls().enabled(cmdOpen));
    QCOMPARE(s.controls().caption(cmdConnect), QStringLiteral("Verbinden"));
}

// Downloaded rows stay viewable without a link; what needs the gauge is not offered meanwhile.
void TestSession::offlineViewsAskNothingOfTheGauge() {
    Connected gauge(demoProfile("qy-coating.json"));
    gauge.choose(gauge.controls().items(cmbSpeicher).at(0));
    gauge.read();
    QCoro::waitFor(gauge.session.cmdConnect_Click()); // "Trennen"
    QTRY_VERIFY(!gauge.main.state().connected);
    const int operations = gauge.transport.operations;
    QVERIFY(!gauge.controls().enabled(cmdLesen));
    QVERIFY(!gauge.controls().enabled(cmdRefresh));
    QVERIFY(gauge.controls().enabled(optOnline));
    QCoro::waitFor(gauge.session.optOnline_Click());
    QCoro::waitFor(gauge.session.optFE_Click());
    QCOMPARE(gauge.numbers(), oneTo(25));
    QCOMPARE(gauge.transport.operations, operations);
    QVERIFY(gauge.prompt.shown().isEmpty());
}

void TestSession::exportsAreOfferedOnceAMemoryIsRead_data() {
    QTest::addColumn<QString>("control");
    QTest::newRow("Excel") << QString(cmdExcel);
    QTest::newRow("Word") << QString(cmdWord);
}

// The Excel and Word exports are built: offered once a memory is read, like the other commands of the set.
void TestSession::exportsAreOfferedOnceAMemoryIsRead() {
    QFETCH(QString, control);
    Connected gauge(demoProfile("qy-coating.json"));
    gauge.choose(gauge.controls().items(cmbSpeicher).at(0));
    gauge.read();
    QVERIFY(gauge.controls().visible(control));
    QVERIFY(gauge.controls().enabled(control));
}

// Two gauges in one run: each connect starts from the connected gauge's own memories.
void TestSession::nextGaugeStartsFromItsOwnList_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("file gauge, then probe gauge")
        << QStringLiteral("QY-FE 2107") << QStringLiteral("ZE-4711")
        << QStringList{QStringLiteral("   S1   (7)"), QStringLiteral("   S2   (0)"),
                       QStringLiteral("   S3  (12)")};
    QTest::newRow("probe gauge, then file gauge")
        << QStringLiteral("ZE-4711") << QStringLiteral("QY-FE 2107")
        << QStringList{padded("m001"), padded("s002"), padded("t003")};
}

void TestSession::nextGaugeStartsFromItsOwnList() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    Session s({demoProfile("qy-coating.json"), demoProfile("ze-probe-memory.json")},
              {.liveIntervalMs = 100, .advertisementIntervalMs = 1});
    s.connectGauge(first);
    QCoro::waitFor(s.session.cmdConnect_Click()); // "Trennen"
    QTRY_VERIFY(!s.main.state().connected);
    s.connectGauge(second);
    QVERIFY(s.gauge().deviceName().contains(second));
    QTEST(s.controls().items(cmbSpeicher), "entries");
    QCoro::waitFor(s.session.cmdRefresh_Click());
    QTEST(s.controls().items(cmbSpeicher), "entries");
}

void TestSession::lastGaugeIsRememberedForTheNextStart() {
    const sim::GaugeProfile qy = demoProfile("qy-coating.json");
    const sim::GaugeProfile ze = demoProfile("ze-probe-memory.json");
    Session s({qy, ze}, {.liveIntervalMs = 100, .advertisementIntervalMs = 1});
    s.connectGauge(qy.name);
    QCOMPARE(s.main.programSettings().lastGauge->address, s.gauge().address());
    QCoro::waitFor(s.session.cmdConnect_Click()); // "Trennen"
    QTRY_VERIFY(!s.main.state().connected);
    s.main.englishClick();
    s.connectGauge(ze.name);

    ScriptedPrompt prompt;
    MainModel next(prompt);
    next.programStart({QString(), s.folder.path(), s.folder.path()});
    const std::optional<LastGauge> last = next.programSettings().lastGauge;
    QVERIFY(last);
    QCOMPARE(last->name, s.gauge().deviceName());
    QCOMPARE(last->address, s.gauge().address());
    QCOMPARE(last->model, s.main.state().gauge.model.deviceModel);
    QVERIFY(!last->model.isEmpty());
    QCOMPARE(last->firmware, s.main.state().gauge.device.R);
    QVERIFY(!last->firmware.isEmpty());
    QCOMPARE(next.state().languageIndex, s.main.state().languageIndex);
    QVERIFY(prompt.shown().isEmpty());
}

void TestSession::leavingWithUnsavedReadingsAsksOnce_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("asked");

    QTest::newRow("nothing read") << QStringList{} << false;
    QTest::newRow("a memory downloaded") << QStringList{"download"} << true;
    QTest::newRow("a memory downloaded and saved") << QStringList{"download", "save"} << false;
    QTest::newRow("a live reading") << QStringList{"live"} << true;
    QTest::newRow("a live reading saved") << QStringList{"live", "save"} << false;
    QTest::newRow("live readings after a save") << QStringList{"live", "save", "live"} << true;
    QTest::newRow("a download saved, live readings not") << QStringList{"download", "save", "live"} << true;
    QTest::newRow("live readings saved, a download not") << QStringList{"live", "save", "download"} << true;
    QTest::newRow("the table deleted") << QStringList{"download", "delete table"} << false;
    QTest::newRow("a failed save") << QStringList{"download", "save nowhere"} << true;
}

// The user may leave without a word when every reading is in a file; else the program asks once.
void TestSession::leavingWithUnsavedReadingsAsksOnce() {
    QFETCH(QStringList, steps);
    QFETCH(bool, asked);
    Connected gauge(demoProfile("qy-coating.json"));
    int saved = 0;
    for (const QString& step : steps) {
        if (step == u"download") {
            gauge.choose(gauge.controls().items(cmbSpeicher).at(0));
            gauge.read();
            QCOMPARE(gauge.main.state().view, View::Memory);
        } else if (step == u"live") {
            gauge.sendLive(demoProfile("qy-coating.json").live.first());
            QCOMPARE(gauge.main.state().view, View::Online);
        } else if (step == u"save") {
            QVERIFY(
                gauge.main.saveMeasurementFile(gauge.folder.filePath(QStringLiteral("s%1").arg(++saved))));
        } else if (step == u"save nowhere") {
            QVERIFY(!gauge.main.saveMeasurementFile(gauge.folder.filePath(QStringLiteral("none/x.mes"))));
        } else if (step == u"delete table") {
            gauge.prompt.setAnswers({true});
            gauge.main.cmdFlexTabelleloeschen_Click();
        }
    }
    gauge.prompt.clear();
    gauge.prompt.setAnswers({false});
    QCOMPARE(gauge.main.mayLeave(), !asked);
    const QString question = Texts::notice(Notice::LeaveWithUnsavedReadings, 0);
    QCOMPARE(gauge.prompt.shown(), asked ? QStringList{question} : QStringList{});
    if (asked)
        QCOMPARE(gauge.prompt.defaultButtons(), QList<PromptDefault>{PromptDefault::No});
}

void TestSession::silentGaugeEndsDownload() {
    Connected gauge(demoProfile("qy-coating.json"));
    gauge.choose(gauge.controls().items(cmbSpeicher).at(0));
    gauge.read();
    QCOMPARE(gauge.numbers(), oneTo(25));

    // Probe information, unsubscribe, open and one block are answered; the second block is not.
    gauge.simulation.setOptions(quiet({.stopAnsweringAfter = gauge.transport.operations + 8}));
    gauge.choose(gauge.controls().items(cmbSpeicher).at(1));
    const qsizetype blocksBefore = gauge.transport.commandsStartingWith("$rd?").size();
    QSignalSpy notAnswering(&gauge.session, &WindowSession::gaugeNotAnswering);
    QElapsedTimer elapsed;
    elapsed.start();
    gauge.read();
    QVERIFY2(elapsed.elapsed() < GaugeLink::AnswerDeadline.count() * 3 / 2,
             qPrintable(QString::number(elapsed.elapsed())));
    QCOMPARE(gauge.transport.commandsStartingWith("$rd?").size(), blocksBefore + 2);
    QCOMPARE(gauge.controls().caption(txtWait), OutOfRange);
    QCOMPARE(notAnswering.size(), 1);
    QVERIFY(!gauge.gauge().liveValuesOn());
    // The gauge is taken as out of range: nothing more is asked of it, and ReConnect is offered.
    QVERIFY(!gauge.gauge().linkConnected());
    QCOMPARE(gauge.main.state().connectAction, ConnectAction::Reconnect);
    QCOMPARE(gauge.transport.commandsStartingWith("$fc?").size(), 1);
    QVERIFY(!gauge.controls().enabled(cmdLesen));
    QVERIFY(gauge.controls().enabled(optFE));
    QCOMPARE(gauge.numbers(), oneTo(25));
    QCOMPARE(gauge.main.table().rowCount(), 25);
}

void TestSession::cancelledDownloadKeepsTable() {
    Connected gauge(demoProfile("qy-coating.json"));
    gauge.choose(gauge.controls().items(cmbSpeicher).at(0));
    gauge.read();
    QCOMPARE(gauge.numbers(), oneTo(25));

    gauge.simulation.setOptions(quiet({.latencyMs = 2}));
    gauge.choose(gauge.controls().items(cmbSpeicher).at(2));
    const qsizetype blocksBefore = gauge.transport.commandsStartingWith("$rd?").size();
    QCoro::Task<> download = gauge.session.cmdLesen_Click();
    QTRY_VERIFY(gauge.transport.commandsStartingWith("$rd?").size() >= blocksBefore + 2);
    QVERIFY(!gauge.controls().enabled(cmdLesen));
    gauge.session.cmdStop_Click();
    QCoro::waitFor(download);

    // The series memory has 11 blocks; the download stopped before its last.
    QVERIFY(gauge.transport.commandsStartingWith("$rd?").size() < blocksBefore + 11);
    QCOMPARE(gauge.transport.commands.last(), QByteArray("$fc?3!"));
    QCOMPARE(gauge.numbers(), oneTo(25));
    QCOMPARE(gauge.main.table().rowCount(), 25);
    QVERIFY(gauge.controls().enabled(cmdLesen));
    QVERIFY(gauge.gauge().liveValuesOn());
    QVERIFY(gauge.prompt.shown().isEmpty());
}

void TestSession::decodingErrorKeepsTable() {
    Connected gauge(demoProfile("qy-coating.json"));
    gauge.choose(gauge.controls().items(cmbSpeicher).at(0));
    gauge.read();
    QCOMPARE(gauge.numbers(), oneTo(25));

    // The last block of the single-value memory carries a digit that is none.
    int blocks = 0;
    gauge.transport.tamper = [&blocks](const QByteArray& value) {
        QByteArray changed = value;
        if (value.startsWith("$rd") && ++blocks == 7)
            changed[changed.size() - 2] = 'G';
        return changed;
    };
    gauge.choose(gauge.controls().items(cmbSpeicher).at(1));
    gauge.read();
    QCOMPARE(blocks, 7);
    QCOMPARE(gauge.numbers(), oneTo(25));
    QCOMPARE(gauge.main.table().rowCount(), 25);
    QCOMPARE(gauge.prompt.shown().size(), 1);
    QVERIFY(gauge.prompt.shown().first().contains(QStringLiteral("Record 10")));
    QCOMPARE(gauge.controls().caption(txtSpeicher), gauge.prompt.shown().first());
    QCOMPARE(gauge.transport.commands.last(), QByteArray("$fc?2!"));
    QVERIFY(gauge.gauge().liveValuesOn());
    QVERIFY(gauge.controls().enabled(cmdLesen));
}

// A live reading whose date is none fills no row; the next reading takes the next number.
void TestSession::rejectedReadingFillsNoRow() {
    Connected gauge(demoProfile("ze-probe-memory.json"));
    gauge.sendLive("   1        92.0 ym   FE  2026-03-05 07:12:00");
    gauge.sendLive("   2        93.0 ym   FE  2026-02-30 07:13:00");
    QCOMPARE(gauge.prompt.shown(), QStringList{QStringLiteral("Fill Messdaten: invalid date")});
    QCOMPARE(gauge.main.stores().online.presentCount(), 1);
    gauge.sendLive("   3        97.5 ym   NF  2026-03-05 07:14:00");
    QCOMPARE(gauge.numbers(), oneTo(2));
    QCOMPARE(gauge.main.currentStore()[2].value, 97.5);
    QCOMPARE(gauge.main.table().rowCount(), 2);
}

// A memory the table cannot hold whole fills it and says so, in a message and in the log.
void TestSession::memoryBeyondTheTableIsSaid() {
    using namespace dumpbuilder;
    Header header;
    header.recordCount = 5003;
    QByteArray hex = header.digits();
    for (quint32 i = 1; i <= 5003; ++i)
        hex += record(0, 50, i);
    Connected gauge(fileGauge({{QStringLiteral("m001"), QByteArray::fromHex(hex)}}));
    gauge.read();
    QCOMPARE(gauge.main.table().rowCount(), RowStore::Capacity);
    const QString cut =
        QStringLiteral("Der Speicher hält mehr als 5000 Werte; übernommen sind die ersten 5000.");
    QCOMPARE(gauge.prompt.shown(), QStringList{cut});
    QFile log(gauge.main.log().filePath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(log.readAll()).contains(cut));
    QVERIFY(gauge.main.sheet().incomplete());
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
