// The verdict of each rule as the inspector reads it, in both languages: the criteria with their numbers
// and failing rows, the list of rows cut short, the spots and areas, the notes and the online progress.
#include "data/RuleFixture.h"
#include "files/VerdictLines.h"

#include <QLocale>
#include <QTest>

using namespace vexa;
using namespace vexa::fixture;

Q_DECLARE_METATYPE(vexa::RuleResult)
Q_DECLARE_METATYPE(vexa::OnlineProgress)

namespace {

constexpr int German = 0;
constexpr int English = 1;

// A coating gauge with memory files, whose µm readings show one decimal below 100 and none above.
MeasureContext coatingGauge() {
    MeasureContext context;
    context.deviceModel = QStringLiteral("QY");
    context.measureMode = QStringLiteral("FM");
    context.traits = {'5', 'L', 'E', '2', '+', '-', '1'};
    return context;
}

std::vector<int> rowsFrom1To(int last) {
    std::vector<int> rows;
    for (int row = 1; row <= last; ++row)
        rows.push_back(row);
    return rows;
}

// A weld result whose one criterion `rows` fail.
RuleResult weldFailedBy(const std::vector<int>& rows) {
    CriterionResult criterion;
    criterion.id = QStringLiteral("(a)");
    criterion.kind = CriterionKind::NoneAbove;
    criterion.passed = false;
    criterion.figures.limit = 2;
    criterion.figures.highest = 3.5;
    criterion.figures.count = static_cast<int>(rows.size());
    criterion.figures.outOf = 20;
    criterion.failingRows = rows;
    return {QStringLiteral("weld"), QStringLiteral("mT"), 20, RuleVerdict::Failed, {criterion}, {}};
}

} // namespace

class TestVerdictLines : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void lines_data();
    void lines();
    void rowsCutShort_data();
    void rowsCutShort();
    void progress_data();
    void progress();
};

