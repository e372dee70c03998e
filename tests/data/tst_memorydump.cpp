#include "DumpBuilder.h"
#include "data/LocaleTexts.h"
#include "data/MemoryDump.h"
#include "data/SeriesStatisticsLines.h"

#include <QTest>
#include <limits>

using namespace vexa;
using namespace dumpbuilder;

Q_DECLARE_METATYPE(vexa::MemoryKind)
Q_DECLARE_METATYPE(vexa::SeriesStatisticsLabels)

namespace {

const QString Micrometre = QStringLiteral("\u00B5m");
const QDateTime Christmas(QDate(2025, 12, 24), QTime(10, 15, 30));

DeviceTraits coatingTraits() {
    DeviceTraits traits;
    traits.generation = '5';
    traits.material = '2';
    traits.decimals = '1';
    return traits;
}

MeasureContext coatingGauge() {
    return {QStringLiteral("QY"), QStringLiteral("SM"), coatingTraits()};
}

MeasureContext wlGauge(const QString& mode = QStringLiteral("MF")) {
    return {QStringLiteral("WL"), mode, coatingTraits()};
}

QByteArray dump(const QByteArray& body, const Header& header = Header()) {
    return header.digits() + body;
}

QByteArray repeated(const QByteArray& record, int count) {
    return record.repeated(count);
}

} // namespace

class TestMemoryDump : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void memoryKind_data();
    void memoryKind();
    void measurementRows_data();
    void measurementRows();
    void passedOverRecordsTakeNoRow();
    void materialCodes_data();
    void materialCodes();
    void repeatedMaterial();
    void wlUnitCheck_data();
    void wlUnitCheck();
    void wlSourceUnitAppliesOnce();
    void noMaterialTrait();
    void rowStoreCapacity_data();
    void rowStoreCapacity();
    void emptyMemory_data();
    void emptyMemory();
    void decodingErrorsKeepEarlierRows_data();
    void decodingErrorsKeepEarlierRows();
    void headerErrors_data();
    void headerErrors();
    void singleValueMemory();
    void seriesSamples_data();
    void seriesSamples();
    void seriesStatisticsLines_data();
    void seriesStatisticsLines();
};

void TestMemoryDump::memoryKind_data() {
    QTest::addColumn<QString>("selector");
    QTest::addColumn<MemoryKind>("kind");

    QTest::newRow("m") << "m001                " << MemoryKind::Measurement;
    QTest::newRow("s") << "  s2" << MemoryKind::Single;
    QTest::newRow("t") << "t9" << MemoryKind::Series;
    QTest::newRow("letter in second place") << "Xm01" << MemoryKind::Measurement;
    QTest::newRow("third place does not count") << "ABm" << MemoryKind::None;
    QTest::newRow("upper case does not count") << "M001" << MemoryKind::None;
    QTest::newRow("empty") << "" << MemoryKind::None;
}

void TestMemoryDump::memoryKind() {
    QFETCH(QString, selector);
    QFETCH(MemoryKind, kind);
    QCOMPARE(memoryKindOf(selector), kind);
}

void TestMemoryDump::measurementRows_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("dateText");
    QTest::addColumn<QString>("timeText");

    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "24.12.2025"
                            << "10:15:30";
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << "12/24/2025"
                             << "10:15:30 AM";
}

void TestMemoryDump::measurementRows() {
    QFETCH(QLocale, locale);
    QFETCH(QString, dateText);
    QFETCH(QString, timeText);
    QLocale::setDefault(locale);

    const QByteArray body =
        record(0x00, 123.456f, 5, Christmas) + record(0x01, 99.96f, 6, Christmas.addSecs(61));
    const DecodedMemory memory =
        decodeMemoryDump(dump(body), QStringLiteral(" m001 "), Micrometre, coatingGauge());

    QVERIFY(!memory.error);
    QVERIFY(!memory.empty);
    QCOMPARE(memory.selector, QStringLiteral("m001"));
    QCOMPARE(memory.memoryLabel(), QStringLiteral("(M01)"));
    QCOMPARE(memory.rows.size(), size_t(2));
    const MeasurementRow& first = memory.rows[0];
    QCOMPARE(first.number, qint16(5));
    QCOMPARE(first.value, 123.0);
    QCOMPARE(first.unit, Micrometre);
    QCOMPARE(first.material, QStringLiteral("FE"));
    QCOMPARE(first.mark, QString());
    QCOMPARE(first.timestamp, Christmas);
    QCOMPARE(first.dateText, dateText);
    QCOMPARE(first.timeText, timeText);
    const MeasurementRow& second = memory.rows[1];
    QCOMPARE(second.number, qint16(6));
    QCOMPARE(second.value, 100.0);
    QCOMPARE(second.material, QStringLiteral("NF"));
    QCOMPARE(second.timeText, vexa::longTimeText(QTime(10, 16, 31)));
}

