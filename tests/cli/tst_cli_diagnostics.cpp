// `vexa-connect-cli diagnostics` on this machine, which has neither a Bluetooth adapter nor a BlueZ daemon:
// every check says so and what to do, the gauge connected last and the transfer log come from the settings
// folder, and the log is quoted, not replaced.
#include "CliProcess.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace vexa;

namespace {

const QString ProgramIni = QStringLiteral("config/Vexa Connect/Program.ini");
const QString LogFile = QStringLiteral("config/Vexa Connect/Vexa ConnectTransferLog.txt");

void writeFile(const QTemporaryDir& home, const QString& path, const QByteArray& content) {
    QDir(home.path()).mkpath(QFileInfo(home.filePath(path)).path());
    QFile file(home.filePath(path));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray logOfLines(int count) {
    QByteArray log;
    for (int i = 1; i <= count; ++i)
        log += "log line " + QByteArray::number(i) + "\r\n";
    return log;
}

bool machineHasAdapter() {
    return !QDir(QStringLiteral("/sys/class/bluetooth"))
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                .isEmpty();
}

} // namespace

class TestCliDiagnostics : public QObject {
    Q_OBJECT
private slots:
    void nothingToTalkTo();
    void settingsFolder_data();
    void settingsFolder();
    void refusedArguments_data();
    void refusedArguments();
};

void TestCliDiagnostics::nothingToTalkTo() {
    if (machineHasAdapter())
        QSKIP("this machine has a Bluetooth adapter");
    const QTemporaryDir home;
    const Finished finished = runCli(home, {"--lang", "en", "diagnostics"}, "C.UTF-8");
    QCOMPARE(finished.exitCode, 0);
    QCOMPARE(finished.err, QByteArray());
    const QStringList lines = QString::fromUtf8(finished.out).split(u'\n');
    QCOMPARE(lines.first(), QStringLiteral("Program: Vexa Connect V1.17"));
    QVERIFY2(lines.at(1).startsWith(QStringLiteral("Qt: 6.")), qPrintable(lines.at(1)));
    // Without a system bus, or with one where nobody owns org.bluez.
    const QString bluez = lines.at(2);
    QVERIFY2(bluez.startsWith(QStringLiteral("BlueZ (org.bluez)")) && bluez.contains(QStringLiteral(" – ")),
             qPrintable(bluez));
    QVERIFY2(lines.at(3).startsWith(QStringLiteral("BlueZ daemon: ")), qPrintable(lines.at(3)));
    QVERIFY(lines.contains(QStringLiteral(
        "Bluetooth adapter: none – plug one in (ls /sys/class/bluetooth then shows it as hci0)")));
    QVERIFY(std::any_of(lines.cbegin(), lines.cend(),
                        [](const QString& line) { return line.startsWith(QStringLiteral("User ")); }));
}

void TestCliDiagnostics::settingsFolder_data() {
    QTest::addColumn<QByteArray>("programIni"); // none when empty
    QTest::addColumn<int>("logLines");
    QTest::addColumn<QStringList>("expected"); // whole lines, in this order, at the report's end

    QTest::newRow("fresh account") << QByteArray() << 0
                                   << QStringList{"Gauge connected last: none yet", "Transfer log: empty",
                                                  ""};
    QTest::newRow("after a run with a gauge")
        << QByteArray("1\r\nQY-FE 3300\r\n0080E1B0B1B2\r\nQY\r\n2.04\r\n") << 250
        << QStringList{"Gauge connected last: QY-FE 3300, address 0080E1B0B1B2, firmware 2.04",
                       "Transfer log, the last 200 of 250 lines:", "log line 51"};
}

void TestCliDiagnostics::settingsFolder() {
    QFETCH(QByteArray, programIni);
    QFETCH(int, logLines);
    QFETCH(QStringList, expected);
    const QTemporaryDir home;
    if (!programIni.isEmpty())
        writeFile(home, ProgramIni, programIni);
    if (logLines > 0)
        writeFile(home, LogFile, logOfLines(logLines));

    const Finished finished = runCli(home, {"--lang", "en", "diagnostics"}, "C.UTF-8");
    QCOMPARE(finished.exitCode, 0);
    const QStringList lines = QString::fromUtf8(finished.out).split(u'\n');
    const qsizetype start = lines.indexOf(expected.first());
    QVERIFY2(start >= 0, finished.out.constData());
    QCOMPARE(lines.mid(start, expected.size()), expected);
    if (logLines > 0) {
        QCOMPARE(lines.at(lines.size() - 2), QStringLiteral("log line %1").arg(logLines));
        QFile log(home.filePath(LogFile));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(log.readAll(), logOfLines(logLines));
    }
}

void TestCliDiagnostics::refusedArguments_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString noGauge = QStringLiteral("diagnostics asks no gauge");
    QTest::newRow("simulated gauge") << QStringList{"--simulate", "gauge.json", "diagnostics"} << noGauge;
    QTest::newRow("device") << QStringList{"--device", "QY", "diagnostics"} << noGauge;
    QTest::newRow("format") << QStringList{"diagnostics", "--format", "json"}
                            << QStringLiteral("--format is for download, online, open and info");
    QTest::newRow("argument") << QStringList{"diagnostics", "hci0"}
                              << QStringLiteral("unexpected argument \"hci0\"");
}

void TestCliDiagnostics::refusedArguments() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const QTemporaryDir home;
    const Finished finished = runCli(home, arguments, "C.UTF-8");
    QCOMPARE(finished.exitCode, 2);
    QVERIFY2(QString::fromUtf8(finished.err).contains(message), finished.err.constData());
}

QTEST_GUILESS_MAIN(TestCliDiagnostics)
#include "tst_cli_diagnostics.moc"
