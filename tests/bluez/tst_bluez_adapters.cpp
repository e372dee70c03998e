// Two adapters through Qt Bluetooth and the BlueZ double: hci0 with the memory-file gauge in range, hci1
// with the probe-memory gauge. The command-line tool scans through the adapter --adapter names, refuses one
// that is not there, and its diagnostics list both.
#include "CliProcess.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vexa;

class TestBluezAdapters : public QObject {
    Q_OBJECT
private slots:
    void scanGoesThroughTheAdapter_data();
    void scanGoesThroughTheAdapter();
    void adapterNotThere();
    void diagnosticsListBoth();
};

void TestBluezAdapters::scanGoesThroughTheAdapter_data() {
    QTest::addColumn<QStringList>("adapter");
    QTest::addColumn<QByteArray>("listed"); // the gauge in the one line `scan` writes
    QTest::newRow("the default") << QStringList() << QByteArray("Name: QY-FE 3300 ");
    QTest::newRow("hci1 by name") << QStringList{"--adapter", "hci1"} << QByteArray("Name: ZE-4800 ");
    QTest::newRow("hci1 by address, small letters")
        << QStringList{"--adapter", "00:1b:dc:0f:8a:32"} << QByteArray("Name: ZE-4800 ");
    QTest::newRow("hci0 by address without colons")
        << QStringList{"--adapter", "001BDC0F8A31"} << QByteArray("Name: QY-FE 3300 ");
}

void TestBluezAdapters::scanGoesThroughTheAdapter() {
    QFETCH(QStringList, adapter);
    QFETCH(QByteArray, listed);
    const QTemporaryDir home;
    const Finished finished = runCli(home, adapter + QStringList{"scan"}, "C.UTF-8");
    QVERIFY2(!finished.err.contains("vexa-connect-cli"), finished.err.constData());
    QCOMPARE(finished.exitCode, 0);
    const QList<QByteArray> lines = finished.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(listed), finished.out.constData());
}

void TestBluezAdapters::adapterNotThere() {
    const QTemporaryDir home;
    const Finished finished = runCli(home, {"--adapter", "hci7", "scan"}, "C.UTF-8");
    QCOMPARE(finished.exitCode, 2);
    QCOMPARE(finished.out, QByteArray());
    QVERIFY2(finished.err.contains("vexa-connect-cli: No Bluetooth adapter \"hci7\"; there are: "
                                   "hci0  00:1B:DC:0F:8A:31, hci1  00:1B:DC:0F:8A:32\n"),
             finished.err.constData());
}

void TestBluezAdapters::diagnosticsListBoth() {
    const QTemporaryDir home;
    const Finished finished = runCli(home, {"--lang", "en", "diagnostics"}, "C.UTF-8");
    QCOMPARE(finished.exitCode, 0);
    const QStringList lines = QString::fromUtf8(finished.out).split(u'\n');
    QVERIFY2(lines.contains(QStringLiteral("Adapter hci0 (00:1B:DC:0F:8A:31, default): powered yes, "
                                           "discoverable no, radio without rfkill entry")),
             finished.out.constData());
    QVERIFY2(lines.contains(QStringLiteral("Adapter hci1 (00:1B:DC:0F:8A:32): powered yes, discoverable no, "
                                           "radio without rfkill entry")),
             finished.out.constData());
}

QTEST_GUILESS_MAIN(TestBluezAdapters)
#include "tst_bluez_adapters.moc"
