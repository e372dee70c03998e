#include "data/GaugeDates.h"
#include "data/HexFields.h"

#include <QTest>

using namespace vexa;

Q_DECLARE_METATYPE(vexa::HexKind)
Q_DECLARE_METATYPE(vexa::FieldError)

namespace {

// -1 stands for "no failure expected".
constexpr int Succeeds = -1;

int outcome(FieldError error) {
    return static_cast<int>(error);
}

} // namespace

class TestGaugeFields : public QObject {
    Q_OBJECT

private slots:
    void hexToNumber_data();
    void hexToNumber();
    void hexToLong_data();
    void hexToLong();
    void hexToBits_data();
    void hexToBits();
    void splitFlagBits_data();
    void splitFlagBits();
    void hexToText_data();
    void hexToText();
    void hexToTimestamp_data();
    void hexToTimestamp();
    void isoTextToTimestamp_data();
    void isoTextToTimestamp();
    void deviceTimeText_data();
    void deviceTimeText();
};

void TestGaugeFields::hexToNumber_data() {
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<HexKind>("kind");
    QTest::addColumn<int>("error");
    QTest::addColumn<double>("expected");

    QTest::newRow("single 1.0") << QByteArray("0000803f") << HexKind::SingleBits << Succeeds << 1.0;
    QTest::newRow("single upper case -2.5")
        << QByteArray("000020C0") << HexKind::SingleBits << Succeeds << -2.5;
    QTest::newRow("int16 number 5") << QByteArray("05000000") << HexKind::Int16 << Succeeds << 5.0;
    QTest::newRow("int16 -1") << QByteArray("ffff") << HexKind::Int16 << Succeeds << -1.0;
    QTest::newRow("int16 32767") << QByteArray("ff7f0000") << HexKind::Int16 << Succeeds << 32767.0;
    QTest::newRow("int16 overflow 32768")
        << QByteArray("00800000") << HexKind::Int16 << outcome(FieldError::NumberOutOfRange) << 0.0;
    QTest::newRow("int16 -32768 from 32 bits")
        << QByteArray("0080ffff") << HexKind::Int16 << Succeeds << -32768.0;
    QTest::newRow("double of 32 bits") << QByteArray("a0860100") << HexKind::Double << Succeeds << 100000.0;
    QTest::newRow("odd length reads c then ab")
        << QByteArray("abc") << HexKind::Double << Succeeds << double(0xcab);
    QTest::newRow("one digit") << QByteArray("7") << HexKind::Double << Succeeds << 7.0;
    QTest::newRow("empty is zero") << QByteArray() << HexKind::Double << Succeeds << 0.0;
    QTest::newRow("not hex") << QByteArray("00g0") << HexKind::Int16 << outcome(FieldError::InvalidHexDigit)
                             << 0.0;
    QTest::newRow("too many digits") << QByteArray("0102030405") << HexKind::Double
                                     << outcome(FieldError::NumberOutOfRange) << 0.0;
}

void TestGaugeFields::hexToNumber() {
    QFETCH(QByteArray, digits);
    QFETCH(HexKind, kind);
    QFETCH(int, error);
    QFETCH(double, expected);
    const Parsed<double> parsed = vexa::hexToNumber(digits, kind);
    QCOMPARE(parsed.ok(), error == Succeeds);
    if (parsed)
        QCOMPARE(*parsed, expected);
    else
        QCOMPARE(outcome(parsed.error()), error);
}

void TestGaugeFields::hexToLong_data() {
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("expected");

    QTest::newRow("ffff is -1") << QByteArray("ffff") << Succeeds << -1;
    QTest::newRow("ffff0000 is 65535") << QByteArray("ffff0000") << Succeeds << 65535;
    QTest::newRow("ffffffff is -1") << QByteArray("ffffffff") << Succeeds << -1;
    QTest::newRow("bytes reversed") << QByteArray("3412") << Succeeds << 0x1234;
    QTest::newRow("not hex") << QByteArray("12 4") << outcome(FieldError::InvalidHexDigit) << 0;
}

void TestGaugeFields::hexToLong() {
    QFETCH(QByteArray, digits);
    QFETCH(int, error);
    QFETCH(int, expected);
    const Parsed<qint32> parsed = vexa::hexToLong(digits);
    QCOMPARE(parsed.ok(), error == Succeeds);
    if (parsed)
        QCOMPARE(*parsed, expected);
    else
        QCOMPARE(outcome(parsed.error()), error);
}

void TestGaugeFields::hexToBits_data() {
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0c") << QByteArray("0c") << "00001100";
    QTest::newRow("upper case") << QByteArray("F1") << "11110001";
    QTest::newRow("non-hex skipped") << QByteArray("8-x0") << "10000000";
}

void TestGaugeFields::hexToBits() {
    QFETCH(QByteArray, digits);
    QFETCH(QString, expected);
    QCOMPARE(vexa::hexToBits(digits), expected);
}

void TestGaugeFields::splitFlagBits_data() {
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("passOver");
    QTest::addColumn<int>("unused");
    QTest::addColumn<int>("material");

    QTest::newRow("taken, material 12") << QByteArray("0c") << true << false << 0 << 12;
    QTest::newRow("passed over") << QByteArray("80") << true << true << 0 << 0;
    QTest::newRow("middle bits") << QByteArray("7b") << true << false << 7 << 11;
    QTest::newRow("not hex") << QByteArray("0z") << false << false << 0 << 0;
    QTest::newRow("one digit") << QByteArray("0") << false << false << 0 << 0;
}

