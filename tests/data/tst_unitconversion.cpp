// Unit-to-unit conversion for the inspection rules: the gauge's factors, millimetres, and no factor for
// a pair without one.
#include "data/UnitConversion.h"

#include <QTest>

using namespace vexa;

Q_DECLARE_METATYPE(std::optional<double>)

class TestUnitConversion : public QObject {
    Q_OBJECT
private slots:
    void convertUnit_data();
    void convertUnit();
};

void TestUnitConversion::convertUnit_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<std::optional<double>>("expected");

    const QString um = QStringLiteral("µm");
    const std::optional<double> none;
    QTest::newRow("µm to mils") << 254.0 << um << "mils" << std::optional(10.0);
    QTest::newRow("mils to µm") << 10.0 << "mils" << um << std::optional(254.0);
    QTest::newRow("µm to mm") << 1500.0 << um << "mm" << std::optional(1.5);
    QTest::newRow("mm to µm") << 0.125 << "mm" << um << std::optional(125.0);
    QTest::newRow("mils to mm") << 10.0 << "mils"
                                << "mm" << std::optional(0.254);
    QTest::newRow("mm to mils") << 0.254 << "mm"
                                << "mils" << std::optional(10.0);
    QTest::newRow("A/cm to G, the gauge's factor") << 16.0 << "A/cm"
                                                   << "G" << std::optional(20.10624);
    QTest::newRow("G to mT") << 20.0 << "G"
                             << "mT" << std::optional(2.0);
    QTest::newRow("kA/m to A/cm") << 1.6 << "kA/m"
                                  << "A/cm" << std::optional(16.0);
    QTest::newRow("same unit, blanks aside") << 12.5 << " mT"
                                             << "mT " << std::optional(12.5);
    QTest::newRow("a sign stays") << -16.0 << "A/cm"
                                  << "mT" << std::optional(-2.0106144);
    QTest::newRow("Oe is a target only") << 20.0 << "Oe"
                                         << "G" << none;
    QTest::newRow("thickness to field") << 100.0 << um << "A/cm" << none;
    QTest::newRow("ferrite content to thickness") << 10.0 << "FN" << um << none;
    QTest::newRow("no unit") << 10.0 << " " << um << none;
    QTest::newRow("unit case matters") << 10.0 << "MILS" << um << none;
}

void TestUnitConversion::convertUnit() {
    QFETCH(double, value);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(std::optional<double>, expected);

    const std::optional<double> converted = vexa::convertUnit(value, from, to);
    QCOMPARE(converted.has_value(), expected.has_value());
    if (expected)
        QCOMPARE(*converted, *expected);
}

QTEST_APPLESS_MAIN(TestUnitConversion)
#include "tst_unitconversion.moc"
