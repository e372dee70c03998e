#include "data/LocaleTexts.h"
#include "data/MeasurementSheet.h"
#include "data/Statistics.h"

#include <QLocale>
#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(vexa::StatisticsContext)
Q_DECLARE_METATYPE(vexa::RowStore)

using namespace vexa;

namespace {

QString sp(int count) {
    return QString(count, u' ');
}

StatisticsContext gauge(const QString& measureMode = QStringLiteral("FM"), char rule8020 = '+',
                        char generation = '5', char decimals = '2') {
    StatisticsContext context;
    context.measure.deviceModel = QStringLiteral("QY");
    context.measure.measureMode = measureMode;
    context.measure.traits.generation = generation;
    context.measure.traits.rule8020 = rule8020;
    context.measure.traits.decimals = decimals;
    context.memoryListText = QStringLiteral("1");
    return context;
}

StatisticsContext rule8020Gauge(double target, double minimum, double maximum) {
    StatisticsContext context = gauge();
    context.limits.rule8020 = true;
    context.limits.target = target;
    context.limits.minimum = minimum;
    context.limits.maximum = maximum;
    return context;
}

void addAll(Statistics& statistics, const QList<double>& values, const QString& unit,
            const StatisticsContext& context) {
    MaterialButton button;
    for (double value : values)
        statistics.addRow({value, unit, QString()}, context, button);
}

// The list's heading by the view: 0 the memory view, 2 online, anything else none.
StatisticsListHeader header(int view = 1, const QString& caption = QString(), int language = 0) {
    const std::optional<View> shown = view == 0   ? std::optional(View::Memory)
                                      : view == 2 ? std::optional(View::Online)
                                                  : std::nullopt;
    return {shown, caption, language, decimalSeparator()};
}

RowStore storeOf(const QList<MeasurementRow>& rows) {
    RowStore store;
    store.assign(std::vector<MeasurementRow>(rows.begin(), rows.end()));
    return store;
}

MeasurementRow row(qint16 number, double value, const QString& material = QString(),
                   const QString& mark = QString()) {
    MeasurementRow result;
    result.number = number;
    result.value = value;
    result.unit = QStringLiteral("\u00B5m");
    result.material = material;
    result.mark = mark;
    return result;
}

// NIST StRD univariate sets NumAcc2..4: a centre value, then 500 pairs just below and above it.
QList<double> centredPairs(double centre, double below, double above) {
    QList<double> values{centre};
    for (int i = 0; i < 500; ++i)
        values << below << above;
    return values;
}

} // namespace

class TestStatistics : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void results_data();
    void results();
    void referenceSets_data();
    void referenceSets();
    void valueLines_data();
    void valueLines();
    void mixedUnits_data();
    void mixedUnits();
    void unitWithoutRule_data();
    void unitWithoutRule();
    void rule8020_data();
    void rule8020();
    void materialFilter_data();
    void materialFilter();
    void materialButtonToggles_data();
    void materialButtonToggles();
    void materialButtonRecountsFromScratch();
    void recompute_data();
    void recompute();
    void memoryCaption_data();
    void memoryCaption();
    void sheetMaterials_data();
    void sheetMaterials();
};

void TestStatistics::results_data() {
    QTest::addColumn<char>("rule8020Trait");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("absoluteMean");
    QTest::addColumn<double>("standardDeviation");

    QTest::newRow("one row") << '+' << QList<double>{10} << 10.0 << 10.0 << 10.0 << 0.0;
    QTest::newRow("10 and 12") << '+' << QList<double>{10, 12} << 10.0 << 12.0 << 11.0 << std::sqrt(2.0);
    QTest::newRow("signed, 80/20 gauge")
        << '+' << QList<double>{-3, 5} << 3.0 << 5.0 << 4.0 << std::sqrt(2.0);
    QTest::newRow("signed, other gauge")
        << '-' << QList<double>{-3, 5} << 3.0 << 5.0 << 4.0 << std::sqrt(2.0);
}