void TestVerdictLines::lines_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("language");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("material");
    QTest::addColumn<QStringList>("expected");

    const QLocale c = QLocale::c();
    const QLocale german(QLocale::German, QLocale::Germany);
    const QList<double> twoBelow80{120, 71, 130, 110, 79.9};
    QTest::newRow("ISO 19840, (b) fails, English")
        << "iso19840" << QStringList{"ndft=100"} << twoBelow80 << "µm" << English << c << QString()
        << QStringList{"ISO 19840: FAILED (5 readings in µm)",
                       "Parameters: ndft 100 µm, max 300 µm, correction 0.0 µm",
                       "(a) PASS: mean 102.18 µm of 5 readings, at least NDFT = 100 µm",
                       "(b) FAIL: 2 of 5 readings below 80 % NDFT = 80.0 µm (min 71.0 µm); rows 2, 5",
                       "(c) PASS: 0 of 5 readings from 80 % NDFT = 80.0 µm to below NDFT = 100 µm, at most 1 "
                       "allowed",
                       "(d) PASS: 0 of 5 readings above max = 300 µm (max 130 µm)"};
    QTest::newRow("ISO 19840, (b) fails, German in a German locale")
        << "iso19840" << QStringList{"ndft=100"} << twoBelow80 << "µm" << German << german << QString()
        << QStringList{
               "ISO 19840: NICHT BESTANDEN (5 Messwerte in µm)",
               "Parameter: ndft 100 µm, max 300 µm, correction 0,0 µm",
               "(a) ERFÜLLT: Mittelwert 102,18 µm aus 5 Messwerten, mindestens NDFT = 100 µm",
               "(b) VERFEHLT: 2 von 5 Messwerten unter 80 % NDFT = 80,0 µm (min 71,0 µm); Zeilen 2, 5",
               "(c) ERFÜLLT: 0 von 5 Messwerten von 80 % NDFT = 80,0 µm bis unter NDFT = 100 µm, "
               "höchstens 1 erlaubt",
               "(d) ERFÜLLT: 0 von 5 Messwerten über max = 300 µm (max 130 µm)"};
    // Written as a reading, the mean would read "100 µm" and seem to meet the NDFT it fails.
    QTest::newRow("ISO 19840, a mean just below the NDFT")
        << "iso19840" << QStringList{"ndft=100"} << QList<double>{101, 102, 96.8} << "µm" << English << c
        << QString()
        << QStringList{"ISO 19840: FAILED (3 readings in µm)",
                       "Parameters: ndft 100 µm, max 300 µm, correction 0.0 µm",
                       "(a) FAIL: mean 99.93 µm of 3 readings, at least NDFT = 100 µm",
                       "(b) PASS: 0 of 3 readings below 80 % NDFT = 80.0 µm (min 96.8 µm)",
                       "(c) FAIL: 1 of 3 readings from 80 % NDFT = 80.0 µm to below NDFT = 100 µm, at most 0 "
                       "allowed; row 3",
                       "(d) PASS: 0 of 3 readings above max = 300 µm (max 102 µm)"};
    QTest::newRow("ISO 19840, one reading judged, too few for the area, English")
        << "iso19840" << QStringList{"ndft=95", "area=1"} << QList<double>{97.5} << "µm" << English << c
        << QString()
        << QStringList{"ISO 19840: FAILED (1 reading in µm)",
                       "Parameters: ndft 95.0 µm, max 285 µm, correction 0.0 µm, area 1 m²",
                       "(a) PASS: mean 97.50 µm of 1 reading, at least NDFT = 95.0 µm",
                       "(b) PASS: 0 of 1 reading below 80 % NDFT = 76.0 µm (min 97.5 µm)",
                       "(c) PASS: 0 of 1 reading from 80 % NDFT = 76.0 µm to below NDFT = 95.0 µm, at most 0 "
                       "allowed",
                       "(d) PASS: 0 of 1 reading above max = 285 µm (max 97.5 µm)",
                       "(e) FAIL: 1 reading, at least 5 required"};
    QTest::newRow("ISO 19840, one reading judged, German")
        << "iso19840" << QStringList{"ndft=100"} << QList<double>{71} << "µm" << German << german << QString()
        << QStringList{"ISO 19840: NICHT BESTANDEN (1 Messwert in µm)",
                       "Parameter: ndft 100 µm, max 300 µm, correction 0,0 µm",
                       "(a) VERFEHLT: Mittelwert 71,00 µm aus 1 Messwert, mindestens NDFT = 100 µm",
                       "(b) VERFEHLT: 1 von 1 Messwert unter 80 % NDFT = 80,0 µm (min 71,0 µm); Zeile 1",
                       "(c) ERFÜLLT: 0 von 1 Messwert von 80 % NDFT = 80,0 µm bis unter NDFT = 100 µm, "
                       "höchstens 0 erlaubt",
                       "(d) ERFÜLLT: 0 von 1 Messwert über max = 300 µm (max 71,0 µm)"};
    QTest::newRow("ISO 19840, a material, the band and the count fail, NDFT below the scope")
        << "iso19840" << QStringList{"ndft=30", "area=1.5"} << QList<double>{25, 26, 35, 40} << "µm"
        << English << c << "FE"
        << QStringList{
               "ISO 19840 – FE: FAILED (4 readings in µm)",
               "Parameters: ndft 30.0 µm, max 90.0 µm, correction 0.0 µm, area 1.5 m²",
               "(a) PASS: mean 31.50 µm of 4 readings, at least NDFT = 30.0 µm",
               "(b) PASS: 0 of 4 readings below 80 % NDFT = 24.0 µm (min 25.0 µm)",
               "(c) FAIL: 2 of 4 readings from 80 % NDFT = 24.0 µm to below NDFT = 30.0 µm, at most 0 "
               "allowed; rows 1, 2",
               "(d) PASS: 0 of 4 readings above max = 90.0 µm (max 40.0 µm)",
               "(e) FAIL: 4 readings, at least 10 required",
               "Note: NDFT 30.0 µm is below 40.0 µm, the least the rule is made for"};
    QTest::newRow("IMO PSPC 90/10, the share fails, rows after a marked one")
        << "pspc9010" << QStringList{} << QList<double>{qQNaN(), 300, 330, 319.9, 350, 340} << "µm" << English
        << c << QString()
        << QStringList{"IMO PSPC 90/10: FAILED (5 readings in µm)", "Parameters: ndft 320 µm",
                       "(a) FAIL: 2 of 5 readings below NDFT = 320 µm, at most 0 allowed; rows 2, 4",
                       "(b) PASS: 0 of 5 readings below 90 % NDFT = 288 µm (min 300 µm)"};
    QTest::newRow("IMO PSPC 90/10, one reading judged, German")
        << "pspc9010" << QStringList{} << QList<double>{300} << "µm" << German << c << QString()
        << QStringList{"IMO PSPC 90/10: NICHT BESTANDEN (1 Messwert in µm)", "Parameter: ndft 320 µm",
                       "(a) VERFEHLT: 1 von 1 Messwert unter NDFT = 320 µm, höchstens 0 erlaubt; Zeile 1",
                       "(b) ERFÜLLT: 0 von 1 Messwert unter 90 % NDFT = 288 µm (min 300 µm)"};
    const QList<double> spots{5, 5, 5, 3, 3, 3, 5, 5};
    const QStringList sspc{"min=4", "max=6", "spots=2"};
    QTest::newRow("SSPC-PA 2, a spot outside, one left over, English")
        << "sspc-pa2" << sspc << spots << "mils" << English << c << QString()
        << QStringList{"SSPC-PA 2: FAILED (8 readings in mils)",
                       "Parameters: min 4.00 mils, max 6.00 mils, spot-readings 3, spots 2, level 3",
                       "(a) FAIL: 1 of 2 spots outside 3.20 mils to 7.20 mils (spot means 3.00 mils to 5.00 "
                       "mils); rows 4, 5, 6",
                       "(b) PASS: 0 of 1 area outside 4.00 mils to 6.00 mils (area mean 4.00 mils)",
                       "Spot 1, rows 1–3: mean 5.00 mils, within",
                       "Spot 2, rows 4–6: mean 3.00 mils, outside",
                       "Spot 3, rows 7–8: mean 5.00 mils, incomplete, not judged",
                       "Area 1, rows 1–6: mean 4.00 mils, within",
                       "Note: the last 2 readings make no whole spot and are not judged"};
    QTest::newRow("SSPC-PA 2, a spot outside, one left over, German")
        << "sspc-pa2" << sspc << spots << "mils" << German << c << QString()
        << QStringList{
               "SSPC-PA 2: NICHT BESTANDEN (8 Messwerte in mils)",
               "Parameter: min 4.00 mils, max 6.00 mils, spot-readings 3, spots 2, level 3",
               "(a) VERFEHLT: 1 von 2 Spots außerhalb 3.20 mils bis 7.20 mils (Spot-Mittelwerte 3.00 "
               "mils bis 5.00 mils); Zeilen 4, 5, 6",
               "(b) ERFÜLLT: 0 von 1 Fläche außerhalb 4.00 mils bis 6.00 mils (Flächen-Mittelwert 4.00 mils)",
               "Spot 1, Zeilen 1–3: Mittelwert 5.00 mils, innerhalb",
               "Spot 2, Zeilen 4–6: Mittelwert 3.00 mils, außerhalb",
               "Spot 3, Zeilen 7–8: Mittelwert 5.00 mils, unvollständig, nicht beurteilt",
               "Fläche 1, Zeilen 1–6: Mittelwert 4.00 mils, innerhalb",
               "Hinweis: die letzten 2 Messwerte ergeben keinen ganzen Spot und werden nicht beurteilt"};
    const QList<double> oneSpotAndOneReading{5, 5, 5, 5};
    QTest::newRow("SSPC-PA 2, one spot judged, one reading and one spot left over, English")
        << "sspc-pa2" << sspc << oneSpotAndOneReading << "mils" << English << c << QString()
        << QStringList{"SSPC-PA 2: INCOMPLETE (4 readings in mils)",
                       "Parameters: min 4.00 mils, max 6.00 mils, spot-readings 3, spots 2, level 3",
                       "(a) PASS: 0 of 1 spot outside 3.20 mils to 7.20 mils (spot mean 5.00 mils)",
                       "(b) PASS: 0 of 0 areas outside 4.00 mils to 6.00 mils",
                       "Spot 1, rows 1–3: mean 5.00 mils, within",
                       "Spot 2, row 4: mean 5.00 mils, incomplete, not judged",
                       "Area 1, rows 1–3: mean 5.00 mils, incomplete, not judged",
                       "Note: the last reading makes no whole spot and is not judged",
                       "Note: the last spot makes no whole area, its mean is not judged"};
    QTest::newRow("SSPC-PA 2, one spot judged, one reading and one spot left over, German")
        << "sspc-pa2" << sspc << oneSpotAndOneReading << "mils" << German << c << QString()
        << QStringList{
               "SSPC-PA 2: UNVOLLSTÄNDIG (4 Messwerte in mils)",
               "Parameter: min 4.00 mils, max 6.00 mils, spot-readings 3, spots 2, level 3",
               "(a) ERFÜLLT: 0 von 1 Spot außerhalb 3.20 mils bis 7.20 mils (Spot-Mittelwert 5.00 mils)",
               "(b) ERFÜLLT: 0 von 0 Flächen außerhalb 4.00 mils bis 6.00 mils",
               "Spot 1, Zeilen 1–3: Mittelwert 5.00 mils, innerhalb",
               "Spot 2, Zeile 4: Mittelwert 5.00 mils, unvollständig, nicht beurteilt",
               "Fläche 1, Zeilen 1–3: Mittelwert 5.00 mils, unvollständig, nicht beurteilt",
               "Hinweis: der letzte Messwert ergibt keinen ganzen Spot und wird nicht beurteilt",
               "Hinweis: der letzte Spot ergibt keine ganze Fläche, sein Mittelwert wird nicht "
               "beurteilt"};
    QTest::newRow("SSPC-PA 2, no whole spot yet: nothing judged, a limit unset")
        << "sspc-pa2" << QStringList{"min=4", "max=6", "level=5"} << QList<double>{5, 5} << "mils" << English
        << c << QString()
        << QStringList{"SSPC-PA 2: INCOMPLETE (2 readings in mils)",
                       "Parameters: min 4.00 mils, max 6.00 mils, spot-readings 3, spots 5, level 5",
                       "(a) PASS: 0 of 0 spots outside at least 3.20 mils",
                       "(b) PASS: 0 of 0 areas outside 4.00 mils to 6.00 mils",
                       "Spot 1, rows 1–2: mean 5.00 mils, incomplete, not judged",
                       "Note: the last 2 readings make no whole spot and are not judged",
                       "Note: no whole spot yet, so no area is judged"};
    QTest::newRow("SSPC-PA 2, areas left over")
        << "sspc-pa2" << QStringList{"min=4", "max=6", "spot-readings=1", "spots=2"} << QList<double>{5, 5, 5}
        << "mils" << English << c << QString()
        << QStringList{"SSPC-PA 2: INCOMPLETE (3 readings in mils)",
                       "Parameters: min 4.00 mils, max 6.00 mils, spot-readings 1, spots 2, level 3",
                       "(a) PASS: 0 of 3 spots outside 3.20 mils to 7.20 mils (spot means 5.00 mils to 5.00 "
                       "mils)",
                       "(b) PASS: 0 of 1 area outside 4.00 mils to 6.00 mils (area mean 5.00 mils)",
                       "Spot 1, row 1: mean 5.00 mils, within",
                       "Spot 2, row 2: mean 5.00 mils, within",
                       "Spot 3, row 3: mean 5.00 mils, within",
                       "Area 1, rows 1–2: mean 5.00 mils, within",
                       "Area 2, row 3: mean 5.00 mils, incomplete, not judged",
                       "Note: the last spot makes no whole area, its mean is not judged"};
    QTest::newRow("residual magnetism, German, the field's sign dropped")
        << "weld" << QStringList{"max=filler-wire"} << QList<double>{0.5, -1.25} << "mT" << German << c
        << QString()
        << QStringList{"Restmagnetismus vor dem Schweißen: NICHT BESTANDEN (2 Messwerte in mT)",
                       "Parameter: max 1.00 mT",
                       "(a) VERFEHLT: 1 von 2 Messwerten über max = 1.00 mT (max 1.25 mT); Zeile 2"};
    QTest::newRow("residual magnetism passes, English")
        << "weld" << QStringList{"unit=G"} << QList<double>{0.5, -1.25} << "mT" << English << c << QString()
        << QStringList{"Residual magnetism before welding: PASSED (2 readings in G)",
                       "Parameters: max 20.0 G", "(a) PASS: 0 of 2 readings above max = 20.0 G (max 12.5 G)"};
    QTest::newRow("every row marked: no readings")
        << "pspc9010" << QStringList{} << QList<double>{qQNaN(), qQNaN()} << "µm" << German << c << "NFE"
        << QStringList{"IMO PSPC 90/10 – NFE: keine Messwerte (0 Messwerte in µm)", "Parameter: ndft 320 µm"};
}

