#include "data/DeviceTables.h"
#include "data/LocaleTexts.h"
#include "protocol/RecordLine.h"
#include "protocol/RecordRows.h"

#include <QTest>

using namespace vexa;

namespace {

const QByteArray FullLine = "0001  12.5       ym   NFE 2025-03-01 08:05:09";

// A gauge of `model` set to `unit`; without a model of that name, one with the given traits.
GaugeIdentity gaugeOf(const char* model, const char* unit, DeviceTraits traits = {}) {
    GaugeIdentity gauge;
    gauge.model.deviceModel = QString::fromLatin1(model);
    gauge.model.measureMode = gauge.model.deviceModel == u"WL" ? QStringLiteral("MF") : QStringLiteral("SM");
    gauge.traits = traitsForModel(gauge.model.deviceModel).value_or(traits);
    gauge.device.T = QStringLiteral("3");
    gauge.device.U = QString::fromUtf8(unit);
    return gauge;
}

} // namespace

Q_DECLARE_METATYPE(vexa::GaugeIdentity)

class TestRecordLine : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void malformedDate_data();
    void malformedDate();
    void liveLines_data();
    void liveLines();
    void storageRecords_data();
    void storageRecords();
    void rows_data();
    void rows();
};

void TestRecordLine::parse_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("variantCode");
    QTest::addColumn<int>("number");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("material");
    QTest::addColumn<QDateTime>("timestamp");

    const QDateTime march1(QDate(2025, 3, 1), QTime(8, 5, 9));
    QTest::newRow("full line") << FullLine << "3" << 1 << 12.5 << QStringLiteral("\u00B5m") << "NF" << march1;
    QTest::newRow("right-aligned fields")
        << QByteArray("  12    -3.25    mT   FE  2025-12-31 23:59:58") << "3" << 12 << -3.25 << "mT"
        << "FE" << QDateTime(QDate(2025, 12, 31), QTime(23, 59, 58));
    QTest::newRow("CR LF inside keeps the columns")
        << QByteArray("0002\r\n7.5        mT   FE  2025-03-01 08:05:09\r\n") << "3" << 2 << 7.5 << "mT"
        << "FE" << march1;
    QTest::newRow("short line") << QByteArray("0003  4.2") << "3" << 3 << 4.2 << ""
                                << "" << QDateTime();
    QTest::newRow("value without number, Latin-1 unit")
        << QByteArray("0004  ---        \xB5m       ") << "3" << 4 << 0.0 << QStringLiteral("\u00B5m") << ""
        << QDateTime();
    QTest::newRow("value with trailing text") << QByteArray("0006  1.5.7xyz   mT") << "3" << 6 << 1.5 << "mT"
                                              << "" << QDateTime();
    QTest::newRow("empty line") << QByteArray() << "3" << 0 << 0.0 << ""
                                << "" << QDateTime();
}

void TestRecordLine::parse() {
    QFETCH(QByteArray, line);
    QFETCH(QString, variantCode);
    QFETCH(int, number);
    QFETCH(double, value);
    QFETCH(QString, unit);
    QFETCH(QString, material);
    QFETCH(QDateTime, timestamp);
    const RecordFields fields = parseRecordLine(line, variantCode);
    QCOMPARE(fields.number, number);
    QCOMPARE(fields.value, value);
    QCOMPARE(fields.unit, unit);
    QCOMPARE(fields.material, material);
    QVERIFY(fields.timestamp.ok());
    QCOMPARE(*fields.timestamp, timestamp);
}

void TestRecordLine::malformedDate_data() {
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("no such month and hour") << QByteArray("0005  7.5        A/cm NF  2025-13-45 99:00:00");
    QTest::newRow("letters in the year") << QByteArray("0005  7.5        A/cm NF  20x5-03-01 08:05:09");
    QTest::newRow("date cut short") << QByteArray("0005  7.5        A/cm NF  2025-03-01 08:0");
}

void TestRecordLine::malformedDate() {
    QFETCH(QByteArray, line);
    const RecordFields fields = parseRecordLine(line, QStringLiteral("3"));
    QVERIFY(!fields.timestamp.ok());
    QCOMPARE(fields.timestamp.error(), FieldError::InvalidDate);
    QCOMPARE(fields.value, 7.5);
}

void TestRecordLine::liveLines_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QList<QByteArray>>("lines");

    QTest::newRow("single record") << FullLine << QList<QByteArray>{FullLine};
    QTest::newRow("two records of equal length")
        << QByteArray("0001 DNF 1\n0002 DNF 2\n") << QList<QByteArray>{"0001 DNF 1\n", " 0002 DNF 2\n"};
    QTest::newRow("odd length, half rounded up to even")
        << QByteArray("DNF\nabcdefg") << QList<QByteArray>{"DNF\n", " bcdefg"};
    QTest::newRow("odd length, half rounded down to even")
        << QByteArray("DNF\nabcdefghi") << QList<QByteArray>{"DNF\n", " defghi"};
    QTest::newRow("DNF without line feed") << QByteArray("0001 DNF") << QList<QByteArray>{"0001 DNF"};
}

