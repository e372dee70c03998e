#include "files/TransferLog.h"
#include "files/TransferLogEvents.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace vexa;

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

using Report = std::function<void(GaugeEvents&)>;

} // namespace

Q_DECLARE_METATYPE(Report)

class TestTransferLog : public QObject {
    Q_OBJECT

private slots:
    void fileIsNamedAfterTheProgram() {
        QTemporaryDir dir;
        TransferLog log(dir.path());
        log.WriteLog(QStringLiteral("x"));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Vexa ConnectTransferLog.txt"))));
    }

    void entriesAreLinesInUtf8_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("one") << QStringList{QStringLiteral("AppDataPath = /x")}
                             << QByteArray("AppDataPath = /x\r\n");
        QTest::newRow("in order") << QStringList{QStringLiteral("a"), QStringLiteral("b")}
                                  << QByteArray("a\r\nb\r\n");
        QTest::newRow("empty entry") << QStringList{QString()} << QByteArray("\r\n");
        QTest::newRow("line ends inside kept")
            << QStringList{QStringLiteral("a\r\nb")} << QByteArray("a\r\nb\r\n");
        QTest::newRow("umlaut") << QStringList{QStringLiteral("Gerät")} << QByteArray("Ger\xC3\xA4t\r\n");
    }

    void entriesAreLinesInUtf8() {
        QFETCH(QStringList, entries);
        QFETCH(QByteArray, expected);

        QTemporaryDir dir;
        TransferLog log(dir.path());
        log.DeleteLog();
        for (const QString& entry : entries)
            log.WriteLog(entry);
        QCOMPARE(contentOf(log.filePath()), expected);
    }

    void secondRunKeepsOnlyItsOwnEntries() {
        QTemporaryDir dir;
        TransferLog first(dir.path());
        first.DeleteLog();
        first.WriteLog(QStringLiteral("first run"));

        TransferLog second(dir.path());
        second.DeleteLog();
        second.WriteLog(QStringLiteral("second run"));

        QCOMPARE(contentOf(second.filePath()), QByteArray("second run\r\n"));
    }

    // The gauge layer's events become the log's lines; times stand as <time>.
    void gaugeEventsAsLines_data() {
        QTest::addColumn<Report>("report");
        QTest::addColumn<QString>("lines");

        using Step = GaugeEvents::ReconnectStep;
        QTest::newRow("scan")
            << Report([](GaugeEvents& e) {
                   e.scanRequested();
                   e.scanStarting();
                   e.scanStarted();
                   e.scanRequested();
               })
            << QStringLiteral(
                   "Bluetooth SCAN <time>|Bluetooth SCAN1|StartScan|StartScan Ende|Bluetooth SCAN <time>|");
        QTest::newRow("scan failed") << Report([](GaugeEvents& e) {
            e.scanFailed(5, QStringLiteral("No adapter"));
        }) << QStringLiteral("5 No adapter|");
        QTest::newRow("gauge identified") << Report([](GaugeEvents& e) { e.gaugeIdentified(); })
                                          << QStringLiteral("Logdatei <time>|App.Path = /opt/vexa|"
                                                            "AppDataPath = /home/i/.config|"
                                                            "MessDataPath = /home/i/.local|");
        QTest::newRow("reconnect") << Report([](GaugeEvents& e) {
            e.reconnecting(Step::Requested);
            e.reconnecting(Step::DisconnectSent);
            e.reconnecting(Step::ConnectSent);
        }) << QStringLiteral("REconnect|REconnect1|REconnect2|");
        QTest::newRow("live values not switched") << Report([](GaugeEvents& e) {
            e.liveValuesNotSwitched(true, GaugeError::NotAnswering);
            e.liveValuesNotSwitched(false, GaugeError::LinkLost);
        }) << QStringLiteral("Fehler Sub Measure1|Fehler UNSub Measure2|");
        QTest::newRow("memory not decoded")
            << Report([](GaugeEvents& e) { e.memoryNotDecoded(QStringLiteral("Record 10: invalid date")); })
            << QStringLiteral("Record 10: invalid date|");
        QTest::newRow("record date invalid") << Report([](GaugeEvents& e) { e.recordDateInvalid(); })
                                             << QStringLiteral("Fill Messdaten: invalid date|");
        QTest::newRow("probe memory done") << Report([](GaugeEvents& e) {
            e.probeMemoryDone(true);
            e.probeMemoryDone(false);
        }) << QStringLiteral("Ende Speicher lesen vor subTrue|Ende Speicher lesen vor subFalse|");
    }

    void gaugeEventsAsLines() {
        QFETCH(Report, report);
        QTemporaryDir dir;
        TransferLog log(dir.path());
        log.DeleteLog();
        TransferLogEvents events;
        report(events); // no log yet: nothing is written
        events.setLog(&log, {QStringLiteral("/opt/vexa"), QStringLiteral("/home/i/.config"),
                             QStringLiteral("/home/i/.local")});
        report(events);
        QString text = QString::fromUtf8(contentOf(log.filePath()));
        text.replace(QRegularExpression(QStringLiteral("(Bluetooth SCAN |Logdatei )[^\\r]+")),
                     QStringLiteral("\\1<time>"));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("|"));
        QTEST(text, "lines");
    }

    void missingFolderLosesEntriesSilently() {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("missing"));
        TransferLog log(missing);
        log.DeleteLog();
        log.WriteLog(QStringLiteral("lost"));
        QVERIFY(!QDir(missing).exists());
    }
};

QTEST_GUILESS_MAIN(TestTransferLog)
#include "tst_transferlog.moc"