void TestVerdictLines::lines() {
    QFETCH(QString, rule);
    QFETCH(QStringList, parameters);
    QFETCH(QList<double>, values);
    QFETCH(QString, unit);
    QFETCH(int, language);
    QFETCH(QLocale, locale);
    QFETCH(QString, material);
    QLocale::setDefault(locale);
    const RuleDefinition& definition = *findInspectionRule(rule);
    const RuleParameters resolved = ruleParameters(definition, parameters);
    const RuleResult result = evaluated(definition, parameters, ruleRows(values, unit));
    const QStringList lines =
        verdictLines({definition, resolved, coatingGauge(), language}, result, material);
    QTEST(lines, "expected");
}

void TestVerdictLines::rowsCutShort_data() {
    QTest::addColumn<std::vector<int>>("rows");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one row") << std::vector<int>{7} << English
                             << "(a) FAIL: 1 of 20 readings above max = 2.00 "
                                "mT (max 3.50 mT); row 7";
    QTest::newRow("ten rows, all listed") << rowsFrom1To(10) << English
                                          << "(a) FAIL: 10 of 20 readings above max = 2.00 mT (max 3.50 mT); "
                                             "rows 1, 2, 3, 4, 5, 6, 7, 8, 9, 10";
    QTest::newRow("eleven rows, the last counted") << rowsFrom1To(11) << English
                                                   << "(a) FAIL: 11 of 20 readings above max = 2.00 mT (max "
                                                      "3.50 mT); rows 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 … "
                                                      "and 1 more";
    QTest::newRow("twenty rows, German") << rowsFrom1To(20) << German
                                         << "(a) VERFEHLT: 20 von 20 Messwerten über max = 2.00 mT (max 3.50 "
                                            "mT); Zeilen 1, 2, 3, 4, 5, 6, 7, 8, 9, "
                                            "10 … und 10 weitere";
}

