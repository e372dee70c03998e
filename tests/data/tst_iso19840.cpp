// ISO 19840's criteria at their boundaries, and the online summary against the criteria it predicts.
#include "RuleFixture.h"

#include <QTest>

using namespace vexa;
using namespace vexa::fixture;

namespace {

const QString Um = QStringLiteral("µm");
const QString Mils = QStringLiteral("mils");

} // namespace

Q_DECLARE_METATYPE(vexa::OnlineProgress)

class TestIso19840 : public QObject {
    Q_OBJECT
private slots:
    void criteria_data();
    void criteria();
    void requiredReadings_data();
    void requiredReadings();
    void verdictAndNotes_data();
    void verdictAndNotes();
    void progress_data();
    void progress();
    void progressPredictsBandCriterion_data();
    void progressPredictsBandCriterion();
    void unknownUnitIsAnError();
};

void TestIso19840::criteria_data() {
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("passed");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("failing");

    const QStringList nominal100{"ndft=100"};
    QTest::newRow("(a) mean above NDFT")
        << nominal100 << QList<double>{100, 110, 95} << Um << "(a)" << true << 0 << QList<int>{};
    QTest::newRow("(a) mean below NDFT")
        << nominal100 << QList<double>{99, 100, 100, 100, 100} << Um << "(a)" << false << 0 << QList<int>{};
    // 45.8 + 45.4 + 3 × 45.6 divided by 5 is 45.599999999999994 in binary.
    QTest::newRow("(a) mean exactly NDFT")
        << QStringList{"ndft=45.6"} << QList<double>{45.8, 45.4, 45.6, 45.6, 45.6} << Um << "(a)" << true << 0
        << QList<int>{};
    QTest::newRow("(b) reading exactly 80 %")
        << QStringList{"ndft=125"} << QList<double>{150, 150, 150, 150, 100} << Um << "(b)" << true << 0
        << QList<int>{};
    QTest::newRow("(b) readings below 80 %, rows as numbered")
        << QStringList{"ndft=125"} << QList<double>{150, 99.9, 150, 71, 150} << Um << "(b)" << false << 2
        << QList<int>{2, 4};
    // 8.3 - 8.3 × 20 / 100 is 6.640000000000001 in binary.
    QTest::newRow("(b) 80 % of 8.3 mils is 6.64")
        << QStringList{"unit=mils", "ndft=8.3"} << QList<double>{6.64, 9, 9, 9, 9} << Mils << "(b)" << true
        << 0 << QList<int>{};
    QTest::newRow("(c) exactly 20 % in the band")
        << nominal100 << QList<double>{90, 100, 100, 100, 100} << Um << "(c)" << true << 1 << QList<int>{};
    QTest::newRow("(c) 2 of 10 in the band")
        << nominal100 << QList<double>{100, 85, 100, 100, 100, 100, 100, 80, 100, 100} << Um << "(c)" << true
        << 2 << QList<int>{};
    QTest::newRow("(c) 3 of 10 in the band")
        << nominal100 << QList<double>{100, 85, 100, 99.9, 100, 100, 100, 80, 100, 100} << Um << "(c)"
        << false << 3 << QList<int>{2, 4, 8};
    // As the 80/20 line counts: 80 % belongs to the band, NDFT does not, below 80 % is not in it.
    QTest::newRow("(c) band ends") << nominal100 << QList<double>{80, 100, 79.9, 100, 100, 100} << Um << "(c)"
                                   << true << 1 << QList<int>{};
    QTest::newRow("(d) maximum of 3 × NDFT reached")
        << nominal100 << QList<double>{300, 100} << Um << "(d)" << true << 0 << QList<int>{};
    QTest::newRow("(d) maximum of 3 × NDFT passed")
        << nominal100 << QList<double>{100, 300.1} << Um << "(d)" << false << 1 << QList<int>{2};
    QTest::newRow("(d) maximum entered") << QStringList{"ndft=100", "max=250"} << QList<double>{250, 251, 100}
                                         << Um << "(d)" << false << 1 << QList<int>{2};
    QTest::newRow("correction by class: 119.9 - 40 below 80 %")
        << QStringList{"ndft=100", "correction=coarse"} << QList<double>{140, 119.9, 120} << Um << "(b)"
        << false << 1 << QList<int>{2};
    QTest::newRow("correction as a number: 92.5 - 12.5 is 80 %")
        << QStringList{"ndft=100", "correction=12.5"} << QList<double>{112.5, 92.5} << Um << "(b)" << true
        << 0 << QList<int>{};
    QTest::newRow("correction moves the mean")
        << QStringList{"ndft=100", "correction=medium"} << QList<double>{124, 125, 126} << Um << "(a)" << true
        << 0 << QList<int>{};
    QTest::newRow("correction moves the mean below")
        << QStringList{"ndft=100", "correction=medium"} << QList<double>{124, 125, 125.9} << Um << "(a)"
        << false << 0 << QList<int>{};
    QTest::newRow("correction stated in µm, rule in mils")
        << QStringList{"unit=mils", "ndft=4", "correction=fine"} << QList<double>{111.6, 111.6} << Um << "(a)"
        << true << 0 << QList<int>{};
    // 101.6 µm are 4.0 mils, 80 % of 5 mils; 203.2 µm are 7.999999999999999 mils in binary.
    QTest::newRow("mils rule over µm readings: 80 %")
        << QStringList{"unit=mils", "ndft=5"} << QList<double>{127, 127, 127, 127, 101.6} << Um << "(b)"
        << true << 0 << QList<int>{};
    QTest::newRow("mils rule over µm readings: mean")
        << QStringList{"unit=mils", "ndft=8"} << QList<double>{203.2, 203.2} << Um << "(a)" << true << 0
        << QList<int>{};
    QTest::newRow("mm rule over µm readings")
        << QStringList{"unit=mm", "ndft=0.125"} << QList<double>{125, 99.9, 125, 125, 125} << Um << "(b)"
        << false << 1 << QList<int>{2};
    QTest::newRow("rows marked X do not count")
        << nominal100 << QList<double>{100, qQNaN(), 100, 100, 100, 100} << Um << "(b)" << true << 0
        << QList<int>{};
    QTest::newRow("(e) 5 readings for 1 m²")
        << QStringList{"ndft=100", "area=1"} << repeated(100, 5) << Um << "(e)" << true << 5 << QList<int>{};
    QTest::newRow("(e) 4 readings for 1 m²")
        << QStringList{"ndft=100", "area=1"} << repeated(100, 4) << Um << "(e)" << false << 4 << QList<int>{};
    QTest::newRow("(e) marked rows are no readings")
        << QStringList{"ndft=100", "area=1"} << QList<double>{100, 100, qQNaN(), 100, 100} << Um << "(e)"
        << false << 4 << QList<int>{};
}

