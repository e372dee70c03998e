#include "protocol/GaugeUuids.h"
#include "protocol/ProtocolDispatch.h"

#include <QTest>

using namespace vexa;

Q_DECLARE_METATYPE(vexa::AnswerKind)
Q_DECLARE_METATYPE(vexa::DeviceInfo)
Q_DECLARE_METATYPE(vexa::ProbeInfo)

namespace {

const QByteArray Hex64 = "000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F";

// The state while a request is pending and nothing else has arrived yet.
LinkValues pendingValues() {
    LinkValues values;
    values.fileHandle = 7;
    values.batteryVoltage = 1.5;
    return values;
}

} // namespace

class TestProtocolDispatch : public QObject {
    Q_OBJECT

private slots:
    void enclosedAnswers_data();
    void enclosedAnswers();
    void fileAnswers_data();
    void fileAnswers();
    void fileList_data();
    void fileList();
    void readBlock_data();
    void readBlock();
    void information_data();
    void information();
    void memoryTable_data();
    void memoryTable();
    void characteristicValues_data();
    void characteristicValues();
};

void TestProtocolDispatch::enclosedAnswers_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<AnswerKind>("kind");
    QTest::addColumn<QByteArray>("buffer");
    QTest::addColumn<double>("voltage");

    QTest::newRow("battery") << QByteArray("$gcv?3.85!") << AnswerKind::Battery << QByteArray("3.85") << 3.85;
    QTest::newRow("battery any terminator")
        << QByteArray("$gcv?3.85#") << AnswerKind::Battery << QByteArray("3.85") << 3.85;
    QTest::newRow("battery with CR LF keeps voltage")
        << QByteArray("$gcv?3.85!\r\n") << AnswerKind::Battery << QByteArray("3.85!\r") << 1.5;
    QTest::newRow("battery not numeric")
        << QByteArray("$gcv?low!") << AnswerKind::Battery << QByteArray("low") << 1.5;
    QTest::newRow("battery without number")
        << QByteArray("$gcv?") << AnswerKind::Battery << QByteArray() << 1.5;
    QTest::newRow("clock") << QByteArray("$glt?05.03.2026 07:08:09!") << AnswerKind::Clock
                           << QByteArray("05.03.2026 07:08:09") << 1.5;
}

void TestProtocolDispatch::enclosedAnswers() {
    QFETCH(QByteArray, value);
    QFETCH(AnswerKind, kind);
    QFETCH(QByteArray, buffer);
    QFETCH(double, voltage);
    LinkValues values = pendingValues();
    QCOMPARE(dispatchAnswer(values, uuid::CharVexa, value).kind, kind);
    QCOMPARE(values.responseBuffer, buffer);
    QCOMPARE(values.batteryVoltage, voltage);
}

void TestProtocolDispatch::fileAnswers_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<AnswerKind>("kind");
    QTest::addColumn<int>("status"); // -1: the answer carries no status code
    QTest::addColumn<bool>("notNumeric");
    QTest::addColumn<int>("fileHandle");
    QTest::addColumn<int>("fileLength");
    QTest::addColumn<bool>("broken");

    const auto row = [](const char* name, const char* value, AnswerKind kind, int status, bool notNumeric,
                        int handle = 7, int length = 0, bool broken = false) {
        QTest::newRow(name) << QByteArray(value) << kind << status << notNumeric << handle << length
                            << broken;
    };
    row("open", "$fr?3 1234!", AnswerKind::OpenFile, -1, false, 3, 1234);
    row("open without length", "$fr?3!", AnswerKind::OpenFile, -1, false, 7, 0, true);
    row("open length beyond range", "$fr?3 99999999999!", AnswerKind::OpenFile, -1, false, 3, 0, true);
    row("open handle beyond range", "$fr?70000 5!", AnswerKind::OpenFile, -1, false, 7, 0, true);
    row("close", "$fc?3 0!", AnswerKind::CloseFile, 0, false);
    row("close with code", "$fc?3 4!", AnswerKind::CloseFile, 4, false);
    row("close with word as code", "$fc?3 x!", AnswerKind::CloseFile, 0, false);
    row("close without handle", "$fc?x 0!", AnswerKind::CloseFile, -1, true);
    row("close without marks", "$fc", AnswerKind::CloseFile, -1, true);
    row("write not numeric", "$wr?a 1!", AnswerKind::WriteData, -1, true);
    row("write", "$wr?5 1!", AnswerKind::WriteData, -1, false);
    row("remove not numeric", "$rm?? 1!", AnswerKind::RemoveFile, -1, true);
    row("remove", "$rm?1 0!", AnswerKind::RemoveFile, -1, false);
    row("write short answer", "$fwu?3", AnswerKind::FileWriteU, 3, false);
    row("write answer", "$fw?4 2!", AnswerKind::FileWrite, 2, false, 4);
    row("file mode", "$fmod?1!", AnswerKind::FileMode, -1, false);
}

