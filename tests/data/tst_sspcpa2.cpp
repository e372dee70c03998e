// SSPC-PA 2 with a minimum of 8 and a maximum of 12 mils: spot limits per restriction level, spots and
// areas of consecutive readings, and what an unfinished spot or area leaves open.
#include "RuleFixture.h"

#include <QTest>

using namespace vexa;
using namespace vexa::fixture;

namespace {

const QString Mils = QStringLiteral("mils");
const QStringList EightToTwelve{"min=8", "max=12"};

// Spots of three readings, each around its mean.
QList<double> spots(const QList<double>& means) {
    QList<double> values;
    for (const double mean : means)
        values << mean - 0.1 << mean << mean + 0.1;
    return values;
}

QList<int> rowRange(int first, int last) {
    QList<int> rows;
    for (int row = first; row <= last; ++row)
        rows << row;
    return rows;
}

// Means of spots are sums divided, so they are compared as doubles are, one by one.
void compareMeans(const std::vector<ReadingGroup>& groups, const QList<double>& expected) {
    QCOMPARE(qsizetype(groups.size()), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        QCOMPARE(groups[size_t(i)].mean, expected[i]);
}

} // namespace

Q_DECLARE_METATYPE(std::optional<double>)

class TestSspcPa2 : public QObject {
    Q_OBJECT
private slots:
    void spotLimits_data();
    void spotLimits();
    void criteria_data();
    void criteria();
    void groups_data();
    void groups();
};

void TestSspcPa2::spotLimits_data() {
    QTest::addColumn<QString>("level");
    QTest::addColumn<std::optional<double>>("lower");
    QTest::addColumn<std::optional<double>>("upper");

    const std::optional<double> unrestricted;
    QTest::newRow("level 1") << "1" << unrestricted << std::optional(12.0);
    QTest::newRow("level 2") << "2" << std::optional(8.0) << std::optional(14.4);
    QTest::newRow("level 3") << "3" << std::optional(6.4) << std::optional(14.4);
    QTest::newRow("level 4") << "4" << std::optional(6.4) << std::optional(18.0);
    QTest::newRow("level 5") << "5" << std::optional(6.4) << unrestricted;
}

void TestSspcPa2::spotLimits() {
    QFETCH(QString, level);
    QFETCH(std::optional<double>, lower);
    QFETCH(std::optional<double>, upper);

    const RuleResult result = evaluated(sspcPa2Rule(), EightToTwelve + QStringList{"level=" + level},
                                        ruleRows(spots({10, 10, 10, 10, 10}), Mils));
    const CriterionFigures figures = criterion(result, "(a)").figures;
    QCOMPARE(figures.limit.has_value(), lower.has_value());
    QCOMPARE(figures.limit.value_or(0), lower.value_or(0));
    QCOMPARE(figures.upperLimit.has_value(), upper.has_value());
    QCOMPARE(figures.upperLimit.value_or(0), upper.value_or(0));
}

void TestSspcPa2::criteria_data() {
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QList<int>>("spotRows"); // (a)'s failing rows
    QTest::addColumn<QList<int>>("areaRows"); // (b)'s failing rows
    QTest::addColumn<int>("verdict");

    const QList<int> firstArea = rowRange(1, 15);
    QTest::newRow("area mean inside, one spot below 6.4")
        << EightToTwelve << spots({6.0, 10, 10, 11, 12}) << Mils << QList<int>{1, 2, 3} << QList<int>{}
        << int(RuleVerdict::Failed);
    QTest::newRow("area mean inside, one spot above 14.4")
        << EightToTwelve << spots({8, 8, 14.5, 8, 8}) << Mils << QList<int>{7, 8, 9} << QList<int>{}
        << int(RuleVerdict::Failed);
    // (6.3 + 6.4 + 6.5) / 3 is 6.3999999999999995 in binary.
    QTest::newRow("spot mean exactly 80 % of the minimum")
        << EightToTwelve << QList<double>{6.3, 6.4, 6.5} + spots({10, 10, 10, 10}) << Mils << QList<int>{}
        << QList<int>{} << int(RuleVerdict::Passed);
    QTest::newRow("every spot inside, area mean below the minimum")
        << EightToTwelve << spots({7, 7, 7, 7, 7}) << Mils << QList<int>{} << firstArea
        << int(RuleVerdict::Failed);
    QTest::newRow("area mean above the maximum") << EightToTwelve << spots({12, 12, 12.5, 12, 12}) << Mils
                                                 << QList<int>{} << firstArea << int(RuleVerdict::Failed);
    QTest::newRow("second area fails alone")
        << EightToTwelve << spots({10, 10, 10, 10, 10, 7, 7, 7, 7, 7}) << Mils << QList<int>{}
        << rowRange(16, 30) << int(RuleVerdict::Failed);
    QTest::newRow("level 1: no lower spot limit")
        << EightToTwelve + QStringList{"level=1"} << spots({4, 12, 12, 12, 12}) << Mils << QList<int>{}
        << QList<int>{} << int(RuleVerdict::Passed);
    QTest::newRow("level 1: maximum for spots")
        << EightToTwelve + QStringList{"level=1"} << spots({12.5, 8, 8, 8, 8}) << Mils << QList<int>{1, 2, 3}
        << QList<int>{} << int(RuleVerdict::Failed);
    QTest::newRow("level 5: no upper spot limit")
        << EightToTwelve + QStringList{"level=5"} << spots({20, 8, 8, 8, 8}) << Mils << QList<int>{}
        << QList<int>{} << int(RuleVerdict::Passed);
    // 160 µm are 6.3 mils, 254 µm are 10.
    QTest::newRow("mils rule over µm readings")
        << EightToTwelve << QList<double>{160, 160, 160} + repeated(254, 12) << QStringLiteral("µm")
        << QList<int>{1, 2, 3} << QList<int>{} << int(RuleVerdict::Failed);
}

void TestSspcPa2::criteria() {
    QFETCH(QStringList, parameters);
    QFETCH(QList<double>, values);
    QFETCH(QString, unit);
    QFETCH(QList<int>, spotRows);
    QFETCH(QList<int>, areaRows);
    QFETCH(int, verdict);

    const RuleResult result = evaluated(sspcPa2Rule(), parameters, ruleRows(values, unit));
    QCOMPARE(failingRows(criterion(result, "(a)")), spotRows);
    QCOMPARE(criterion(result, "(a)").passed, spotRows.isEmpty());
    QCOMPARE(failingRows(criterion(result, "(b)")), areaRows);
    QCOMPARE(criterion(result, "(b)").passed, areaRows.isEmpty());
    QCOMPARE(int(result.verdict), verdict);
}

void TestSspcPa2::groups_data() {
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QList<double>>("spotMeans");
    QTest::addColumn<QList<double>>("areaMeans");
    QTest::addColumn<int>("judgedAreas");
    QTest::addColumn<int>("spotLeftOver"); // readings in an unfinished spot
    QTest::addColumn<int>("areaLeftOver"); // spots in an unfinished area; -1: none unfinished
    QTest::addColumn<int>("verdict");

    QTest::newRow("one whole area") << EightToTwelve << spots({9, 10, 11, 10, 10})
                                    << QList<double>{9, 10, 11, 10, 10} << QList<double>{10} << 1 << 0 << -1
                                    << int(RuleVerdict::Passed);
    QTest::newRow("a reading into the next spot")
        << EightToTwelve << spots({9, 10, 11, 10, 10}) + QList<double>{9}
        << QList<double>{9, 10, 11, 10, 10, 9} << QList<double>{10} << 1 << 1 << -1
        << int(RuleVerdict::Incomplete);
    QTest::newRow("four spots: no area judged")
        << EightToTwelve << spots({7, 7, 7, 7}) << QList<double>{7, 7, 7, 7} << QList<double>{7} << 0 << 0
        << 4 << int(RuleVerdict::Incomplete);
    QTest::newRow("unfinished spot outside fails nothing")
        << EightToTwelve << spots({10, 10, 10, 10, 10}) + QList<double>{2, 2}
        << QList<double>{10, 10, 10, 10, 10, 2} << QList<double>{10} << 1 << 2 << -1
        << int(RuleVerdict::Incomplete);
    QTest::newRow("a failed spot beside an unfinished area fails")
        << EightToTwelve << spots({5, 10}) << QList<double>{5, 10} << QList<double>{7.5} << 0 << 0 << 2
        << int(RuleVerdict::Failed);
    QTest::newRow("spots of 5, areas of 2")
        << EightToTwelve + QStringList{"spot-readings=5", "spots=2"}
        << QList<double>{8, 9, 10, 11, 12, 10, 10, 10, 10, 10, 12, 12, 12, 12, 12}
        << QList<double>{10, 10, 12} << QList<double>{10, 12} << 1 << 0 << 1 << int(RuleVerdict::Incomplete);
}

void TestSspcPa2::groups() {
    QFETCH(QStringList, parameters);
    QFETCH(QList<double>, values);
    QFETCH(QList<double>, spotMeans);
    QFETCH(QList<double>, areaMeans);
    QFETCH(int, judgedAreas);
    QFETCH(int, spotLeftOver);
    QFETCH(int, areaLeftOver);
    QFETCH(int, verdict);

    const RuleResult result = evaluated(sspcPa2Rule(), parameters, ruleRows(values, Mils));
    const CriterionResult spotCriterion = criterion(result, "(a)");
    const CriterionResult areaCriterion = criterion(result, "(b)");
    compareMeans(spotCriterion.groups, spotMeans);
    compareMeans(areaCriterion.groups, areaMeans);
    QCOMPARE(areaCriterion.figures.outOf, judgedAreas);
    QCOMPARE(spotCriterion.groups.back().complete, spotLeftOver == 0);
    std::optional<RuleNote> spotNote;
    std::optional<RuleNote> areaNote;
    for (const RuleNote& note : result.notes)
        (note.kind == RuleNoteKind::IncompleteSpot ? spotNote : areaNote) = note;
    QCOMPARE(spotNote ? int(spotNote->value) : 0, spotLeftOver);
    QCOMPARE(areaNote ? int(areaNote->value) : -1, areaLeftOver);
    QCOMPARE(int(result.verdict), verdict);
}

QTEST_APPLESS_MAIN(TestSspcPa2)
#include "tst_sspcpa2.moc"
