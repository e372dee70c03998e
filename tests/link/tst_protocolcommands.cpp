#include "protocol/ProtocolCommands.h"

#include <QTest>

using namespace vexa;

class TestProtocolCommands : public QObject {
    Q_OBJECT

private slots:
    void commandTexts_data();
    void commandTexts();
    void blockPlan_data();
    void blockPlan();
};

void TestProtocolCommands::commandTexts_data() {
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("expected");

    const QDate march5(2026, 3, 5);
    QTest::newRow("device information") << command::deviceInformation() << QByteArray("$vexa00!");
    QTest::newRow("probe information") << command::probeInformation() << QByteArray("$gpi!");
    QTest::newRow("battery") << command::batteryVoltage() << QByteArray("$gcv!");
    QTest::newRow("read clock") << command::readClock() << QByteArray("$glt!");
    QTest::newRow("set clock morning") << command::setClock(QDateTime(march5, QTime(7, 8, 9)))
                                       << QByteArray("$slt?2026-03-05/07:08:09!\r\n");
    QTest::newRow("set clock 24-hour") << command::setClock(QDateTime(QDate(2025, 12, 31), QTime(23, 59, 58)))
                                       << QByteArray("$slt?2025-12-31/23:59:58!\r\n");
    QTest::newRow("list files") << command::listFiles() << QByteArray("$ls!");
    QTest::newRow("open file") << command::openFile(QStringLiteral("m001")) << QByteArray("$fr?m001!");
    QTest::newRow("full block") << command::readBlock(3, 32) << QByteArray("$rd?3 32!");
    QTest::newRow("remainder block") << command::readBlock(12, 6) << QByteArray("$rd?12 6!");
    QTest::newRow("close file") << command::closeFile(3) << QByteArray("$fc?3!");
    QTest::newRow("select memory") << command::selectMemory(QStringLiteral("12")) << QByteArray("12");
    QTest::newRow("release probe") << command::releaseProbe() << QByteArray("-");
}

void TestProtocolCommands::commandTexts() {
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, expected);
    QCOMPARE(command, expected);
}

void TestProtocolCommands::blockPlan_data() {
    QTest::addColumn<qint32>("fileLength");
    QTest::addColumn<QList<qint32>>("blocks");

    QTest::newRow("two full blocks") << 64 << QList<qint32>{32, 32};
    QTest::newRow("full blocks and remainder") << 70 << QList<qint32>{32, 32, 6};
    QTest::newRow("remainder only") << 31 << QList<qint32>{31};
    QTest::newRow("one full block") << 32 << QList<qint32>{32};
    QTest::newRow("empty file") << 0 << QList<qint32>{};
    QTest::newRow("negative length") << -40 << QList<qint32>{};
}

void TestProtocolCommands::blockPlan() {
    QFETCH(qint32, fileLength);
    QFETCH(QList<qint32>, blocks);
    const command::BlockPlan plan = command::blockPlan(fileLength);
    QList<qint32> actual;
    for (qint32 i = 0; i < plan.blockCount(); ++i)
        actual.append(plan.blockBytes(i));
    QCOMPARE(actual, blocks);
}

QTEST_APPLESS_MAIN(TestProtocolCommands)
#include "tst_protocolcommands.moc"