void TestMemoryDump::passedOverRecordsTakeNoRow() {
    const QByteArray body =
        record(0x00, 10, 1) + record(0x80, 20, 2) + record(0x8F, 30, 3) + record(0x00, 40, 4);
    const DecodedMemory memory =
        decodeMemoryDump(dump(body), QStringLiteral("m1"), Micrometre, coatingGauge());
    QCOMPARE(memory.rows.size(), size_t(2));
    QCOMPARE(memory.rows[0].number, qint16(1));
    QCOMPARE(memory.rows[1].number, qint16(4));
    QCOMPARE(memory.rows[1].value, 40.0);
}

void TestMemoryDump::materialCodes_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("material");
    QTest::addColumn<QString>("unit");

    const QStringList names = {"FE", "NF", "DFE", "DNF", "DC", "AC", "PDC", "PAC", "WP", "PWP", "FN"};
    for (int code = 0; code < names.size(); ++code)
        QTest::addRow("code %d", code) << code << names[code] << Micrometre;
    QTest::newRow("repeat as first record") << 0b1011 << "" << Micrometre;
    QTest::newRow("WLX") << 0b1100 << "WLX"
                         << "mVs";
    QTest::newRow("WLN") << 0b1101 << "WLN" << QStringLiteral("\u00B5Vs/n");
    QTest::newRow("WLM") << 0b1110 << "WLM" << QStringLiteral("\u00B5Vs cm");
    QTest::newRow("WLD") << 0b1111 << "WLD"
                         << "A/cm";
    QTest::newRow("bits 6..4 ignored") << 0x71 << "NF" << Micrometre;
}

void TestMemoryDump::materialCodes() {
    QFETCH(int, code);
    QFETCH(QString, material);
    QFETCH(QString, unit);
    const DecodedMemory memory = decodeMemoryDump(dump(record(quint8(code), 12.5f, 1)), QStringLiteral("m1"),
                                                  Micrometre, coatingGauge());
    QCOMPARE(memory.rows.size(), size_t(1));
    QCOMPARE(memory.rows[0].material, material);
    QCOMPARE(memory.rows[0].unit, unit);
    QCOMPARE(memory.rows[0].mark, QString());
}

void TestMemoryDump::repeatedMaterial() {
    const QByteArray body = record(0x02, 1, 1) + record(0x0B, 2, 2) + record(0x80, 3, 3) +
                            record(0x0B, 4, 4) + record(0x0C, 5, 5) + record(0x0B, 6, 6);
    const DecodedMemory memory =
        decodeMemoryDump(dump(body), QStringLiteral("m1"), Micrometre, coatingGauge());
    QStringList materials;
    for (const MeasurementRow& row : memory.rows)
        materials << row.material;
    QCOMPARE(materials, QStringList({"DFE", "DFE", "DFE", "WLX", "WLX"}));
    QCOMPARE(memory.rows.back().unit, Micrometre);
}

void TestMemoryDump::wlUnitCheck_data() {
    QTest::addColumn<QString>("deviceUnit");
    QTest::addColumn<QStringList>("marks");
    QTest::addColumn<QList<double>>("values");

    // Records: WLD 12.5, WLX 12.5, repeat (WLX) 0.
    QTest::newRow("mT wants WLD") << "mT" << QStringList({"", "X", "X"}) << QList<double>({12.5, 0, 0});
    QTest::newRow("mVs wants WLX") << "mVs" << QStringList({"X", "", ""}) << QList<double>({0, 12.5, 0});
    QTest::newRow("uVs is not checked")
        << QStringLiteral("\u00B5Vs") << QStringList({"", "", ""}) << QList<double>({12.5, 12.5, 0});
}

