// The command-line tool through Qt Bluetooth and BlueZ, with the BlueZ double standing in for the daemon
// and the radio: the gauge's clock and what the information window shows.
#include "BluezDoubleControl.h"
#include "CliProcess.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;

namespace {

const QString FileGauge = QStringLiteral("0080E1B0B1B2");
const QString ProbeGauge = QStringLiteral("0080E1C0C1C2");

// The tool on the double's bus, which the test's environment names. Qt Bluetooth says on standard error
// how it reaches BlueZ; the tool's own lines there name the tool.
Finished runTool(const QStringList& arguments) {
    const QTemporaryDir home;
    return runCli(home, arguments, "C.UTF-8");
}

// The gauge's clock stands at `time`, so that what the tool reads of it can be compared.
void stopClock(const QString& address, const QString& time) {
    const QString error = BluezDoubleControl().call("SetGaugeClock", address, time, false);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

} // namespace

class TestBluezCli : public QObject {
    Q_OBJECT
private slots:
    void clock_data();
    void clock();
    void clockSetIsTaken();
    void info_data();
    void info();
    void diagnosticsAfterAConnect();
};

void TestBluezCli::clock_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("device");
    QTest::newRow("memory-file gauge") << FileGauge << QStringLiteral("QY-FE 3300");
    QTest::newRow("probe-memory gauge") << ProbeGauge << QStringLiteral("ZE-4800");
}

void TestBluezCli::clock() {
    QFETCH(QString, address);
    QFETCH(QString, device);
    stopClock(address, QStringLiteral("2026-03-05T07:08:09"));
    const Finished finished = runTool({"--device", device, "clock"});
    QVERIFY2(!finished.err.contains("vexa-connect-cli"), finished.err.constData());
    QCOMPARE(finished.exitCode, 0);
    QCOMPARE(finished.out, QByteArray("05.03.2026 07:08:09\n"));
}

// What `clock set` printed is what the gauge's clock then shows.
void TestBluezCli::clockSetIsTaken() {
    stopClock(FileGauge, QStringLiteral("2020-01-01T00:00:00"));
    const Finished set = runTool({"--device", "QY-FE 3300", "clock", "set"});
    QVERIFY2(!set.err.contains("vexa-connect-cli"), set.err.constData());
    QCOMPARE(set.exitCode, 0);
    const QDateTime sent =
        QDateTime::fromString(QString::fromLatin1(set.out.trimmed()), QStringLiteral("yyyy-MM-dd/HH:mm:ss"));
    QVERIFY2(sent.isValid(), set.out.constData());

    const Finished read = runTool({"--device", "QY-FE 3300", "clock"});
    QCOMPARE(read.exitCode, 0);
    const QDateTime shown =
        QDateTime::fromString(QString::fromLatin1(read.out.trimmed()), QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    // The gauge's clock runs on with the double's time; the second run starts within a minute.
    QVERIFY2(shown >= sent && shown < sent.addSecs(60), read.out.constData());
}

void TestBluezCli::info_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("generation 5, German")
        << QStringList{"--device", "QY-FE 3300", "info"}
        << QByteArray("Gerät/SNR: QY-FE 3300 / 330012\nGeräte Software Version: 2.04\n"
                      "Version PC Software: V1.17\nMacAdresse: 0080E1B0B1B2\nSondentyp/SNR: F1 / 123456\n"
                      "Sondenversion: 2.0\n");
    QTest::newRow("generation 4, English")
        << QStringList{"--device", "ZE-4800", "--lang", "en", "info"}
        << QByteArray("Device/SNR: ZELVO-KIT DUAL / 480011\nDevice Softwareversion: 1.20\n"
                      "Version PC Software: V1.17\nMacAdresse: 0080E1C0C1C2\nProbetype: 3\nProbe version:\n");
    QTest::newRow("as json") << QStringList{"--device", "ZE-4800", "--lang", "en", "info", "--format", "json"}
                             << QByteArray(
                                    R"({"device":{"label":"Device/SNR","value":"ZELVO-KIT DUAL / 480011"},)"
                                    R"("deviceSoftware":{"label":"Device Softwareversion","value":"1.20"},)"
                                    R"("pcSoftware":{"label":"Version PC Software","value":"V1.17"},)"
                                    R"("mac":{"label":"MacAdresse","value":"0080E1C0C1C2"},)"
                                    R"("probeType":{"label":"Probetype","value":"3"},)"
                                    R"("probeVersion":{"label":"Probe version","value":""}})"
                                    "\n");
}

void TestBluezCli::info() {
    QFETCH(QStringList, arguments);
    const Finished finished = runTool(arguments);
    QVERIFY2(!finished.err.contains("vexa-connect-cli"), finished.err.constData());
    QCOMPARE(finished.exitCode, 0);
    QTEST(finished.out, "expected");
}

// The double's adapter answers and is powered; the gauge a run connected is the one connected last.
void TestBluezCli::diagnosticsAfterAConnect() {
    const QTemporaryDir home;
    const Finished before = runCli(home, {"--lang", "en", "diagnostics"}, "C.UTF-8");
    QCOMPARE(before.exitCode, 0);
    QVERIFY2(before.out.contains("\nGauge connected last: none yet\n"), before.out.constData());
    QCOMPARE(runCli(home, {"--device", "QY-FE 3300", "info"}, "C.UTF-8").exitCode, 0);

    const Finished after = runCli(home, {"--lang", "en", "diagnostics"}, "C.UTF-8");
    QCOMPARE(after.exitCode, 0);
    const QStringList lines = QString::fromUtf8(after.out).split(u'\n');
    for (const char* line : {"BlueZ (org.bluez) on the system D-Bus: answers",
                             "Adapter hci0 (00:1B:DC:0F:8A:31, default): powered yes, discoverable no, radio "
                             "without rfkill entry"})
        QVERIFY2(lines.contains(QString::fromUtf8(line)), after.out.constData());
    // The name as the device list gave it, in its fixed-width column.
    const QRegularExpression lastGauge(
        QStringLiteral("^Gauge connected last: QY-FE 3300 .*, address 0080E1B0B1B2, firmware 2\\.04$"));
    QVERIFY2(std::any_of(lines.cbegin(), lines.cend(),
                         [&lastGauge](const QString& line) { return lastGauge.match(line).hasMatch(); }),
             after.out.constData());
    // The info run's log, quoted and left as it was.
    QVERIFY2(std::any_of(lines.cbegin(), lines.cend(),
                         [](const QString& line) {
                             return line.startsWith(QStringLiteral("Transfer log, the last "));
                         }),
             after.out.constData());
}

QTEST_GUILESS_MAIN(TestBluezCli)
#include "tst_bluez_cli.moc"