void TestStatistics::results() {
    QFETCH(char, rule8020Trait);
    QFETCH(QList<double>, values);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, absoluteMean);
    QFETCH(double, standardDeviation);

    Statistics statistics;
    MaterialButton button;
    AddResult last;
    for (double value : values)
        last = statistics.addRow({value, QStringLiteral("\u00B5m"), QString()}, gauge("FM", rule8020Trait),
                                 button);
    const StatisticsState& state = statistics.state();
    QVERIFY(last.counted);
    QCOMPARE(last.several, values.size() > 1);
    QCOMPARE(state.count, int(values.size()));
    QCOMPARE(state.rowCount, int(values.size()));
    QCOMPARE(state.absoluteMinimum, minimum);
    QCOMPARE(state.absoluteMaximum, maximum);
    QCOMPARE(state.absoluteMean, absoluteMean);
    QCOMPARE(state.standardDeviation, standardDeviation);
    QVERIFY(state.absoluteValues);
}

void TestStatistics::referenceSets_data() {
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<double>("mean");
    QTest::addColumn<double>("standardDeviation");
    QTest::addColumn<double>("deviationTolerance");

    // The decimal inputs are themselves rounded to doubles: near 1e6 and 1e7 that alone moves the
    // spread of 0.1 by up to a few parts in 1e10 and 1e8, so the deviation can be no closer.
    QTest::newRow("NumAcc1") << QList<double>{10000001, 10000003, 10000002} << 10000002.0 << 1.0 << 1e-15;
    QTest::newRow("NumAcc2") << centredPairs(1.2, 1.1, 1.3) << 1.2 << 0.1 << 1e-13;
    QTest::newRow("NumAcc3") << centredPairs(1000000.2, 1000000.1, 1000000.3) << 1000000.2 << 0.1 << 1e-9;
    QTest::newRow("NumAcc4") << centredPairs(10000000.2, 10000000.1, 10000000.3) << 10000000.2 << 0.1 << 2e-8;
}

void TestStatistics::referenceSets() {
    QFETCH(QList<double>, values);
    QFETCH(double, mean);
    QFETCH(double, standardDeviation);
    QFETCH(double, deviationTolerance);

    Statistics statistics;
    addAll(statistics, values, QStringLiteral("\u00B5m"), gauge());
    const StatisticsState& state = statistics.state();
    QVERIFY2(std::fabs(state.mean - mean) <= 1e-13 * mean, qPrintable(QString::number(state.mean, 'g', 17)));
    QVERIFY2(std::fabs(state.standardDeviation - standardDeviation) <= deviationTolerance * standardDeviation,
             qPrintable(QString::number(state.standardDeviation, 'g', 17)));
}