void TestRecordLine::liveLines() {
    QFETCH(QByteArray, value);
    QFETCH(QList<QByteArray>, lines);
    QCOMPARE(liveRecordLines(value), lines);
}

void TestRecordLine::storageRecords_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("recordsLeft");
    QTest::addColumn<int>("parsed");
    QTest::addColumn<int>("counted");

    const QByteArray five = FullLine + '\n' + FullLine + '\n' + FullLine + '\n' + FullLine + '\n' + FullLine;
    QTest::newRow("first five of seven") << five << 7 << 5 << 5;
    QTest::newRow("last two of seven") << FullLine + '\n' + FullLine + '\n' << 2 << 2 << 2;
    QTest::newRow("only five lines per value") << five + '\n' + FullLine << 9 << 5 << 5;
    QTest::newRow("stops at the count") << five << 3 << 3 << 3;
    QTest::newRow("short line counts unread") << FullLine + "\n0002 short\n\n" << 7 << 1 << 2;
    QTest::newRow("fifteen characters unread, sixteen read")
        << QByteArray("123456789012345\n1234567890123456") << 7 << 1 << 2;
    QTest::newRow("nothing left") << five << 0 << 0 << 0;
}

void TestRecordLine::storageRecords() {
    QFETCH(QByteArray, value);
    QFETCH(int, recordsLeft);
    QFETCH(int, parsed);
    QFETCH(int, counted);
    const StorageRecords records = vexa::storageRecords(value, recordsLeft);
    QCOMPARE(records.lines.size(), parsed);
    QCOMPARE(records.counted, counted);
    for (const QByteArray& line : records.lines)
        QVERIFY(line.size() > 15);
}

void TestRecordLine::rows_data() {
    QTest::addColumn<GaugeIdentity>("gauge");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("number");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("material");
    QTest::addColumn<bool>("ownDate");
    QTest::addColumn<bool>("invalidDate");

    const QString um = QStringLiteral("\u00B5m");
    QTest::newRow("probe memory: the record's unit and material")
        << gaugeOf("ZKB", "mils") << FullLine << 1 << 12.5 << um << "NF" << true << false;
    QTest::newRow("memory files: converted into the gauge's unit")
        << gaugeOf("QY", "mils") << QByteArray("0002  254.0      ym   FE  2025-03-01 08:05:09") << 2 << 10.0
        << "mils"
        << "FE" << true << false;
    QTest::newRow("memory files: rounded as shown")
        << gaugeOf("QY", "\u00B5m") << QByteArray("0003  123.46     ym   FE  2025-03-01 08:05:09") << 3
        << 123.0 << um << "FE" << true << false;
    QTest::newRow("WL: the gauge's unit, no material")
        << gaugeOf("WL", "mT") << QByteArray("0004  12.5       mT   WLD 2025-03-01 08:05:09") << 4 << 12.5
        << "mT"
        << "" << true << false;
    QTest::newRow("WP: its own unit and material")
        << gaugeOf("WP", "\u00B5r") << QByteArray("0005  1.234      ur   FE  2025-03-01 08:05:09") << 5
        << 1.234 << QStringLiteral("\u00B5r") << "WP" << true << false;
    QTest::newRow("a gauge without dates of its own: the reading's arrival")
        << gaugeOf("XX", "\u00B5m", {'4', 'L', 'E', '2', '+', ' ', '2'}) << FullLine << 1 << 12.5 << um
        << "NF" << false << false;
    QTest::newRow("a date that is none")
        << gaugeOf("ZKB", "\u00B5m") << QByteArray("0006  12.5       ym   FE  2025-02-30 08:05:09") << 6
        << 12.5 << um << "FE" << false << true;
}

void TestRecordLine::rows() {
    QFETCH(GaugeIdentity, gauge);
    QFETCH(QByteArray, line);
    QFETCH(bool, ownDate);
    const QDateTime now(QDate(2026, 12, 10), QTime(6, 7, 8));
    const RecordRow record = recordLineRow(line, gauge, now);
    QTEST(int(record.row.number), "number");
    QTEST(record.row.value, "value");
    QTEST(record.row.unit, "unit");
    QTEST(record.row.material, "material");
    QTEST(record.invalidDate, "invalidDate");
    if (record.invalidDate) {
        QVERIFY(!record.row.timestamp.isValid());
        return;
    }
    const QDateTime stated(QDate(2025, 3, 1), QTime(8, 5, 9));
    QCOMPARE(record.row.timestamp, ownDate ? stated : QDateTime());
    QCOMPARE(record.row.dateText, ownDate ? shortDateText(stated.date()) : QStringLiteral("10.12.2026"));
    QCOMPARE(record.row.timeText, ownDate ? longTimeText(stated.time()) : QStringLiteral("06:07:08"));
}

QTEST_APPLESS_MAIN(TestRecordLine)
#include "tst_recordline.moc"