void TestMemoryDump::wlUnitCheck() {
    QFETCH(QString, deviceUnit);
    QFETCH(QStringList, marks);
    QFETCH(QList<double>, values);
    const QByteArray body = record(0x0F, 12.5f, 1) + record(0x0C, 12.5f, 2) + record(0x0B, 0, 3);
    const DecodedMemory memory =
        decodeMemoryDump(dump(body), QStringLiteral("m1"), deviceUnit, wlGauge(QStringLiteral("XX")));
    QCOMPARE(memory.rows.size(), size_t(3));
    for (size_t i = 0; i < memory.rows.size(); ++i) {
        QCOMPARE(memory.rows[i].mark, marks[qsizetype(i)]);
        QCOMPARE(memory.rows[i].value, values[qsizetype(i)]);
        QCOMPARE(memory.rows[i].unit, deviceUnit);
    }
}

void TestMemoryDump::wlSourceUnitAppliesOnce() {
    // A WLX record arrives in mVs and is shown in uVs; the next record sets no source unit, so it is
    // taken as it is.
    const QByteArray body = record(0x0C, 1.5f, 1) + record(0x00, 1.5f, 2);
    const DecodedMemory memory =
        decodeMemoryDump(dump(body), QStringLiteral("m1"), QStringLiteral("\u00B5Vs"), wlGauge());
    QCOMPARE(memory.rows.size(), size_t(2));
    QCOMPARE(memory.rows[0].value, 1500.0);
    QCOMPARE(memory.rows[1].value, 1.5);
}

void TestMemoryDump::noMaterialTrait() {
    MeasureContext context = coatingGauge();
    context.traits.material = '0';
    const QByteArray body = record(0x01, 1, 1) + record(0x0B, 2, 2) + record(0x0E, 3, 3);
    const DecodedMemory memory = decodeMemoryDump(dump(body), QStringLiteral("m1"), Micrometre, context);
    QCOMPARE(memory.rows.size(), size_t(3));
    for (const MeasurementRow& row : memory.rows)
        QCOMPARE(row.material, QString());
}

void TestMemoryDump::rowStoreCapacity_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("truncated");

    const QByteArray taken = record(0x00, 50, 1);
    QTest::newRow("exactly full") << repeated(taken, 5000) << false;
    QTest::newRow("full, then only passed-over records")
        << repeated(taken, 5000) + record(0x80, 1, 2) << false;
    QTest::newRow("one record too many") << repeated(taken, 5001) << true;
}

void TestMemoryDump::rowStoreCapacity() {
    QFETCH(QByteArray, body);
    QFETCH(bool, truncated);
    const DecodedMemory memory =
        decodeMemoryDump(dump(body), QStringLiteral("m1"), Micrometre, coatingGauge());
    QVERIFY(!memory.error);
    QCOMPARE(memory.rows.size(), size_t(RowStore::Capacity));
    QCOMPARE(memory.truncated, truncated);
}

void TestMemoryDump::emptyMemory_data() {
    QTest::addColumn<QByteArray>("dumpText");
    QTest::addColumn<QString>("selector");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("samples");

    const QByteArray header = Header().digits();
    QTest::newRow("nothing") << QByteArray() << "m1" << true << 0 << 0;
    QTest::newRow("shorter than the header") << header.left(319) << "m1" << true << 0 << 0;
    QTest::newRow("header only") << header << "m1" << true << 0 << 0;
    QTest::newRow("m: less than one record") << header + record(0, 1, 1).left(31) << "m1" << true << 0 << 0;
    QTest::newRow("m: trailing piece ignored") << header + record(0, 1, 1) + "0000"
                                               << "m1" << false << 1 << 0;
    QTest::newRow("s: one value is not empty") << header + single(1) << "s1" << false << 1 << 0;
    QTest::newRow("t: three samples are not empty")
        << header + single(1).repeated(3) << "t1" << false << 0 << 3;
    QTest::newRow("t: seven digits are empty") << header + single(1).left(7) << "t1" << true << 0 << 0;
    QTest::newRow("no kind decodes nothing") << header + record(0, 1, 1) << "x1" << false << 0 << 0;
}