void TestStatistics::valueLines_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("currentMemory");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<StatisticsContext>("context");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QStringList>("expected");

    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale english(QLocale::English, QLocale::UnitedKingdom);
    const QString um = QStringLiteral("\u00B5m");

    QTest::newRow("one row: no mean, no deviation")
        << QLocale::c() << 0 << 1 << QString() << gauge() << um << QList<double>{10}
        << QStringList{"Statistik:", " ", "Anzahl" + sp(14) + "1", "Minimum" + sp(10) + "10.0" + sp(4) + um,
                       "Maximum" + sp(10) + "10.0" + sp(4) + um};
    QTest::newRow("10 and 12 online")
        << english << 1 << 2 << QString() << gauge() << um << QList<double>{10, 12}
        << QStringList{"Online",
                       " ",
                       "Statistics:",
                       " ",
                       "Count" + sp(15) + "2",
                       "Minimum" + sp(10) + "10.0" + sp(4) + um,
                       "Maximum" + sp(10) + "12.0" + sp(4) + um,
                       "Average" + sp(10) + "11.00" + sp(3) + um,
                       "Std.Dev" + sp(11) + "1.41" + sp(3) + um};
    QTest::newRow("worked example, German")
        << german << 0 << 0 << "Speicher 1" << gauge() << um << QList<double>{10, 12.5}
        << QStringList{"Speicher 1",
                       " ",
                       "Statistik:",
                       " ",
                       "Anzahl" + sp(14) + "2",
                       "Minimum" + sp(6) + sp(4) + "10,0" + sp(4) + um,
                       "Maximum" + sp(6) + sp(4) + "12,5" + sp(4) + um,
                       "Mittel" + sp(8) + sp(3) + "11,25" + sp(3) + um,
                       "Std.Abw." + sp(6) + sp(4) + "1,77" + sp(3) + um};
    QTest::newRow("worked example, English")
        << english << 1 << 0 << "Memory 1" << gauge() << um << QList<double>{10, 12.5}
        << QStringList{"Memory 1",
                       " ",
                       "Statistics:",
                       " ",
                       "Count" + sp(15) + "2",
                       "Minimum" + sp(10) + "10.0" + sp(4) + um,
                       "Maximum" + sp(10) + "12.5" + sp(4) + um,
                       "Average" + sp(10) + "11.25" + sp(3) + um,
                       "Std.Dev" + sp(11) + "1.77" + sp(3) + um};
    QTest::newRow("signed values without the 80/20 rule")
        << QLocale::c() << 0 << 1 << QString() << gauge("FM", '-') << um << QList<double>{-3, 5}
        << QStringList{"Statistik:abs",
                       " ",
                       "Anzahl" + sp(14) + "2",
                       "Minimum" + sp(11) + "3.0" + sp(4) + um,
                       "Maximum" + sp(11) + "5.0" + sp(4) + um,
                       "Mittel" + sp(12) + "4.00" + sp(3) + um,
                       "Std.Abw." + sp(10) + "1.41" + sp(3) + um};
    QTest::newRow("minimum with more decimals than the mean")
        << QLocale::c() << 0 << 1 << QString() << gauge() << QStringLiteral("\u00B5rad")
        << QList<double>{1.5, 2.5}
        << QStringList{"Statistik:",
                       " ",
                       "Anzahl" + sp(14) + "2",
                       "Minimum" + sp(9) + "1.500" + sp(4) + "\u00B5rad",
                       "Maximum" + sp(9) + "2.500" + sp(4) + "\u00B5rad",
                       "Mittel" + sp(10) + "2.00" + sp(5) + "\u00B5rad",
                       "Std.Abw." + sp(8) + "0.71" + sp(5) + "\u00B5rad"};
    QTest::newRow("whole-number minimum") << QLocale::c() << 0 << 1 << QString() << gauge("FM", '+', '4', '3')
                                          << QStringLiteral("mT") << QList<double>{1000, 1002}
                                          << QStringList{"Statistik:",
                                                         " ",
                                                         "Anzahl" + sp(14) + "2",
                                                         "Minimum" + sp(10) + "1000" + sp(4) + "mT",
                                                         "Maximum" + sp(10) + "1002" + sp(4) + "mT",
                                                         "Mittel" + sp(11) + "1001.000mT",
                                                         "Std.Abw." + sp(12) + "1.414mT"};
}

void TestStatistics::valueLines() {
    QFETCH(QLocale, locale);
    QFETCH(int, language);
    QFETCH(int, currentMemory);
    QFETCH(QString, caption);
    QFETCH(StatisticsContext, context);
    QFETCH(QString, unit);
    QFETCH(QList<double>, values);
    QFETCH(QStringList, expected);

    QLocale::setDefault(locale);
    Statistics statistics;
    addAll(statistics, values, unit, context);
    const QStringList lines = statistics.lines(header(currentMemory, caption, language));
    QCOMPARE(lines, expected);

    if (values.size() < 2)
        return;
    const QChar separator = decimalSeparator();
    const qsizetype column = lines.at(lines.size() - 4).lastIndexOf(separator);
    if (column < 0)
        return;
    QCOMPARE(lines.at(lines.size() - 2).lastIndexOf(separator), column);
    QCOMPARE(lines.at(lines.size() - 1).lastIndexOf(separator), column);
}