void TestIso19840::criteria() {
    QFETCH(QStringList, parameters);
    QFETCH(QList<double>, values);
    QFETCH(QString, unit);
    QFETCH(QString, id);
    QFETCH(bool, passed);
    QFETCH(int, count);
    QFETCH(QList<int>, failing);

    const RuleResult result = evaluated(iso19840Rule(), parameters, ruleRows(values, unit));
    const CriterionResult c = criterion(result, id);
    QCOMPARE(c.id, id);
    QCOMPARE(c.passed, passed);
    QCOMPARE(c.figures.count, count);
    QCOMPARE(failingRows(c), failing);
}

void TestIso19840::requiredReadings_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<int>("required");

    QTest::newRow("0.5 m²") << "0.5" << 5;
    QTest::newRow("1 m²") << "1" << 5;
    QTest::newRow("1.1 m²") << "1.1" << 10;
    QTest::newRow("3 m²") << "3" << 10;
    QTest::newRow("10 m²") << "10" << 15;
    QTest::newRow("10.5 m²") << "10,5" << 20;
    QTest::newRow("30 m²") << "30" << 20;
    QTest::newRow("100 m²") << "100" << 30;
    QTest::newRow("100.1 m²: part of a further 100") << "100.1" << 40;
    QTest::newRow("200 m²") << "200" << 40;
    QTest::newRow("200.3 m²") << "200.3" << 50;
    QTest::newRow("1000 m²") << "1000" << 120;
}

void TestIso19840::requiredReadings() {
    QFETCH(QString, area);
    QFETCH(int, required);

    const RuleResult result =
        evaluated(iso19840Rule(), {"ndft=100", "area=" + area}, ruleRows(repeated(100, required)));
    const CriterionResult c = criterion(result, "(e)");
    QCOMPARE(c.figures.required, required);
    QVERIFY(c.passed);
}

void TestIso19840::verdictAndNotes_data() {
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<int>("verdict");
    QTest::addColumn<QStringList>("criteria");
    QTest::addColumn<double>("scope"); // the note's least nominal thickness; 0: no note

    const QStringList withoutCount{"(a)", "(b)", "(c)", "(d)"};
    QTest::newRow("all pass") << QStringList{"ndft=100"} << QList<double>{100, 120, 90, 110, 100}
                              << int(RuleVerdict::Passed) << withoutCount << 0.0;
    QTest::newRow("one fails") << QStringList{"ndft=100"} << QList<double>{100, 120, 70, 110, 100}
                               << int(RuleVerdict::Failed) << withoutCount << 0.0;
    QTest::newRow("area adds the count criterion")
        << QStringList{"ndft=100", "area=2"} << repeated(100, 10) << int(RuleVerdict::Passed)
        << QStringList{"(a)", "(b)", "(c)", "(d)", "(e)"} << 0.0;
    QTest::newRow("no readings") << QStringList{"ndft=100"} << QList<double>{qQNaN()}
                                 << int(RuleVerdict::NoReadings) << QStringList{} << 0.0;
    QTest::newRow("NDFT below 40 µm: a note")
        << QStringList{"ndft=35"} << repeated(35, 5) << int(RuleVerdict::Passed) << withoutCount << 40.0;
    QTest::newRow("NDFT of 40 µm: no note")
        << QStringList{"ndft=40"} << repeated(40, 5) << int(RuleVerdict::Passed) << withoutCount << 0.0;
    QTest::newRow("1.5 mils is below 40 µm") << QStringList{"unit=mils", "ndft=1.5"} << repeated(38.1, 5)
                                             << int(RuleVerdict::Passed) << withoutCount << 40 / 25.4;
}