void TestMemoryDump::emptyMemory() {
    QFETCH(QByteArray, dumpText);
    QFETCH(QString, selector);
    QFETCH(bool, empty);
    QFETCH(int, rows);
    QFETCH(int, samples);
    const DecodedMemory memory = decodeMemoryDump(dumpText, selector, Micrometre, coatingGauge());
    QVERIFY(!memory.error);
    QCOMPARE(memory.empty, empty);
    QCOMPARE(int(memory.rows.size()), rows);
    QCOMPARE(int(memory.seriesValues.size()), samples);
}

void TestMemoryDump::decodingErrorsKeepEarlierRows_data() {
    QTest::addColumn<QByteArray>("badRecord");
    QTest::addColumn<QString>("selector");
    QTest::addColumn<int>("error");

    QByteArray badFlag = record(0, 1, 2);
    badFlag[3] = 'g';
    QByteArray badValue = record(0, 1, 2);
    badValue[20] = 'x';
    const QDateTime noDate(QDate(2025, 2, 28), QTime(10, 0));
    QByteArray thirtyFirstFebruary = record(0, 1, 2, noDate);
    thirtyFirstFebruary.replace(10, 2, "1f");
    QTest::newRow("flag not hex") << badFlag << "m1" << int(FieldError::InvalidHexDigit);
    QTest::newRow("value not hex") << badValue << "m1" << int(FieldError::InvalidHexDigit);
    QTest::newRow("31 February") << thirtyFirstFebruary << "m1" << int(FieldError::InvalidDate);
    QTest::newRow("number 32768") << record(0, 1, 32768) << "m1" << int(FieldError::NumberOutOfRange);
    QTest::newRow("value not a number")
        << record(0, std::numeric_limits<float>::quiet_NaN(), 2) << "m1" << int(FieldError::NumberOutOfRange);
    QTest::newRow("s: value not hex") << QByteArray("0000zz3f") << "s1" << int(FieldError::InvalidHexDigit);
    QTest::newRow("s: infinite value")
        << single(std::numeric_limits<float>::infinity()) << "s1" << int(FieldError::NumberOutOfRange);
}

void TestMemoryDump::decodingErrorsKeepEarlierRows() {
    QFETCH(QByteArray, badRecord);
    QFETCH(QString, selector);
    QFETCH(int, error);
    const bool measurement = selector.startsWith(u'm');
    const QByteArray good = measurement ? record(0, 7, 1) : single(7);
    const DecodedMemory memory =
        decodeMemoryDump(dump(good + badRecord + good), selector, Micrometre, coatingGauge());
    QVERIFY(memory.error);
    QCOMPARE(int(memory.error->kind), error);
    QVERIFY2(memory.error->text.startsWith(QStringLiteral("Record 2: ")), qPrintable(memory.error->text));
    QCOMPARE(memory.rows.size(), size_t(1));
    QCOMPARE(memory.rows[0].value, 7.0);
}

void TestMemoryDump::headerErrors_data() {
    QTest::addColumn<QString>("selector");
    QTest::addColumn<int>("digitToSpoil"); // 0-based position in the header, -1: the date is 0
    QTest::addColumn<bool>("failed");

    QTest::newRow("name not hex") << "m1" << 20 << true;
    QTest::newRow("count not hex") << "t1" << 257 << true;
    QTest::newRow("statistic not hex") << "t1" << 300 << true;
    QTest::newRow("no date in a measurement memory") << "m1" << -1 << false;
    QTest::newRow("no date in a single-value memory") << "s1" << -1 << true;
}

void TestMemoryDump::headerErrors() {
    QFETCH(QString, selector);
    QFETCH(int, digitToSpoil);
    QFETCH(bool, failed);
    QByteArray header = Header().digits();
    if (digitToSpoil < 0)
        header.replace(244, 12, QByteArray(12, '0'));
    else
        header[digitToSpoil] = 'q';
    const QByteArray body = selector.startsWith(u'm') ? record(0, 1, 1) : single(1);
    const DecodedMemory memory = decodeMemoryDump(header + body, selector, Micrometre, coatingGauge());
    QCOMPARE(bool(memory.error), failed);
    QCOMPARE(memory.rows.size() + memory.seriesValues.size(), size_t(failed ? 0 : 1));
}