void TestStatistics::mixedUnits_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("German") << 0
                            << QStringList{"Statistik:", " ", " Statistik nicht möglich,", " da verschiedene",
                                           " Messeinheiten "};
    QTest::newRow("English") << 1
                             << QStringList{"Statistics:", " ", " Statistics not possible",
                                            " cause of different", " measurement units"};
}

void TestStatistics::mixedUnits() {
    QFETCH(int, language);
    QFETCH(QStringList, expected);

    Statistics statistics;
    MaterialButton button;
    for (const QString& unit : {QStringLiteral("\u00B5m"), QStringLiteral("mils"), QStringLiteral("\u00B5m")})
        statistics.addRow({12, unit, QString()}, gauge(), button);
    QVERIFY(statistics.state().mixedUnits);
    QCOMPARE(statistics.state().rowCount, 3);
    QCOMPARE(statistics.lines(header(1, QString(), language)), expected);
}

void TestStatistics::unitWithoutRule_data() {
    QTest::addColumn<char>("decimals");
    QTest::addColumn<QString>("firstMaximum");
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("mean");

    QTest::newRow("one decimal") << '1' << "12.3"
                                 << "12.3"
                                 << "15.7"
                                 << "14.00";
    QTest::newRow("three decimals") << '3' << "12.340"
                                    << "12.340"
                                    << "15.660"
                                    << "14.000";
}

void TestStatistics::unitWithoutRule() {
    QFETCH(char, decimals);
    QFETCH(QString, firstMaximum);
    QFETCH(QString, minimum);
    QFETCH(QString, maximum);
    QFETCH(QString, mean);

    Statistics statistics;
    const StatisticsContext context = gauge("FM", '+', '5', decimals);
    addAll(statistics, {12.34}, QStringLiteral("%"), context);
    QCOMPARE(statistics.state().maximumText, firstMaximum);
    addAll(statistics, {15.66}, QStringLiteral("%"), context);
    QCOMPARE(statistics.state().minimumText, minimum);
    QCOMPARE(statistics.state().maximumText, maximum);
    QCOMPARE(statistics.state().meanText, mean);
}

void TestStatistics::rule8020_data() {
    QTest::addColumn<StatisticsContext>("context");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<int>("bandCount");
    QTest::addColumn<bool>("violated");
    QTest::addColumn<QString>("german");
    QTest::addColumn<QString>("english");

    const StatisticsContext usual = rule8020Gauge(100, 80, 200);
    QTest::newRow("share of 20 % holds")
        << usual << QList<double>{85, 100, 120, 130, 150} << 1 << false << "Regel 80/20 ok: Ja 20 %"
        << "rule 80/20 ok: Yes 20 %";
    QTest::newRow("share of 60 % fails")
        << usual << QList<double>{85, 100, 85, 90, 150} << 3 << false << "Regel 80/20 ok: Nein  60 %"
        << "rule 80/20 ok: No 60 %";
    QTest::newRow("band starts at 80 % of the target")
        << usual << QList<double>{80, 120, 120, 120, 120} << 1 << false << "Regel 80/20 ok: Ja 20 %"
        << "rule 80/20 ok: Yes 20 %";
    QTest::newRow("below the minimum limit")
        << usual << QList<double>{79, 120, 120, 120, 120} << 0 << true << "Regel 80/20 ok: Nein  0 %"
        << "rule 80/20 ok: No 0 %";
    QTest::newRow("maximum limit 0 fails every positive value")
        << rule8020Gauge(100, 80, 0) << QList<double>{85, 100, 120, 130, 150} << 1 << true
        << "Regel 80/20 ok: Nein  20 %"
        << "rule 80/20 ok: No 20 %";
    QTest::newRow("mean below the target")
        << rule8020Gauge(100, 0, 200) << QList<double>{100, 100, 100, 100, 60} << 0 << false
        << "Regel 80/20 ok: Nein  0 %"
        << "rule 80/20 ok: No 0 %";
    QTest::newRow("12.5 % rounds to 12") << usual << QList<double>{85, 100, 100, 100, 100, 100, 100, 115} << 1
                                         << false << "Regel 80/20 ok: Ja 12 %"
                                         << "rule 80/20 ok: Yes 12 %";
    QTest::newRow("37.5 % rounds to 38") << usual << QList<double>{85, 85, 85, 150, 150, 150, 150, 150} << 3
                                         << false << "Regel 80/20 ok: Nein  38 %"
                                         << "rule 80/20 ok: No 38 %";
}