void TestProtocolDispatch::fileAnswers() {
    QFETCH(QByteArray, value);
    QFETCH(AnswerKind, kind);
    QFETCH(int, status);
    QFETCH(int, fileHandle);
    QFETCH(int, fileLength);
    QFETCH(bool, broken);
    LinkValues values = pendingValues();
    const DispatchResult result = dispatchAnswer(values, uuid::CharVexa, value);
    QCOMPARE(result.kind, kind);
    QCOMPARE(result.brokenLayout, broken);
    QCOMPARE(result.statusCode.value_or(-1), status);
    QTEST(result.statusNotNumeric, "notNumeric");
    QCOMPARE(values.fileHandle, fileHandle);
    QCOMPARE(values.fileLength, fileLength);
}

void TestProtocolDispatch::fileList_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("repeated");

    const QByteArray list = "$ls?0 0 files m001 s2!";
    QTest::newRow("first list stored") << QByteArray() << list << false;
    QTest::newRow("same list again") << list << list << true;
    QTest::newRow("longer list holding the stored one") << list << list + " t9" << true;
    QTest::newRow("other list") << list << QByteArray("$ls?0 0 files t9!") << false;
}

void TestProtocolDispatch::fileList() {
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, value);
    LinkValues values = pendingValues();
    values.responseBuffer = stored;
    const DispatchResult result = dispatchAnswer(values, uuid::CharVexa, value);
    QCOMPARE(result.kind, AnswerKind::ListFiles);
    QTEST(result.listRepeated, "repeated");
    QCOMPARE(values.responseBuffer, stored.isEmpty() ? value : stored);
}

void TestProtocolDispatch::readBlock_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("blockHandle");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<bool>("broken");

    QTest::newRow("full block") << "$rd?3 0 32 " + Hex64 + "!" << 3 << Hex64 << false;
    QTest::newRow("text between count and bytes is skipped")
        << "$rd?3 0 32 ZZZZ" + Hex64 + "!" << 3 << Hex64 << false;
    QTest::newRow("handle 55 is an answer") << "$rd?55 0 32 " + Hex64 + "!" << 55 << Hex64 << false;
    QTest::newRow("remainder") << QByteArray("$rd?3 64 6 A1B2C3D4E5F6!") << 3 << QByteArray("A1B2C3D4E5F6")
                               << false;
    QTest::newRow("no bytes") << QByteArray("$rd?3 0 0 !") << 3 << QByteArray() << false;
    QTest::newRow("fewer bytes than counted") << QByteArray("$rd?3 0 32 AB!") << 3 << QByteArray() << true;
    QTest::newRow("no second space") << "$rd?3 123456 32 " + Hex64 + "!" << 3 << QByteArray() << true;
    QTest::newRow("negative count") << QByteArray("$rd?3 0 -1 AB!") << 3 << QByteArray() << true;
}

void TestProtocolDispatch::readBlock() {
    QFETCH(QByteArray, value);
    QFETCH(int, blockHandle);
    QFETCH(QByteArray, payload);
    LinkValues values = pendingValues();
    const DispatchResult result = dispatchAnswer(values, uuid::CharVexa, value);
    QCOMPARE(result.kind, AnswerKind::ReadBlock);
    QCOMPARE(result.blockHandle, blockHandle);
    QCOMPARE(result.payload, payload);
    QCOMPARE(values.responseBuffer, payload);
    QTEST(result.brokenLayout, "broken");
}

void TestProtocolDispatch::information_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<AnswerKind>("kind");
    QTest::addColumn<DeviceInfo>("device");
    QTest::addColumn<ProbeInfo>("probe");

    const auto device = [](QString t, QString s = {}, QString r = {}, QString m = {}) {
        DeviceInfo info;
        info.T = t;
        info.S = s;
        info.R = r;
        info.M = m;
        return info;
    };
    QTest::newRow("device fields") << QByteArray("$vexa00T:3,S:123456,R:1.20,M:AABBCCDDEEFF!")
                                   << AnswerKind::Information << device("3", "123456", "1.20", "AABBCCDDEEFF")
                                   << ProbeInfo{};
    QTest::newRow("long type code shortened")
        << QByteArray("$vexa00T:ABCDE!") << AnswerKind::Information << device("DE") << ProbeInfo{};
    QTest::newRow("four-character type code whole")
        << QByteArray("$vexa00T:ABCD!") << AnswerKind::Information << device("ABCD") << ProbeInfo{};

    DeviceInfo metric = device("1");
    metric.U = QStringLiteral("\u00B5m");
    QTest::newRow("unit normalised for the type")
        << QByteArray("$vexa00T:1,U:metric!") << AnswerKind::Information << metric << ProbeInfo{};

    DeviceInfo version;
    version.V = QStringLiteral("1");
    QTest::newRow("unknown keys skipped")
        << QByteArray("$vexa00N:x,A:y,V:1!") << AnswerKind::Information << version << ProbeInfo{};

    DeviceInfo hardware;
    hardware.H = QStringLiteral("9");
    QTest::newRow("probe fields") << QByteArray("$gpi?T:ABCDE,R:2.0,S:77,H:9!") << AnswerKind::Information
                                  << hardware
                                  << ProbeInfo{QStringLiteral("ABCDE"), QStringLiteral("2.0"),
                                               QStringLiteral("77")};
    QTest::newRow("no fields") << QByteArray("$vexa00") << AnswerKind::None << DeviceInfo{} << ProbeInfo{};
    QTest::newRow("rest without key kept until there")
        << QByteArray("$vexa00T:3!S123") << AnswerKind::Information << device("3") << ProbeInfo{};
    QTest::newRow("colons only") << QByteArray("$vexa00:::::") << AnswerKind::Information << DeviceInfo{}
                                 << ProbeInfo{};
}

