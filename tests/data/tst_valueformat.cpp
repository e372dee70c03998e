#include "data/ValueFormat.h"

#include <QTest>

using namespace vexa;

namespace {

DeviceTraits traitsOf(char generation, char decimals) {
    DeviceTraits traits;
    traits.generation = generation;
    traits.decimals = decimals;
    return traits;
}

} // namespace

class TestValueFormat : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void roundHalfEven_data();
    void roundHalfEven();
    void roundTo_data();
    void roundTo();
    void formatMeasurement_data();
    void formatMeasurement();
    void formatUsesLocaleSeparator_data();
    void formatUsesLocaleSeparator();
};

void TestValueFormat::roundHalfEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");

    QTest::newRow("2.5 to even") << 2.5 << 0 << 2.0;
    QTest::newRow("3.5 to even") << 3.5 << 0 << 4.0;
    QTest::newRow("-2.5 to even") << -2.5 << 0 << -2.0;
    QTest::newRow("0.125 exact tie") << 0.125 << 2 << 0.12;
    QTest::newRow("0.375 exact tie") << 0.375 << 2 << 0.38;
    QTest::newRow("1.005 is below the tie") << 1.005 << 2 << 1.0;
    QTest::newRow("2.675 is below the tie") << 2.675 << 2 << 2.67;
    QTest::newRow("0.285 is below the tie") << 0.285 << 2 << 0.28;
    QTest::newRow("2.345 is above the tie") << 2.345 << 2 << 2.35;
    QTest::newRow("123.456 to 0") << 123.456 << 0 << 123.0;
    QTest::newRow("negative zero") << -0.001 << 2 << 0.0;
    QTest::newRow("huge stays") << 1e300 << 3 << 1e300;
    QTest::newRow("negative decimals unchanged") << 1.55 << -1 << 1.55;
}

void TestValueFormat::roundHalfEven() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(double, expected);
    const double rounded = vexa::roundHalfEven(value, decimals);
    QCOMPARE(rounded, expected);
    QVERIFY(!std::signbit(rounded) || rounded != 0);
}

void TestValueFormat::roundTo_data() {
    QTest::addColumn<QString>("decimals");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("expected");

    QTest::newRow("two") << "2" << true << 1.24;
    QTest::newRow("blanks around") << " 1 " << true << 1.2;
    QTest::newRow("not a number") << "x" << false << 0.0;
    QTest::newRow("negative") << "-1" << false << 0.0;
}

void TestValueFormat::roundTo() {
    QFETCH(QString, decimals);
    QFETCH(bool, ok);
    QFETCH(double, expected);
    const std::optional<double> rounded = vexa::roundTo(1.2351, decimals);
    QCOMPARE(rounded.has_value(), ok);
    if (ok)
        QCOMPARE(*rounded, expected);
}