void TestStatistics::rule8020() {
    QFETCH(StatisticsContext, context);
    QFETCH(QList<double>, values);
    QFETCH(int, bandCount);
    QFETCH(bool, violated);
    QFETCH(QString, german);
    QFETCH(QString, english);

    Statistics statistics;
    addAll(statistics, values, QStringLiteral("\u00B5m"), context);
    QCOMPARE(statistics.state().bandCount, bandCount);
    QCOMPARE(statistics.state().limitViolated, violated);
    QCOMPARE(statistics.lines(header(1, QString(), 0)).constLast(), german);
    QCOMPARE(statistics.lines(header(1, QString(), 1)).constLast(), english);
}

void TestStatistics::materialFilter_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("memoryListText");
    QTest::addColumn<QStringList>("materials");
    QTest::addColumn<QList<bool>>("counted");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");

    const QStringList feFirst{"FE", "NFE", "FE", "NFE"};
    QTest::newRow("FE first: NFE rows left out")
        << "SM"
        << "3" << feFirst << QList<bool>{true, false, true, false} << true << "NF"
        << "FE Statistik:";
    QTest::newRow("NFE first: FE rows left out")
        << "SM"
        << "3" << QStringList{"NFE", "FE", "NFE"} << QList<bool>{true, false, true} << true << "FE"
        << "NFE Statistik:";
    QTest::newRow("memory s never filters")
        << "SM"
        << "s2" << feFirst << QList<bool>{true, true, true, true} << false << "NF"
        << "FE Statistik:";
    QTest::newRow("memory t never filters")
        << "SM"
        << " t" << feFirst << QList<bool>{true, true, true, true} << false << "NF"
        << "FE Statistik:";
    QTest::newRow("other measuring mode")
        << "FM"
        << "3" << feFirst << QList<bool>{true, true, true, true} << false << "NF"
        << "Statistik:";
}

void TestStatistics::materialFilter() {
    QFETCH(QString, mode);
    QFETCH(QString, memoryListText);
    QFETCH(QStringList, materials);
    QFETCH(QList<bool>, counted);
    QFETCH(bool, visible);
    QFETCH(QString, caption);
    QFETCH(QString, title);

    StatisticsContext context = gauge(mode);
    context.memoryListText = memoryListText;
    Statistics statistics;
    MaterialButton button;
    QList<bool> taken;
    for (int i = 0; i < materials.size(); ++i) {
        const double value = 10 + i;
        taken << statistics.addRow({value, QStringLiteral("\u00B5m"), materials.at(i)}, context, button)
                     .counted;
    }
    QCOMPARE(taken, counted);
    QCOMPARE(button.visible, visible);
    QCOMPARE(button.caption, caption);
    QCOMPARE(statistics.lines(header()).constFirst(), title);
}

