// The Bluetooth diagnostics as lines: each fact said, and each failing check with what to do.
#include "files/DiagnosticsReport.h"

#include <QTest>
#include <functional>

using namespace vexa;
using namespace vexa::bluez;

namespace {

const QString Hci0Address = QStringLiteral("00:1B:DC:0F:8A:31");
const QString Hci1Address = QStringLiteral("00:1B:DC:0F:8A:32");

// A machine where Bluetooth works, and a gauge connected before.
DiagnosticsFacts working() {
    DiagnosticsFacts facts;
    facts.program = QStringLiteral("Vexa Connect V1.17");
    facts.qtRunning = QStringLiteral("6.4.2");
    facts.qtBuilt = QStringLiteral("6.4.2");
    facts.bluetooth.bluez = BusAnswer::Answers;
    facts.bluetooth.daemon = {DaemonVersion::State::Known,
                              QStringLiteral("/usr/libexec/bluetooth/bluetoothd"), QStringLiteral("5.66")};
    facts.bluetooth.adapters = {{QStringLiteral("hci0"), Hci0Address, true, false, RadioBlock::Free}};
    facts.bluetooth.userName = QStringLiteral("anna");
    facts.bluetooth.group = GroupStanding::Member;
    facts.lastGauge = LastGauge{QStringLiteral("QY-FE 3300"), QStringLiteral("0080E1B0B1B2"),
                                QStringLiteral("QY"), QStringLiteral("2.04")};
    facts.log = {QStringLiteral("Bluetooth SCAN 05.03.2026 07:08:09")};
    return facts;
}

using Change = std::function<void(DiagnosticsFacts&)>;

// Lines that tell what to do: a fact, a dash, the remedy.
qsizetype actionLines(const QStringList& lines) {
    return std::count_if(lines.cbegin(), lines.cend(),
                         [](const QString& line) { return line.contains(QStringLiteral(" – ")); });
}

QStringList numberedLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(QStringLiteral("line %1").arg(i));
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(Change)

class TestDiagnosticsReport : public QObject {
    Q_OBJECT
private slots:
    void checks_data();
    void checks();
    void logTail_data();
    void logTail();
};

void TestDiagnosticsReport::checks_data() {
    QTest::addColumn<Change>("change");
    QTest::addColumn<int>("languageIndex");
    QTest::addColumn<QStringList>("expected"); // whole lines the report must hold
    QTest::addColumn<int>("actions");          // lines that say what to do

    QTest::newRow("all in order")
        << Change([](DiagnosticsFacts&) {}) << 1
        << QStringList{"Program: Vexa Connect V1.17",
                       "Qt: 6.4.2 (built with 6.4.2)",
                       "BlueZ (org.bluez) on the system D-Bus: answers",
                       "BlueZ daemon: /usr/libexec/bluetooth/bluetoothd, version 5.66",
                       "Adapter hci0 (00:1B:DC:0F:8A:31, default): powered yes, discoverable no, radio free",
                       "User anna: in the group bluetooth",
                       "Gauge connected last: QY-FE 3300, address 0080E1B0B1B2, firmware 2.04"}
        << 0;
    QTest::newRow("in German") << Change([](DiagnosticsFacts&) {}) << 0
                               << QStringList{"BlueZ (org.bluez) auf dem System-D-Bus: antwortet",
                                              "Adapter hci0 (00:1B:DC:0F:8A:31, Standard): eingeschaltet ja, "
                                              "sichtbar nein, Funk frei",
                                              "Zuletzt verbundenes Messgerät: QY-FE 3300, Adresse "
                                              "0080E1B0B1B2, Firmware 2.04"}
                               << 0;
    QTest::newRow("no adapter") << Change([](DiagnosticsFacts& facts) { facts.bluetooth.adapters.clear(); })
                                << 1
                                << QStringList{"Bluetooth adapter: none – plug one in (ls "
                                               "/sys/class/bluetooth then shows it as hci0)"}
                                << 1;
    // The kernel's adapter stays listed, with what only BlueZ could say unknown.
    QTest::newRow("BlueZ silent")
        << Change([](DiagnosticsFacts& facts) {
               facts.bluetooth.bluez = BusAnswer::Silent;
               facts.bluetooth.adapters = {{QStringLiteral("hci0"), {}, {}, {}, RadioBlock::Free}};
           })
        << 1
        << QStringList{"BlueZ (org.bluez) on the system D-Bus: does not answer in time – sudo systemctl "
                       "restart bluetooth",
                       "Adapter hci0 (unknown, default): powered unknown, discoverable unknown, radio free"}
        << 1;
    QTest::newRow("BlueZ not running")
        << Change([](DiagnosticsFacts& facts) {
               facts.bluetooth.bluez = BusAnswer::NotRunning;
               facts.bluetooth.bluezError = QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown: gone");
               facts.bluetooth.adapters.clear();
               facts.bluetooth.daemon = {DaemonVersion::State::NotInstalled,
                                         QStringLiteral("/usr/libexec/bluetooth/bluetoothd"),
                                         {}};
           })
        << 1
        << QStringList{"BlueZ (org.bluez) on the system D-Bus: not running (org.freedesktop.DBus.Error."
                       "ServiceUnknown: gone) – sudo apt-get install bluez && sudo systemctl enable --now "
                       "bluetooth",
                       "BlueZ daemon: /usr/libexec/bluetooth/bluetoothd is missing, version not to be asked "
                       "– "
                       "sudo apt-get install bluez"}
        << 3;
    QTest::newRow("no system bus")
        << Change([](DiagnosticsFacts& facts) {
               facts.bluetooth.bluez = BusAnswer::NoSystemBus;
               facts.bluetooth.bluezError = QStringLiteral("no socket");
           })
        << 1
        << QStringList{"BlueZ (org.bluez): no system D-Bus to reach (no socket) – start it: sudo systemctl "
                       "start dbus"}
        << 1;
    QTest::newRow("BlueZ refuses the user")
        << Change([](DiagnosticsFacts& facts) {
               facts.bluetooth.bluez = BusAnswer::Refused;
               facts.bluetooth.bluezError = QStringLiteral("denied");
               facts.bluetooth.group = GroupStanding::NotMember;
           })
        << 1
        << QStringList{"BlueZ (org.bluez) on the system D-Bus: refuses access (denied) – sudo adduser anna "
                       "bluetooth, then log in again",
                       "User anna: not in the group bluetooth – sudo adduser anna bluetooth, then log in "
                       "again"}
        << 2;
    QTest::newRow("adapter unpowered")
        << Change([](DiagnosticsFacts& facts) { facts.bluetooth.adapters[0].powered = false; }) << 1
        << QStringList{"Adapter hci0 (00:1B:DC:0F:8A:31, default): powered no, discoverable no, radio free",
                       "Adapter hci0 is powered off – bluetoothctl power on"}
        << 1;
    // bluetoothctl's "power on" switches the default adapter: another one is selected first.
    QTest::newRow("second adapter unpowered")
        << Change([](DiagnosticsFacts& facts) {
               facts.bluetooth.adapters.append(
                   {QStringLiteral("hci1"), Hci1Address, false, false, RadioBlock::Free});
           })
        << 1
        << QStringList{"Adapter hci1 (00:1B:DC:0F:8A:32): powered no, discoverable no, radio free",
                       "Adapter hci1 is powered off – in bluetoothctl: select 00:1B:DC:0F:8A:32, then power "
                       "on"}
        << 1;
    // BlueZ shows a blocked adapter unpowered; unblocking comes first, and powers it again by itself.
    QTest::newRow("rfkill soft blocked")
        << Change([](DiagnosticsFacts& facts) {
               facts.bluetooth.adapters[0].powered = false;
               facts.bluetooth.adapters[0].radio = RadioBlock::SoftBlocked;
           })
        << 1
        << QStringList{"Adapter hci0 (00:1B:DC:0F:8A:31, default): powered no, discoverable no, radio soft "
                       "blocked",
                       "Adapter hci0: radio soft blocked – sudo rfkill unblock bluetooth"}
        << 1;
    QTest::newRow("rfkill hard blocked")
        << Change([](DiagnosticsFacts& facts) {
               facts.bluetooth.adapters[0].powered = false;
               facts.bluetooth.adapters[0].radio = RadioBlock::HardBlocked;
           })
        << 1
        << QStringList{"Adapter hci0: radio hard blocked – switch Bluetooth on with the computer's switch or "
                       "function key"}
        << 1;
    QTest::newRow("no rfkill entry") << Change([](DiagnosticsFacts& facts) {
        facts.bluetooth.adapters[0].radio = RadioBlock::Unknown;
    }) << 1
                                     << QStringList{"Adapter hci0 (00:1B:DC:0F:8A:31, default): powered yes, "
                                                    "discoverable no, radio without "
                                                    "rfkill entry"}
                                     << 0;
    QTest::newRow("not in group") << Change([](DiagnosticsFacts& facts) {
        facts.bluetooth.group = GroupStanding::NotMember;
    }) << 1
                                  << QStringList{"User anna: not in the group bluetooth – sudo adduser anna "
                                                 "bluetooth, then log in again"}
                                  << 1;
    QTest::newRow("in group from the next login")
        << Change([](DiagnosticsFacts& facts) { facts.bluetooth.group = GroupStanding::MemberFromNextLogin; })
        << 1
        << QStringList{"User anna: in the group bluetooth only from the next login – log out and in again"}
        << 1;
    QTest::newRow("root") << Change([](DiagnosticsFacts& facts) {
        facts.bluetooth.userName = QStringLiteral("root");
        facts.bluetooth.group = GroupStanding::Superuser;
    }) << 1 << QStringList{"User root: root, needs no group bluetooth"}
                          << 0;
    QTest::newRow("no gauge yet") << Change([](DiagnosticsFacts& facts) { facts.lastGauge.reset(); }) << 1
                                  << QStringList{"Gauge connected last: none yet"} << 0;
    QTest::newRow("daemon did not answer")
        << Change(
               [](DiagnosticsFacts& facts) { facts.bluetooth.daemon.state = DaemonVersion::State::NoAnswer; })
        << 1
        << QStringList{"BlueZ daemon: version not to be asked (/usr/libexec/bluetooth/bluetoothd did not "
                       "answer)"}
        << 0;
}

void TestDiagnosticsReport::checks() {
    QFETCH(Change, change);
    QFETCH(int, languageIndex);
    QFETCH(QStringList, expected);
    QFETCH(int, actions);
    DiagnosticsFacts facts = working();
    change(facts);
    const QStringList lines = diagnosticsLines(facts, languageIndex);
    for (const QString& line : expected)
        QVERIFY2(lines.contains(line),
                 qPrintable(QStringLiteral("missing: %1\nin:\n%2").arg(line, lines.join(u'\n'))));
    QCOMPARE(actionLines(lines), actions);
}

void TestDiagnosticsReport::logTail_data() {
    QTest::addColumn<int>("logLines");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("empty") << 0 << QStringLiteral("Transfer log: empty") << QStringList();
    QTest::newRow("shorter than 200")
        << 3 << QStringLiteral("Transfer log, the last 3 of 3 lines:") << numberedLines(3);
    QTest::newRow("exactly 200") << 200 << QStringLiteral("Transfer log, the last 200 of 200 lines:")
                                 << numberedLines(200);
    QTest::newRow("longer than 200") << 250 << QStringLiteral("Transfer log, the last 200 of 250 lines:")
                                     << numberedLines(250).mid(50);
}

// The log comes last: its heading, then its lines as they are.
void TestDiagnosticsReport::logTail() {
    QFETCH(int, logLines);
    QFETCH(QString, heading);
    QFETCH(QStringList, shown);
    DiagnosticsFacts facts = working();
    facts.log = numberedLines(logLines);
    const QStringList lines = diagnosticsLines(facts, 1);
    const qsizetype start = lines.indexOf(heading);
    QVERIFY2(start >= 0, qPrintable(lines.join(u'\n')));
    QCOMPARE(lines.mid(start + 1), shown);
}

QTEST_GUILESS_MAIN(TestDiagnosticsReport)
#include "tst_diagnosticsreport.moc"