void TestValueFormat::formatMeasurement_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("model");
    QTest::addColumn<char>("generation");
    QTest::addColumn<char>("decimals");
    QTest::addColumn<double>("rounded");
    QTest::addColumn<QString>("text");

    const QString um = QStringLiteral("\u00B5m");
    // Decimals given as text.
    QTest::newRow("2.5 with 0 decimals") << 2.5 << "0"
                                         << "QY" << '5' << '2' << 2.0 << "          2";
    QTest::newRow("decimals 3") << 1.23456 << " 3 "
                                << "QY" << '5' << '2' << 1.235 << "      1.235";
    QTest::newRow("decimals 5") << 1.234567 << "5"
                                << "QY" << '5' << '2' << 1.23457 << "    1.23457";
    QTest::newRow("Stat with trait 3") << 1.23456 << "Stat"
                                       << "QY" << '5' << '3' << 1.235 << "      1.235";
    QTest::newRow("Stat with trait 1") << 1.23456 << "Stat"
                                       << "QY" << '5' << '1' << 1.23 << "       1.23";
    // Coating thickness: the sign counts.
    QTest::newRow("um 123.456") << 123.456 << um << "QY" << '5' << '2' << 123.0 << "        123";
    QTest::newRow("um 99.96 rounds across 100")
        << 99.96 << um << "QY" << '5' << '2' << 100.0 << "        100";
    QTest::newRow("um -250.44 keeps a decimal")
        << -250.44 << um << "QY" << '5' << '2' << -250.4 << "     -250.4";
    QTest::newRow("um -0.04 is zero") << -0.04 << um << "QY" << '5' << '2' << 0.0 << "        0.0";
    QTest::newRow("ym like um") << 12.34 << "ym"
                                << "QY" << '5' << '2' << 12.3 << "       12.3";
    // Flux density by generation and model.
    QTest::newRow("mT 9.996 gen 4") << 9.996 << "mT"
                                    << "KR4" << '4' << '2' << 10.0 << "       10.0";
    QTest::newRow("mT 9.996 gen 5") << 9.996 << "mT"
                                    << "QY" << '5' << '2' << 10.0 << "      10.00";
    QTest::newRow("mT 12345.6 gen 5") << 12345.6 << "mT"
                                      << "QY" << '5' << '2' << 12346.0 << "      12346";
    QTest::newRow("mT 99.9996 WL") << 99.9996 << "mT"
                                   << "WL" << '5' << '2' << 100.0 << "     100.00";
    QTest::newRow("mT -1234.56 gen 4") << -1234.56 << "mT"
                                       << "KR4" << '4' << '2' << -1235.0 << "      -1235";
    QTest::newRow("A/cm gen 4") << 123.45 << "A/cm"
                                << "KR4" << '4' << '2' << 123.0 << "        123";
    QTest::newRow("Oe gen 5") << 123.45 << "Oe"
                              << "QY" << '5' << '2' << 123.5 << "      123.5";
    QTest::newRow("G gen 5 large") << 1234.5 << "G"
                                   << "QY" << '5' << '2' << 1234.0 << "       1234";
    QTest::newRow("A/cm on WL") << 123.4567 << "A/cm"
                                << "WL" << '5' << '3' << 123.46 << "     123.46";
    QTest::newRow("A/cm on WL large") << 1234.56 << "A/cm"
                                      << "WL" << '5' << '3' << 1234.6 << "     1234.6";
    QTest::newRow("kA/m gen 4") << 12.345 << "kA/m"
                                << "KR4" << '4' << '2' << 12.3 << "       12.3";
    QTest::newRow("kA/m gen 5") << 12.345 << "kA/m"
                                << "QY" << '5' << '2' << 12.35 << "      12.35";
    QTest::newRow("mils gen 4") << 12.345 << "mils"
                                << "KR4" << '4' << '2' << 12.3 << "       12.3";
    QTest::newRow("mils gen 5") << 12.345 << "mils"
                                << "QY" << '5' << '2' << 12.35 << "      12.35";
    QTest::newRow("ur small") << 1.23456 << QStringLiteral("\u00B5r") << "QY" << '5' << '2' << 1.235
                              << "      1.235";
    QTest::newRow("FN") << 12.345 << "FN"
                        << "QY" << '5' << '2' << 12.3 << "       12.3";
    QTest::newRow("Fe%") << 1.2345 << "Fe%"
                         << "QY" << '5' << '2' << 1.23 << "       1.23";
    QTest::newRow("uVs on WL") << 1.23456 << QStringLiteral("\u00B5Vs") << "WL" << '5' << '2' << 1.235
                               << "      1.235";
    // Units without a rule of their own follow the decimals trait.
    QTest::newRow("kG follows trait 1") << 1.25 << "kG"
                                        << "QY" << '5' << '1' << 1.2 << "        1.2";
    QTest::newRow("T follows trait 3") << 1.23456 << "T"
                                       << "QY" << '5' << '3' << 1.235 << "      1.235";
    QTest::newRow("uVs off WL follows trait")
        << 1.23456 << QStringLiteral("\u00B5Vs") << "QY" << '5' << '2' << 1.23 << "       1.23";
    QTest::newRow("no traits yet gives 2") << 1.25 << "%"
                                           << "" << char(0) << char(0) << 1.25 << "       1.25";
    QTest::newRow("wide value stays whole") << 123456789012.0 << "0"
                                            << "QY" << '5' << '2' << 123456789012.0 << "123456789012";
}

void TestValueFormat::formatMeasurement() {
    QFETCH(double, value);
    QFETCH(QString, unit);
    QFETCH(QString, model);
    QFETCH(char, generation);
    QFETCH(char, decimals);
    QFETCH(double, rounded);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const MeasureContext context{model, QStringLiteral("SM"), traitsOf(generation, decimals)};
    const FormattedMeasurement formatted = vexa::formatMeasurement(value, unit, context);
    QCOMPARE(formatted.value, rounded);
    QCOMPARE(formatted.text, text);
    QCOMPARE(vexa::roundMeasurement(value, unit, context).value, rounded);
}

void TestValueFormat::formatUsesLocaleSeparator_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("German comma, no grouping")
        << QLocale(QLocale::German, QLocale::Germany) << 12345.25 << "   12345,25";
    QTest::newRow("English point, no grouping")
        << QLocale(QLocale::English, QLocale::UnitedKingdom) << 12345.25 << "   12345.25";
    QTest::newRow("German negative zero")
        << QLocale(QLocale::German, QLocale::Germany) << -0.001 << "       0,00";
}

void TestValueFormat::formatUsesLocaleSeparator() {
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    QLocale::setDefault(locale);
    const MeasureContext context{QStringLiteral("QY"), QStringLiteral("SM"), traitsOf('5', '2')};
    QCOMPARE(vexa::formatMeasurement(value, QStringLiteral("2"), context).text, text);
    QCOMPARE(vexa::fixedText(value, 2), text.trimmed());
}

QTEST_APPLESS_MAIN(TestValueFormat)
#include "tst_valueformat.moc"