void TestProtocolDispatch::information() {
    QFETCH(QByteArray, value);
    QFETCH(AnswerKind, kind);
    QFETCH(DeviceInfo, device);
    QFETCH(ProbeInfo, probe);
    LinkValues values = pendingValues();
    QCOMPARE(dispatchAnswer(values, uuid::CharVexa, value).kind, kind);
    QCOMPARE(values.deviceInfo, device);
    QCOMPARE(values.probeInfo, probe);
}

void TestProtocolDispatch::memoryTable_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<bool>("broken");

    QTest::newRow("two memories") << QByteArray("2\n1,25\n2,0") << QStringList{"1", "2"} << QList<int>{25, 0}
                                  << false;
    QTest::newRow("blanks and CR around fields")
        << QByteArray(" 1 \r\n 7 , 12 \r\n") << QStringList{"7"} << QList<int>{12} << false;
    QTest::newRow("no memories") << QByteArray("0") << QStringList{} << QList<int>{} << false;
    QTest::newRow("line without comma")
        << QByteArray("3\n1,25\n2x\n3,4") << QStringList{"1"} << QList<int>{25} << true;
    QTest::newRow("fewer lines than counted")
        << QByteArray("5\n1,2") << QStringList{"1"} << QList<int>{2} << true;
    QTest::newRow("negative count") << QByteArray("-1\n1,2") << QStringList{} << QList<int>{} << true;
}

void TestProtocolDispatch::memoryTable() {
    QFETCH(QByteArray, value);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, counts);
    QFETCH(bool, broken);
    LinkValues values = pendingValues();
    values.memoryCount = 4;
    values.memoryNames = QStringList{"9", "8", "7", "6"};
    values.memoryValueCounts = {1, 1, 1, 1};
    const DispatchResult result = dispatchAnswer(values, uuid::CharStorageInfo, value);
    QCOMPARE(result.kind, AnswerKind::MemoryTable);
    QCOMPARE(result.brokenLayout, broken);
    QCOMPARE(values.memoryCount, names.size());
    QCOMPARE(values.memoryNames, names);
    QCOMPARE(QList<int>(values.memoryValueCounts.cbegin(), values.memoryValueCounts.cend()), counts);
}

void TestProtocolDispatch::characteristicValues_data() {
    QTest::addColumn<QString>("characteristic");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<AnswerKind>("kind");
    QTest::addColumn<bool>("dataEnd");

    const QByteArray line = "0001  12.5      ym   NFE 2025-03-01 08:05:09";
    QTest::newRow("empty command value") << uuid::CharVexa << QByteArray() << AnswerKind::EmptyValue << true;
    QTest::newRow("empty memory table")
        << uuid::CharStorageInfo << QByteArray() << AnswerKind::MemoryTable << true;
    QTest::newRow("empty storage data")
        << uuid::CharStorageData << QByteArray() << AnswerKind::StorageData << true;
    QTest::newRow("empty live value") << uuid::CharMeasure << QByteArray() << AnswerKind::LiveValue << true;
    QTest::newRow("records") << uuid::CharStorageData << line << AnswerKind::StorageData << false;
    QTest::newRow("live value") << uuid::CharMeasure << line << AnswerKind::LiveValue << false;
    QTest::newRow("live value, UUID in lower case")
        << uuid::CharMeasure.toLower() << line << AnswerKind::LiveValue << false;
    QTest::newRow("information answer only on the command characteristic")
        << uuid::CharMeasure << QByteArray("$vexa00T:3!") << AnswerKind::LiveValue << false;
    QTest::newRow("unknown text") << uuid::CharVexa << QByteArray("hello") << AnswerKind::None << false;
}

void TestProtocolDispatch::characteristicValues() {
    QFETCH(QString, characteristic);
    QFETCH(QByteArray, value);
    QFETCH(AnswerKind, kind);
    QFETCH(bool, dataEnd);
    LinkValues values = pendingValues();
    const DispatchResult result = dispatchAnswer(values, characteristic, value);
    QCOMPARE(result.kind, kind);
    QCOMPARE(values.storageDataEnd, dataEnd);
    QVERIFY(values.deviceInfo.T.isEmpty());
    if (kind == AnswerKind::LiveValue)
        QCOMPARE(result.payload, value);
    if (kind == AnswerKind::StorageData)
        QCOMPARE(values.responseBuffer, value);
}

QTEST_APPLESS_MAIN(TestProtocolDispatch)
#include "tst_protocoldispatch.moc"
