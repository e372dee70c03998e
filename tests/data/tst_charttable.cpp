// What the charts plot, for the cases that went wrong when the chart read the window's state.
#include "SheetFixture.h"
#include "data/ChartTable.h"

#include <QTest>

using namespace vexa;

using namespace vexa::fixture;

namespace {

using References = QList<ChartReference>;

} // namespace

Q_DECLARE_METATYPE(SheetContent)
Q_DECLARE_METATYPE(std::optional<MaterialButton>)

class TestChartTable : public QObject {
    Q_OBJECT
private slots:
    void table_data();
    void table();
    void nothingToChart_data();
    void nothingToChart();
    void seriesIsWhatWasDecoded_data();
    void seriesIsWhatWasDecoded();
};

void TestChartTable::table_data() {
    QTest::addColumn<SheetContent>("sheet");
    QTest::addColumn<std::optional<MaterialButton>>("button");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<References>("references");
    QTest::addColumn<QString>("unit");

    const QList<Reading> seven{{12}, {13}, {14}, {12.5}, {13.5}, {14}, {13}};
    const QList<double> sevenValues{12, 13, 14, 12.5, 13.5, 14, 13};
    const std::optional<MaterialButton> unset;
    QTest::newRow("no limits") << sheetContent(seven) << unset << sevenValues << References{} << "µm";
    QTest::newRow("target only") << sheetContent(seven, limits(0, 0, 13)) << unset << sevenValues
                                 << References{{ChartLine::Target, 13, true}} << "µm";
    QTest::newRow("limits only") << sheetContent(seven, limits(10, 20, 0)) << unset << sevenValues
                                 << References{{ChartLine::MinimumLimit, 10, true},
                                               {ChartLine::MaximumLimit, 20, true}}
                                 << "µm";
    QTest::newRow("target and limits") << sheetContent(seven, limits(10, 20, 13)) << unset << sevenValues
                                       << References{{ChartLine::Target, 13, true},
                                                     {ChartLine::MinimumLimit, 10, true},
                                                     {ChartLine::MaximumLimit, 20, true}}
                                       << "µm";
    QTest::newRow("maximum 0 beside a minimum: no line")
        << sheetContent(seven, limits(10, 0, 13)) << unset << sevenValues
        << References{{ChartLine::Target, 13, true},
                      {ChartLine::MinimumLimit, 10, true},
                      {ChartLine::MaximumLimit, 0, false}}
        << "µm";
    QTest::newRow("minimum 0 under the 80/20 rule: a live limit")
        << sheetContent(seven, limits(0, 20, 13, true)) << unset << sevenValues
        << References{{ChartLine::Target, 13, true},
                      {ChartLine::MinimumLimit, 0, true},
                      {ChartLine::MaximumLimit, 20, true}}
        << "µm";
    // The button leaves NF out: the FE rows are charted, "X" rows among them too, none as 0.
    QTest::newRow("material filter over interleaved materials")
        << sheetContent({{10, "µm", "FE"},
                         {99, "µm", "NF"},
                         {11, "µm", "FE", "X"},
                         {98, "µm", "NF"},
                         {12, "µm", "FE"}},
                        {}, '2', QStringLiteral("SM"))
        << std::optional(MaterialButton{true, QStringLiteral("NF")}) << QList<double>{10, 11, 12}
        << References{} << "µm";
    QTest::newRow("series with fewer samples than its header claims")
        << seriesContent({0.5, 0.75, 0.25}) << unset << QList<double>{0.5, 0.75, 0.25} << References{}
        << "µVs cm";
    QTest::newRow("negative values") << sheetContent({{-3}, {2}, {-7.5}}) << unset
                                     << QList<double>{-3, 2, -7.5} << References{} << "µm";
    QTest::newRow("equal values") << sheetContent({{5}, {5}, {5}}) << unset << QList<double>{5, 5, 5}
                                  << References{} << "µm";
    // The statistics leave the "X" row out, so the units do not count as mixed; the chart converts it.
    QTest::newRow("an X row in µm after a first row in mm")
        << sheetContent({{1.5, "mm"}, {1500, "µm", "FE", "X"}, {2, "mm"}}) << unset
        << QList<double>{1.5, 1.5, 2} << References{} << "mm";
}