void TestGaugeFields::splitFlagBits() {
    QFETCH(QByteArray, digits);
    QFETCH(bool, ok);
    QFETCH(bool, passOver);
    QFETCH(int, unused);
    QFETCH(int, material);
    const Parsed<FlagBits> flags = vexa::splitFlagBits(digits);
    QCOMPARE(flags.ok(), ok);
    if (ok)
        QCOMPARE(*flags, (FlagBits{passOver, quint8(unused), quint8(material)}));
}

void TestGaugeFields::hexToText_data() {
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero bytes dropped") << QByteArray("4d3031000000") << true << "M01";
    QTest::newRow("blanks kept") << QByteArray("2041") << true << " A";
    QTest::newRow("latin-1") << QByteArray("e4") << true << QStringLiteral("\u00E4");
    QTest::newRow("pairs in stored order") << QByteArray("4142") << true << "AB";
    QTest::newRow("odd count: first digit alone")
        << QByteArray("94142") << true << QStringLiteral("\u0009AB");
    QTest::newRow("not hex") << QByteArray("41zz") << false << "";
}

void TestGaugeFields::hexToText() {
    QFETCH(QByteArray, digits);
    QFETCH(bool, ok);
    QFETCH(QString, expected);
    const Parsed<QString> text = vexa::hexToText(digits);
    QCOMPARE(text.ok(), ok);
    if (ok)
        QCOMPARE(*text, expected);
}

void TestGaugeFields::hexToTimestamp_data() {
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<int>("error");
    QTest::addColumn<QDateTime>("expected");

    QTest::newRow("2025-12-24 10:15:30")
        << QByteArray("1e0f0a180c19") << Succeeds << QDateTime(QDate(2025, 12, 24), QTime(10, 15, 30));
    QTest::newRow("year byte 5 is 2005")
        << QByteArray("000000010105") << Succeeds << QDateTime(QDate(2005, 1, 1), QTime(0, 0));
    QTest::newRow("month 13") << QByteArray("0000000a0d19") << outcome(FieldError::InvalidDate)
                              << QDateTime();
    QTest::newRow("31 February") << QByteArray("0000001f0219") << outcome(FieldError::InvalidDate)
                                 << QDateTime();
    QTest::newRow("hour 24") << QByteArray("000018010119") << outcome(FieldError::InvalidDate) << QDateTime();
    QTest::newRow("all zero") << QByteArray("000000000000") << outcome(FieldError::InvalidDate)
                              << QDateTime();
    QTest::newRow("year byte 100") << QByteArray("000000010164") << outcome(FieldError::InvalidDate)
                                   << QDateTime();
    QTest::newRow("too short") << QByteArray("1e0f0a180c") << outcome(FieldError::InvalidHexDigit)
                               << QDateTime();
    QTest::newRow("not hex") << QByteArray("1e0f0a18xc19") << outcome(FieldError::InvalidHexDigit)
                             << QDateTime();
}

void TestGaugeFields::hexToTimestamp() {
    QFETCH(QByteArray, digits);
    QFETCH(int, error);
    QFETCH(QDateTime, expected);
    const Parsed<QDateTime> parsed = vexa::hexToTimestamp(digits);
    QCOMPARE(parsed.ok(), error == Succeeds);
    if (parsed)
        QCOMPARE(*parsed, expected);
    else
        QCOMPARE(outcome(parsed.error()), error);
}

void TestGaugeFields::isoTextToTimestamp_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QDateTime>("expected");

    QTest::newRow("full") << "2025-12-24 10:15:30" << true
                          << QDateTime(QDate(2025, 12, 24), QTime(10, 15, 30));
    QTest::newRow("other separators")
        << "2025/01/02T03.04.05" << true << QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5));
    QTest::newRow("empty is no timestamp") << "" << true << QDateTime();
    QTest::newRow("cut short") << "2025-12-24 10:15" << false << QDateTime();
    QTest::newRow("no year") << "abcd-12-24 10:15:30" << false << QDateTime();
    QTest::newRow("30 February") << "2024-02-30 10:15:30" << false << QDateTime();
    QTest::newRow("minute 60") << "2024-02-03 10:60:30" << false << QDateTime();
}

void TestGaugeFields::isoTextToTimestamp() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QDateTime, expected);
    const Parsed<QDateTime> parsed = vexa::isoTextToTimestamp(text);
    QCOMPARE(parsed.ok(), ok);
    if (ok)
        QCOMPARE(*parsed, expected);
    else
        QCOMPARE(parsed.error(), FieldError::InvalidDate);
}

void TestGaugeFields::deviceTimeText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("full") << "24.12.2025 10:15:30"
                          << "2025-12-24/10:15:30";
    QTest::newRow("parts copied unchanged") << "a1.b2.cccc d3:e4:f5"
                                            << "cccc-b2-a1/d3:e4:f5";
    QTest::newRow("short text") << "24.12.2025"
                                << "2025-12-24/::";
    QTest::newRow("empty") << ""
                           << "--/::";
}

void TestGaugeFields::deviceTimeText() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(vexa::deviceTimeText(text), expected);
}

QTEST_APPLESS_MAIN(TestGaugeFields)
#include "tst_gaugefields.moc"