void TestVerdictLines::rowsCutShort() {
    QFETCH(std::vector<int>, rows);
    QFETCH(int, language);
    const RuleDefinition& weld = weldMagnetismRule();
    const RuleParameters parameters = ruleParameters(weld, {"max=2"});
    const QStringList lines = verdictLines({weld, parameters, coatingGauge(), language}, weldFailedBy(rows));
    QCOMPARE(lines.size(), 3);
    QTEST(lines.at(2), "expected");
}

void TestVerdictLines::progress_data() {
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QStringList>("parameters");
    QTest::addColumn<OnlineProgress>("progress");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");

    QTest::newRow("ISO 19840, one more low reading")
        << "iso19840" << QStringList{"ndft=100"} << OnlineProgress{12, 20, 2, 1} << English
        << "12 of 20 readings; 2 below NDFT; one more low reading fails (c)";
    QTest::newRow("ISO 19840, German, several more")
        << "iso19840" << QStringList{"ndft=100"} << OnlineProgress{3, std::nullopt, 0, 4} << German
        << "3 Messwerte; 0 unter NDFT; 4 weitere niedrige Messwerte verfehlen (c)";
    QTest::newRow("IMO PSPC 90/10, the share failed already")
        << "pspc9010" << QStringList{} << OnlineProgress{5, std::nullopt, 1, 0} << English
        << "5 readings; 1 below NDFT; (a) fails already";
    QTest::newRow("SSPC-PA 2, readings of an area")
        << "sspc-pa2" << QStringList{"min=4", "max=6"} << OnlineProgress{4, 15, std::nullopt, std::nullopt}
        << German << "4 von 15 Messwerten";
    QTest::newRow("IMO PSPC 90/10, the first reading, German")
        << "pspc9010" << QStringList{} << OnlineProgress{1, std::nullopt, 1, 0} << German
        << "1 Messwert; 1 unter NDFT; (a) ist schon verfehlt";
    QTest::newRow("SSPC-PA 2, an area of one reading, English")
        << "sspc-pa2" << QStringList{"min=4", "max=6", "spot-readings=1", "spots=1"}
        << OnlineProgress{0, 1, std::nullopt, std::nullopt} << English << "0 of 1 reading";
    QTest::newRow("SSPC-PA 2, an area of one reading, German")
        << "sspc-pa2" << QStringList{"min=4", "max=6", "spot-readings=1", "spots=1"}
        << OnlineProgress{1, 1, std::nullopt, std::nullopt} << German << "1 von 1 Messwert";
    QTest::newRow("residual magnetism, a count alone, the first reading")
        << "weld" << QStringList{} << OnlineProgress{1, std::nullopt, std::nullopt, std::nullopt} << English
        << "1 reading";
    QTest::newRow("residual magnetism, a count alone")
        << "weld" << QStringList{} << OnlineProgress{2, std::nullopt, std::nullopt, std::nullopt} << English
        << "2 readings";
}

void TestVerdictLines::progress() {
    QFETCH(QString, rule);
    QFETCH(QStringList, parameters);
    QFETCH(OnlineProgress, progress);
    QFETCH(int, language);
    const RuleDefinition& definition = *findInspectionRule(rule);
    const RuleParameters resolved = ruleParameters(definition, parameters);
    QTEST(progressLine({definition, resolved, coatingGauge(), language}, progress), "expected");
}

QTEST_GUILESS_MAIN(TestVerdictLines)
#include "tst_verdictlines.moc"