void TestStatistics::materialButtonToggles_data() {
    QTest::addColumn<char>("generation");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QList<double>>("maxima");

    QTest::newRow("memory-file gauge")
        << '5' << QStringList{"NF", "FE", "NF", "FE"} << QList<double>{2, 4, 2, 4};
    QTest::newRow("probe-memory gauge")
        << '4' << QStringList{"NF", "FE", "NFE", "FE"} << QList<double>{2, 4, 2, 4};
}

void TestStatistics::materialButtonToggles() {
    QFETCH(char, generation);
    QFETCH(QStringList, captions);
    QFETCH(QList<double>, maxima);

    const RowStore rows = storeOf({row(1, 1, "FE"), row(2, 3, "NFE"), row(3, 2, "FE"), row(4, 4, "NFE")});
    const StatisticsContext context = gauge("SM", '+', generation);
    Statistics statistics;
    MaterialButton button;
    statistics.recompute(rows, context, button);
    QStringList shown{button.caption};
    QList<double> reached{statistics.state().absoluteMaximum};
    for (int click = 1; click < captions.size(); ++click) {
        QCOMPARE(statistics.switchMaterial(rows, context, button), 4);
        shown << button.caption;
        reached << statistics.state().absoluteMaximum;
        QVERIFY(button.visible);
        QCOMPARE(statistics.state().count, 2);
    }
    QCOMPARE(shown, captions);
    QCOMPARE(reached, maxima);
}

void TestStatistics::materialButtonRecountsFromScratch() {
    const RowStore rows =
        storeOf({row(1, 40, "FE"), row(2, 45, "NFE"), row(3, 60, "FE"), row(4, 300, "NFE")});
    const StatisticsContext context = [] {
        StatisticsContext result = rule8020Gauge(50, 40, 150);
        result.measure.measureMode = QStringLiteral("SM");
        return result;
    }();
    Statistics statistics;
    MaterialButton button;
    statistics.recompute(rows, context, button);
    QCOMPARE(statistics.state().absoluteMaximum, 60.0);

    statistics.switchMaterial(rows, context, button);
    const StatisticsState nonFerrous = statistics.state();
    QCOMPARE(nonFerrous.absoluteMinimum, 45.0);
    QCOMPARE(nonFerrous.absoluteMaximum, 300.0);
    QCOMPARE(nonFerrous.bandCount, 1);
    QVERIFY(nonFerrous.limitViolated);
    QCOMPARE(nonFerrous.materialLabel, QStringLiteral("NFE"));

    statistics.switchMaterial(rows, context, button);
    const StatisticsState ferrous = statistics.state();
    QCOMPARE(ferrous.absoluteMinimum, 40.0);
    QCOMPARE(ferrous.absoluteMaximum, 60.0);
    QCOMPARE(ferrous.maximumText, QStringLiteral("60.0"));
    QCOMPARE(ferrous.bandCount, 1);
    QVERIFY(!ferrous.limitViolated);
    QCOMPARE(ferrous.materialLabel, QStringLiteral("FE"));
}

void TestStatistics::recompute_data() {
    QTest::addColumn<RowStore>("rows");
    QTest::addColumn<int>("read");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("maximum");

    QTest::newRow("stops at the first absent row")
        << storeOf({row(1, 10), row(2, 12), row(0, 0), row(4, 99)}) << 2 << 2 << 12.0;
    QTest::newRow("marked rows are read, not counted")
        << storeOf({row(1, 10), row(2, 0, QString(), "X"), row(3, 12)}) << 3 << 2 << 12.0;
    QTest::newRow("empty store") << RowStore() << 0 << 0 << StatisticsState::StartMaximum;
}

