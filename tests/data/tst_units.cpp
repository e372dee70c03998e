#include "data/Units.h"

#include <QTest>

using namespace vexa;

class TestUnits : public QObject {
    Q_OBJECT

private slots:
    void normalizeUnit_data();
    void normalizeUnit();
    void convertToDeviceUnit_data();
    void convertToDeviceUnit();
};

void TestUnits::normalizeUnit_data() {
    QTest::addColumn<QString>("reported");
    QTest::addColumn<QString>("variant");
    QTest::addColumn<QString>("expected");

    QTest::newRow("metric on single-mode gauge") << " metric "
                                                 << "1" << QStringLiteral("\u00B5m");
    QTest::newRow("imperial on single-mode gauge") << "imperial"
                                                   << "13"
                                                   << "mils";
    QTest::newRow("metric on dual gauge stays, blanks too") << " metric "
                                                            << "3"
                                                            << " metric ";
    QTest::newRow("metric without variant") << "metric"
                                            << ""
                                            << "metric";
    QTest::newRow("ym") << "ym"
                        << "" << QStringLiteral("\u00B5m");
    QTest::newRow("mu trimmed") << " mu "
                                << "" << QStringLiteral("\u00B5m");
    QTest::newRow("ur") << "ur"
                        << "" << QStringLiteral("\u00B5r");
    QTest::newRow("uVsm") << "uVsm"
                          << "" << QStringLiteral("\u00B5Vs\u00B7cm");
    QTest::newRow("uVsn") << "uVsn"
                          << "" << QStringLiteral("\u00B5Vs/n");
    QTest::newRow("utf-8 mu Vs middle dot cm") << QString::fromLatin1("\xCE\xBCVs\xC2\xB7"
                                                                      "cm")
                                               << "" << QStringLiteral("\u00B5Vs\u00B7cm");
    QTest::newRow("utf-8 mu Wb/cm") << QString::fromLatin1("\xCE\xBCWb/cm") << ""
                                    << QStringLiteral("\u00B5Wb\u00B7cm");
    QTest::newRow("mWb cm") << "mWb cm"
                            << "" << QStringLiteral("mWb\u00B7cm");
    QTest::newRow("uWb cm") << "uWb cm"
                            << "" << QStringLiteral("\u00B5Wb\u00B7cm");
    QTest::newRow("mVs unchanged") << "mVs"
                                   << ""
                                   << "mVs";
    QTest::newRow("case matters") << "YM"
                                  << ""
                                  << "YM";
}

void TestUnits::normalizeUnit() {
    QFETCH(QString, reported);
    QFETCH(QString, variant);
    QFETCH(QString, expected);
    QCOMPARE(vexa::normalizeUnit(reported, variant), expected);
}

void TestUnits::convertToDeviceUnit_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("sourceBefore");
    QTest::addColumn<QString>("target");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::addColumn<QString>("sourceAfter");

    const QString um = QStringLiteral("\u00B5m");
    QTest::newRow("SM to mils") << "SM"
                                << ""
                                << "mils" << 254.0 << 10.0 << "";
    QTest::newRow("SM to um unchanged") << "SM"
                                        << "" << um << 254.0 << 254.0 << "";
    QTest::newRow("FM to kA/m") << "FM"
                                << ""
                                << "kA/m" << 12.3 << 12.3 * 0.1 << "";
    QTest::newRow("FM to Oe") << "FM"
                              << ""
                              << "Oe" << 12.3 << 12.3 * 1.25664 << "";
    QTest::newRow("FM to mT") << "FM"
                              << ""
                              << "mT" << 10.0 << 1.256634 << "";
    QTest::newRow("FM to unit without factor") << "FM"
                                               << ""
                                               << "xyz" << 7.0 << 7.0 << "";
    QTest::newRow("VD to %") << "VD"
                             << ""
                             << "%" << 1.4 << 1.4 / 1.4 << "";
    QTest::newRow("PM to same unit") << "PM"
                                     << "" << QStringLiteral("\u00B5r") << 3.0 << 3.0 << "";
    QTest::newRow("MF mVs to uWb empties source")
        << "MF"
        << "mVs" << QStringLiteral("\u00B5Wb") << 1.5 << 1500.0 << "";
    QTest::newRow("MF uVs/n to mWb/n")
        << "MF" << QStringLiteral("\u00B5Vs/n") << "mWb/n" << 2000.0 << 2.0 << "";
    QTest::newRow("MF same unit keeps source") << "MF"
                                               << "mVs"
                                               << " mVs" << 1.5 << 1.5 << "mVs";
    QTest::newRow("MF without source") << "MF"
                                       << ""
                                       << "mVs" << 1.5 << 1.5 << "";
    QTest::newRow("MF pair without factor empties source") << "MF"
                                                           << "A/cm"
                                                           << "mVs" << 4.0 << 4.0 << "";
    QTest::newRow("unknown mode") << "XX"
                                  << "mVs"
                                  << "mils" << 254.0 << 254.0 << "mVs";
}

void TestUnits::convertToDeviceUnit() {
    QFETCH(QString, mode);
    QFETCH(QString, sourceBefore);
    QFETCH(QString, target);
    QFETCH(double, value);
    QFETCH(double, expected);
    QFETCH(QString, sourceAfter);
    QString source = sourceBefore;
    QCOMPARE(vexa::convertToDeviceUnit(value, target, mode, source), expected);
    QCOMPARE(source, sourceAfter);
}

QTEST_APPLESS_MAIN(TestUnits)
#include "tst_units.moc"