void TestChartTable::table() {
    QFETCH(SheetContent, sheet);
    QFETCH(std::optional<MaterialButton>, button);
    QFETCH(QList<double>, values);
    QFETCH(References, references);

    const std::optional<ChartTable> chart = buildChartTable(buildSheet(sheet, button));
    QVERIFY(chart);
    QCOMPARE(QList<double>(chart->values.begin(), chart->values.end()), values);
    QCOMPARE(chart->pointCount(), values.size());
    QCOMPARE(References(chart->references.begin(), chart->references.end()), references);
    QCOMPARE(chart->columnCount(), 1 + references.size());
    QTEST(chart->unit, "unit");

    // Only the last point is numbered.
    QCOMPARE(qsizetype(chart->labels.size()), values.size());
    for (size_t i = 0; i + 1 < chart->labels.size(); ++i)
        QCOMPARE(chart->labels[i], QStringLiteral(" "));
    QCOMPARE(chart->labels.back(), QStringLiteral(" %1").arg(values.size()));

    // Every value and every line drawn lies inside the value axis, none on its edge; an axis for
    // positive values does not reach below 0.
    QVERIFY(chart->axisMinimum < chart->axisMaximum);
    QList<double> shown = values;
    for (const ChartReference& reference : references)
        if (reference.drawn)
            shown.append(reference.value);
    for (double v : shown) {
        QVERIFY2(v > chart->axisMinimum || (v == 0 && chart->axisMinimum == 0),
                 qPrintable(QString::number(v)));
        QVERIFY2(v < chart->axisMaximum, qPrintable(QString::number(v)));
    }
    if (*std::min_element(shown.begin(), shown.end()) >= 0)
        QVERIFY(chart->axisMinimum >= 0);
    // A limit that is no line does not pull the axis to it.
    for (const ChartReference& reference : references)
        if (!reference.drawn)
            QVERIFY(chart->axisMinimum > reference.value || chart->axisMaximum < reference.value);
}

void TestChartTable::nothingToChart_data() {
    QTest::addColumn<SheetContent>("sheet");

    QTest::newRow("no rows") << sheetContent({});
    QTest::newRow("mixed units") << sheetContent({{12, "µm"}, {3, "mils"}});
    QTest::newRow("series without samples") << seriesContent({});
}

void TestChartTable::nothingToChart() {
    QFETCH(SheetContent, sheet);
    QVERIFY(!buildChartTable(buildSheet(sheet)));
}

// The memory list keeps its text while the online view or an opened file is shown, and a memory's name
// may hold a "t": only a series decoded and shown in the memory view is charted as one.
void TestChartTable::seriesIsWhatWasDecoded_data() {
    QTest::addColumn<SheetContent>("sheet");
    QTest::addColumn<bool>("series");

    const SheetContent series = seriesContent({0.5, 0.75, 0.25});
    SheetContent otherChosen = series;
    otherChosen.memoryListText = QStringLiteral("m001");
    SheetContent online = series;
    online.view = View::Online;
    online.rows = sheetContent({{92}, {97}}).rows;
    SheetContent opened = series;
    opened.openedFromFile = true;
    opened.rows = sheetContent({{12}, {13}}).rows;
    SheetContent namedWithT = sheetContent({{12}, {13}});
    namedWithT.memoryListText = QStringLiteral("mt01");
    namedWithT.memoryKind = MemoryKind::Measurement;

    QTest::newRow("series read") << series << true;
    QTest::newRow("series read, another memory chosen in the list") << otherChosen << true;
    QTest::newRow("online view after a series") << online << false;
    QTest::newRow("file opened after a series") << opened << false;
    QTest::newRow("memory of rows named with a t") << namedWithT << false;
}

void TestChartTable::seriesIsWhatWasDecoded() {
    QFETCH(SheetContent, sheet);
    QFETCH(bool, series);
    const MeasurementSheet built = buildSheet(sheet);
    QCOMPARE(built.showsSeries(), series);
    const std::optional<ChartTable> chart = buildChartTable(built);
    QVERIFY(chart);
    QCOMPARE(chart->series, series);
    QCOMPARE(chart->pointCount(), series ? 3 : 2);
}

QTEST_GUILESS_MAIN(TestChartTable)
#include "tst_charttable.moc"