void TestMemoryDump::singleValueMemory() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray body = single(254) + single(127) + single(25.4f).left(6);
    const DecodedMemory memory =
        decodeMemoryDump(dump(body), QStringLiteral("s2"), QStringLiteral("mils"), coatingGauge());
    QVERIFY(!memory.error);
    QCOMPARE(memory.kind, MemoryKind::Single);
    QCOMPARE(memory.rows.size(), size_t(2));
    for (int i = 0; i < 2; ++i) {
        const MeasurementRow& row = memory.rows[size_t(i)];
        QCOMPARE(row.number, qint16(i + 1));
        QCOMPARE(row.unit, QStringLiteral("mils"));
        QCOMPARE(row.dateText, QStringLiteral("24.12.2025 10:15:30"));
        QCOMPARE(row.timeText, QStringLiteral(" "));
        QCOMPARE(row.material, QString());
        QVERIFY(!row.timestamp.isValid());
    }
    QCOMPARE(memory.rows[0].value, 10.0);
    QCOMPARE(memory.rows[1].value, 5.0);
}

void TestMemoryDump::seriesSamples_data() {
    QTest::addColumn<int>("recordCount");

    QTest::newRow("count as present") << 3;
    QTest::newRow("count 0") << 0;
    QTest::newRow("count negative") << -1;
    QTest::newRow("count larger than present") << 10;
}

void TestMemoryDump::seriesSamples() {
    QFETCH(int, recordCount);
    Header header;
    header.recordCount = qint16(recordCount);
    header.minimum = 1.255f;
    header.maximum = 30;
    header.mean = 12.345f;
    header.stdDev = 5;
    header.pulseTime = 2.5f;
    const QByteArray body = single(1.25f) + single(12.5f) + single(30);
    const DecodedMemory memory =
        decodeMemoryDump(dump(body, header), QStringLiteral("t9"), QStringLiteral("kA/m"),
                         {QStringLiteral("FX"), QStringLiteral("FM"), coatingTraits()});
    QVERIFY(!memory.error);
    QCOMPARE(memory.header.recordCount, qint16(recordCount));
    QCOMPARE(memory.rows.size(), size_t(0));
    // Samples are converted from A/cm but not rounded.
    QCOMPARE(memory.seriesValues, std::vector<double>({1.25 * 0.1, 12.5 * 0.1, 30 * 0.1}));
    QCOMPARE(memory.seriesStatistics.minimum, 0.13);
    QCOMPARE(memory.seriesStatistics.maximum, 3.0);
    QCOMPARE(memory.seriesStatistics.mean, 1.23);
    QCOMPARE(memory.seriesStatistics.stdDev, 0.5);
    QCOMPARE(memory.seriesStatistics.pulseTime, 2.5);
}

void TestMemoryDump::seriesStatisticsLines_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<SeriesStatisticsLabels>("labels");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("German")
        << QLocale(QLocale::German, QLocale::Germany)
        << SeriesStatisticsLabels{"Anzahl", "Minimum", "Maximum", "Mittel", "Std.Abw.", "Impulszeit"}
        << QStringList({"t9 (M01)", " ", "Anzahl               3", " ", "Minimum           0,13   kA/m",
                        "Maximum          -3,00   kA/m", "Mittel            1,23    kA/m",
                        "Std.Abw.      12345,60    kA/m", "Impulszeit        2,50    ms"});
    QTest::newRow("English")
        << QLocale(QLocale::English, QLocale::UnitedKingdom)
        << SeriesStatisticsLabels{"Count", "Minimum", "Maximum", "Average", "Std.Dev", "pulse time"}
        << QStringList({"t9 (M01)", " ", "Count                3", " ", "Minimum           0.13   kA/m",
                        "Maximum          -3.00   kA/m", "Average           1.23    kA/m",
                        "Std.Dev       12345.60    kA/m", "pulse time        2.50    ms"});
}

void TestMemoryDump::seriesStatisticsLines() {
    QFETCH(QLocale, locale);
    QFETCH(SeriesStatisticsLabels, labels);
    QFETCH(QStringList, lines);
    QLocale::setDefault(locale);
    const SeriesStatistics statistics{0.13, -3, 1.23, 12345.6, 2.5};
    QCOMPARE(vexa::seriesStatisticsLines(QStringLiteral("t9"), QStringLiteral("(M01)"), 3, statistics,
                                         QStringLiteral("kA/m"), labels),
             lines);
}

QTEST_APPLESS_MAIN(TestMemoryDump)
#include "tst_memorydump.moc"
