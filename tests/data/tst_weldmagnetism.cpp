// Residual magnetism before welding: the field's magnitude against a welding process's maximum, in the
// unit the limit is stated in.
#include "RuleFixture.h"

#include <QTest>

using namespace vexa;
using namespace vexa::fixture;

class TestWeldMagnetism : public QObject {
    Q_OBJECT
private slots:
    void maximum_data();
    void maximum();
    void fieldsWithoutFactorAreErrors_data();
    void fieldsWithoutFactorAreErrors();
};

void TestWeldMagnetism::maximum_data() {
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("limit");
    QTest::addColumn<QList<int>>("failing");

    const QString mT = QStringLiteral("mT");
    const QString aPerCm = QStringLiteral("A/cm");
    QTest::newRow("arc welding by default: 2 mT")
        << QStringList{} << QList<double>{1.9, 2.0, -2.0} << mT << 2.0 << QList<int>{};
    QTest::newRow("a negative field counts by its magnitude")
        << QStringList{} << QList<double>{1.0, -2.1, 2.01} << mT << 2.0 << QList<int>{2, 3};
    // 15.9 A/cm are 19.98 G, 16 A/cm 20.11 G with the gauge's factor.
    QTest::newRow("G limit over A/cm readings")
        << QStringList{"unit=G", "max=20"} << QList<double>{15.9, 16, -16, -15.9} << aPerCm << 20.0
        << QList<int>{2, 3};
    QTest::newRow("preset stated in the rule's unit")
        << QStringList{"unit=A/cm", "max=arc"} << QList<double>{15.9, 16} << aPerCm << 15.91550
        << QList<int>{2};
    QTest::newRow("electron-beam welding over G readings")
        << QStringList{"max=electron-beam"} << QList<double>{2.5, -2.6} << QStringLiteral("G") << 0.25
        << QList<int>{2};
    QTest::newRow("filler wire") << QStringList{"unit=kA/m", "max=filler-wire"} << QList<double>{0.79, 0.8}
                                 << "kA/m" << 0.795775 << QList<int>{2};
    QTest::newRow("a maximum of its own")
        << QStringList{"max=1.5"} << QList<double>{1.5, 1.6} << mT << 1.5 << QList<int>{2};
}

void TestWeldMagnetism::maximum() {
    QFETCH(QStringList, parameters);
    QFETCH(QList<double>, values);
    QFETCH(QString, unit);
    QFETCH(double, limit);
    QFETCH(QList<int>, failing);

    const RuleResult result = evaluated(weldMagnetismRule(), parameters, ruleRows(values, unit));
    const CriterionResult c = criterion(result, "(a)");
    QCOMPARE(c.figures.limit.value(), limit);
    QCOMPARE(failingRows(c), failing);
    QCOMPARE(result.verdict, failing.isEmpty() ? RuleVerdict::Passed : RuleVerdict::Failed);
}

void TestWeldMagnetism::fieldsWithoutFactorAreErrors_data() {
    QTest::addColumn<QString>("ruleUnit");
    QTest::addColumn<QString>("readingUnit");

    QTest::newRow("Oe, which the gauge only converts into") << "mT"
                                                            << "Oe";
    QTest::newRow("a coating thickness") << "G"
                                         << "µm";
    QTest::newRow("no unit") << "mT"
                             << " ";
}

void TestWeldMagnetism::fieldsWithoutFactorAreErrors() {
    QFETCH(QString, ruleUnit);
    QFETCH(QString, readingUnit);

    const RuleDefinition& rule = weldMagnetismRule();
    const auto result =
        evaluateRule(rule, ruleParameters(rule, {"unit=" + ruleUnit}), ruleRows({1.0, 1.0}, readingUnit, 4));
    QCOMPARE(std::get<UnitError>(result), (UnitError{readingUnit, ruleUnit, 4}));
}

QTEST_APPLESS_MAIN(TestWeldMagnetism)
#include "tst_weldmagnetism.moc"
