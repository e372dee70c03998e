// The 90/10 rule on the worked examples with a nominal thickness of 320 µm.
#include "RuleFixture.h"

#include <QTest>

using namespace vexa;
using namespace vexa::fixture;

class TestPspc9010 : public QObject {
    Q_OBJECT
private slots:
    void criteria_data();
    void criteria();
    void progress_data();
    void progress();
};

void TestPspc9010::criteria_data() {
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<bool>("shareHolds");       // (a)
    QTest::addColumn<QList<int>>("lowRows");    // (a)'s failing rows
    QTest::addColumn<QList<int>>("tooLowRows"); // (b)'s failing rows
    QTest::addColumn<int>("verdict");

    const QList<double> nineAt320 = repeated(320, 9);
    QTest::newRow("two of ten below 320: only 80 % at NDFT")
        << QStringList{} << repeated(320, 8) + QList<double>{310, 300} << false << QList<int>{9, 10}
        << QList<int>{} << int(RuleVerdict::Failed);
    QTest::newRow("nine at 320, one at 288") << QStringList{} << nineAt320 + QList<double>{288} << true
                                             << QList<int>{} << QList<int>{} << int(RuleVerdict::Passed);
    QTest::newRow("nine at 320, one at 287: below 90 % of NDFT")
        << QStringList{} << nineAt320 + QList<double>{287} << true << QList<int>{} << QList<int>{10}
        << int(RuleVerdict::Failed);
    QTest::newRow("two of twenty below: exactly 10 %")
        << QStringList{} << repeated(320, 18) + QList<double>{300, 319.9} << true << QList<int>{}
        << QList<int>{} << int(RuleVerdict::Passed);
    QTest::newRow("NDFT entered") << QStringList{"ndft=250"}
                                  << QList<double>{250, 224.9, 250, 250, 250, 250, 250, 250, 250, 250} << true
                                  << QList<int>{} << QList<int>{2} << int(RuleVerdict::Failed);
    // 12.6 mils are 320.04 µm.
    QTest::newRow("mils rule over µm readings")
        << QStringList{"unit=mils", "ndft=12.6"} << nineAt320 + QList<double>{320.04} << false
        << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9} << QList<int>{} << int(RuleVerdict::Failed);
}

void TestPspc9010::criteria() {
    QFETCH(QStringList, parameters);
    QFETCH(QList<double>, values);
    QFETCH(bool, shareHolds);
    QFETCH(QList<int>, lowRows);
    QFETCH(QList<int>, tooLowRows);
    QFETCH(int, verdict);

    const RuleResult result = evaluated(pspc9010Rule(), parameters, ruleRows(values));
    QCOMPARE(criterion(result, "(a)").passed, shareHolds);
    QCOMPARE(failingRows(criterion(result, "(a)")), lowRows);
    QCOMPARE(failingRows(criterion(result, "(b)")), tooLowRows);
    QCOMPARE(criterion(result, "(b)").passed, tooLowRows.isEmpty());
    QCOMPARE(int(result.verdict), verdict);
}

void TestPspc9010::progress_data() {
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<int>("below");
    QTest::addColumn<int>("furtherLowToFail");

    QTest::newRow("none yet") << QList<double>{} << 0 << 1;
    QTest::newRow("one of ten below: the next low one fails")
        << repeated(320, 9) + QList<double>{300} << 1 << 1;
    QTest::newRow("nine at NDFT") << repeated(320, 9) << 0 << 2;
    QTest::newRow("past 10 % already") << QList<double>{320, 300, 320} << 1 << 0;
}

void TestPspc9010::progress() {
    QFETCH(QList<double>, values);
    QFETCH(int, below);
    QFETCH(int, furtherLowToFail);

    const auto progress = std::get<OnlineProgress>(
        onlineProgress(pspc9010Rule(), ruleParameters(pspc9010Rule(), {}), ruleRows(values)));
    QCOMPARE(progress.readings, int(values.size()));
    QCOMPARE(progress.belowNominal, std::optional(below));
    QCOMPARE(progress.furtherLowToFail, std::optional(furtherLowToFail));
    QVERIFY(!progress.required);
}

QTEST_APPLESS_MAIN(TestPspc9010)
#include "tst_pspc9010.moc"