void TestIso19840::verdictAndNotes() {
    QFETCH(QStringList, parameters);
    QFETCH(QList<double>, values);
    QFETCH(int, verdict);
    QFETCH(QStringList, criteria);
    QFETCH(double, scope);

    const RuleResult result = evaluated(iso19840Rule(), parameters, ruleRows(values));
    QCOMPARE(int(result.verdict), verdict);
    QStringList ids;
    for (const CriterionResult& c : result.criteria)
        ids << c.id;
    QCOMPARE(ids, criteria);
    QCOMPARE(result.notes.size(), scope > 0 ? 1U : 0U);
    if (scope > 0) {
        QVERIFY(result.notes.front().kind == RuleNoteKind::NominalBelowScope);
        QCOMPARE(result.notes.front().value, scope);
    }
}

void TestIso19840::progress_data() {
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<OnlineProgress>("expected");

    QTest::newRow("nothing measured yet")
        << QStringList{"ndft=100", "area=12"} << QList<double>{} << OnlineProgress{0, 20, 0, 1};
    QTest::newRow("without area no required count")
        << QStringList{"ndft=100"} << QList<double>{100, 100, 100, 100}
        << OnlineProgress{4, std::nullopt, 0, 2};
    // 1 of 9 in the band: a 10th reading in it is 20 %, an 11th fails.
    QTest::newRow("two more fail (c)")
        << QStringList{"ndft=100", "area=12"} << QList<double>{100, 100, 100, 100, 100, 100, 100, 100, 90}
        << OnlineProgress{9, 20, 1, 2};
    QTest::newRow("(c) fails already") << QStringList{"ndft=100"} << QList<double>{100, 90, 70, 100}
                                       << OnlineProgress{4, std::nullopt, 2, 0};
    QTest::newRow("after correction")
        << QStringList{"ndft=100", "correction=medium"} << QList<double>{125, 124.9, 125, 125, 125}
        << OnlineProgress{5, std::nullopt, 1, 1};
}

void TestIso19840::progress() {
    QFETCH(QStringList, parameters);
    QFETCH(QList<double>, values);
    QFETCH(OnlineProgress, expected);

    const auto progress =
        onlineProgress(iso19840Rule(), ruleParameters(iso19840Rule(), parameters), ruleRows(values));
    QCOMPARE(std::get<OnlineProgress>(progress), expected);
}

void TestIso19840::progressPredictsBandCriterion_data() {
    QTest::addColumn<QList<double>>("values");

    QTest::newRow("none yet") << QList<double>{};
    QTest::newRow("one at NDFT") << QList<double>{100};
    QTest::newRow("four at NDFT") << QList<double>{100, 100, 100, 100};
    QTest::newRow("one in the band of seven") << QList<double>{100, 90, 100, 100, 100, 100, 100};
    QTest::newRow("two in the band of thirteen")
        << QList<double>{100, 90, 100, 100, 100, 100, 100, 85, 100, 100, 100, 100, 100};
}

// The summary's "further low readings" is what criterion (c) says once they are measured: one fewer
// still passes, that many fail.
void TestIso19840::progressPredictsBandCriterion() {
    QFETCH(QList<double>, values);
    const RuleDefinition& rule = iso19840Rule();
    const QStringList parameters{"ndft=100"};

    const auto progress =
        std::get<OnlineProgress>(onlineProgress(rule, ruleParameters(rule, parameters), ruleRows(values)));
    const int further = progress.furtherLowToFail.value();
    QVERIFY(further > 0);
    const auto bandAfter = [&](int low) {
        return criterion(evaluated(rule, parameters, ruleRows(values + repeated(90, low))), "(c)").passed;
    };
    if (further > 1)
        QVERIFY(bandAfter(further - 1));
    QVERIFY(!bandAfter(further));
}

void TestIso19840::unknownUnitIsAnError() {
    std::vector<MeasurementRow> rows = ruleRows({100, 100});
    rows.push_back(ruleRows({12.5}, QStringLiteral("A/cm"), 7).front());
    const auto result = evaluateRule(iso19840Rule(), ruleParameters(iso19840Rule(), {"ndft=100"}), rows);
    QCOMPARE(std::get<UnitError>(result), (UnitError{QStringLiteral("A/cm"), Um, 7}));
}

QTEST_APPLESS_MAIN(TestIso19840)
#include "tst_iso19840.moc"