void TestStatistics::recompute() {
    QFETCH(RowStore, rows);
    QFETCH(int, read);
    QFETCH(int, count);
    QFETCH(double, maximum);

    Statistics statistics;
    MaterialButton button{true, QStringLiteral("NFE")};
    addAll(statistics, {500, 600}, QStringLiteral("mils"), gauge());
    QCOMPARE(statistics.recompute(rows, gauge(), button), read);
    QCOMPARE(statistics.state().count, count);
    QCOMPARE(statistics.state().absoluteMaximum, maximum);
    QVERIFY(!statistics.state().mixedUnits);
    QVERIFY(!button.visible);
    QCOMPARE(statistics.lines(header()).isEmpty(), count == 0);
}

void TestStatistics::memoryCaption_data() {
    QTest::addColumn<char>("generation");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");

    QTest::newRow("probe memory") << '4' << 0 << "Speicher 7";
    QTest::newRow("memory file") << '5' << 1 << "Memory M03 (Bridge 2)";
    QTest::newRow("no gauge") << char(0) << 0 << "";
}

void TestStatistics::memoryCaption() {
    QFETCH(char, generation);
    QFETCH(int, language);
    QFETCH(QString, expected);

    QCOMPARE(vexa::memoryCaption(DeviceTraits{.generation = generation}, language, 7,
                                 QStringLiteral("  M03 "), QStringLiteral("Bridge 2")),
             expected);
}

Q_DECLARE_METATYPE(std::optional<vexa::MaterialButton>)

// The sheet counts the rows anew: the material the window shows first, the other one when the button is
// shown; rows marked "X" are never counted.
void TestStatistics::sheetMaterials_data() {
    QTest::addColumn<QList<MeasurementRow>>("rows");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<std::optional<MaterialButton>>("shown");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QList<int>>("counts");

    const QList<MeasurementRow> twoMaterials{row(1, 100, "FE"), row(2, 110, "FE"), row(3, 0, "NF", "X"),
                                             row(4, 50, "NF")};
    QTest::newRow("as a fill leaves the button: the first row's material first")
        << twoMaterials << "SM" << std::optional<MaterialButton>()
        << QStringList{"FE Statistik:", "NFE Statistik:"} << QList<int>{2, 1};
    QTest::newRow("the window shows the other material")
        << twoMaterials << "SM" << std::optional(MaterialButton{true, QStringLiteral("FE")})
        << QStringList{"NFE Statistik:", "FE Statistik:"} << QList<int>{1, 2};
    QTest::newRow("a hidden button: one block")
        << twoMaterials << "SM" << std::optional(MaterialButton{false, QStringLiteral("NF")})
        << QStringList{"FE Statistik:"} << QList<int>{2};
    QTest::newRow("one material measured: one block")
        << QList<MeasurementRow>{row(1, 100), row(2, 0, {}, "X"), row(3, 90)} << "FM"
        << std::optional<MaterialButton>() << QStringList{"Statistik:"} << QList<int>{2};
    QTest::newRow("no rows") << QList<MeasurementRow>{} << "FM" << std::optional<MaterialButton>()
                             << QStringList{} << QList<int>{0};
}

void TestStatistics::sheetMaterials() {
    QFETCH(QList<MeasurementRow>, rows);
    QFETCH(QString, mode);
    QFETCH(std::optional<MaterialButton>, shown);
    SheetContent content;
    content.gauge.model.deviceModel = QStringLiteral("QY");
    content.gauge.model.measureMode = mode;
    content.gauge.traits = {'5', 'L', 'E', '2', '+', '-', '2'};
    content.memoryListText = QStringLiteral("m001");
    content.rows.assign(rows.begin(), rows.end());
    const MeasurementSheet sheet = buildSheet(content, shown);

    QStringList titles;
    QList<int> counts;
    for (const Statistics& material : sheet.materials) {
        counts.append(material.state().count);
        const QStringList body = material.body(0, u'.');
        if (!body.isEmpty())
            titles.append(body.first());
    }
    QTEST(titles, "titles");
    QTEST(counts, "counts");
    // The list the window shows is the first material's.
    QCOMPARE(sheet.statisticsList().mid(2), sheet.materials.front().body(0, u'.'));
}

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
