// The spreadsheet export's data sheet as cells: where each part lands and how its numbers are shown.
#include "SheetFixture.h"
#include "files/TextReport.h"
#include "files/WorkbookLayout.h"

#include <QTest>

using namespace vexa;
using namespace vexa::fixture;

namespace {

QString textAt(const WorkbookLayout& layout, int row, int column) {
    const WorkbookCell* cell = layout.cellAt(row, column);
    return cell && std::holds_alternative<QString>(cell->content) ? std::get<QString>(cell->content)
                                                                  : QString();
}

// Column A from the statistics heading down to the row before the table's heading: label, then the number
// and its format ("-" for none) or the text of column B.
QStringList statisticsRows(const WorkbookLayout& layout, int from) {
    QStringList rows;
    for (int row = from; row < layout.headingRow; ++row) {
        QString line = textAt(layout, row, 0);
        if (const WorkbookCell* b = layout.cellAt(row, 1)) {
            if (std::holds_alternative<double>(b->content))
                line += QStringLiteral(" | %1 %2")
                            .arg(std::get<double>(b->content))
                            .arg(b->format == CellFormat::Count    ? QStringLiteral("count")
                                 : b->format == CellFormat::Values ? QStringLiteral("values")
                                                                   : QStringLiteral("-"));
            else
                line += QStringLiteral(" | ") + std::get<QString>(b->content);
        }
        if (!line.isEmpty())
            rows << line;
    }
    return rows;
}

} // namespace

Q_DECLARE_METATYPE(SheetContent)
Q_DECLARE_METATYPE(std::optional<MaterialButton>)
Q_DECLARE_METATYPE(std::optional<WorkbookLine>)

class TestWorkbookLayout : public QObject {
    Q_OBJECT
private slots:
    void statistics_data();
    void statistics();
    void projectLinesComeFirst();
    void table_data();
    void table();
    void meanLine_data();
    void meanLine();
};

void TestWorkbookLayout::statistics_data() {
    QTest::addColumn<SheetContent>("sheet");
    QTest::addColumn<std::optional<MaterialButton>>("button");
    QTest::addColumn<QStringList>("rows");
    const std::optional<MaterialButton> none;

    const QList<Reading> three{{12.344}, {13}, {14.5}};
    QTest::newRow("two decimals, no limits")
        << sheetContent(three) << none
        << QStringList{"Statistik: m001 abs",   "Anzahl | 3 count",      "Minimum | 12.34 values",
                       "Maximum | 14.5 values", "Mittel | 13.28 values", "Std.Abw. | 1.11 values"};
    QTest::newRow("one decimal keeps the default format")
        << sheetContent(three, {}, '1') << none
        << QStringList{"Statistik: m001 abs", "Anzahl | 3 count", "Minimum | 12.3 -",
                       "Maximum | 14.5 -",    "Mittel | 13.3 -",  "Std.Abw. | 1.1 -"};
    QTest::newRow("one reading: no deviation")
        << sheetContent({{12}}) << none
        << QStringList{"Statistik: m001 abs", "Anzahl | 1 count", "Minimum | 12 values",
                       "Maximum | 12 values", "Mittel | 12 values"};
    QTest::newRow("limits and target, rule off: no verdict")
        << sheetContent(three, limits(10, 20, 13)) << none
        << QStringList{"Statistik: m001 abs",   "Anzahl | 3 count",      "Minimum | 12.34 values",
                       "Maximum | 14.5 values", "Mittel | 13.28 values", "Std.Abw. | 1.11 values",
                       "Min Limit | 10 values", "Max Limit | 20 values", "Sollwert     | 13 values"};
    QTest::newRow("the 80/20 rule gives its verdict")
        << sheetContent(three, limits(10, 20, 13, true)) << none
        << QStringList{"Statistik: m001 abs",          "Anzahl | 3 count",      "Minimum | 12.34 values",
                       "Maximum | 14.5 values",        "Mittel | 13.28 values", "Std.Abw. | 1.11 values",
                       "Regel 80/20 ok: | Nein  33 %", "Min Limit | 10 values", "Max Limit | 20 values",
                       "Sollwert     | 13 values"};
    QTest::newRow("mixed units") << sheetContent({{12, "µm"}, {3, "mils"}}) << none
                                 << QStringList{"Statistik: m001 abs", " Statistik nicht möglich,",
                                                " da verschiedene", " Messeinheiten "};
    SheetContent online = sheetContent(three);
    online.view = View::Online;
    QTest::newRow("online view") << online << none
                                 << QStringList{"Statistik: Online abs",  "Anzahl | 3 count",
                                                "Minimum | 12.34 values", "Maximum | 14.5 values",
                                                "Mittel | 13.28 values",  "Std.Abw. | 1.11 values"};
    SheetContent twoMaterials = sheetContent({{12, "µm", "FE"}, {50, "µm", "NF"}, {14, "µm", "FE"}});
    twoMaterials.gauge.model.measureMode = QStringLiteral("SM");
    QTest::newRow("two materials, each block named")
        << twoMaterials << std::optional(MaterialButton{true, QStringLiteral("NF")})
        << QStringList{"FE Statistik: m001 abs", "Anzahl | 2 count",   "Minimum | 12 values",
                       "Maximum | 14 values",    "Mittel | 13 values", "Std.Abw. | 1.41 values",
                       "NF Statistik:abs",       "Anzahl | 1 count",   "Minimum | 50 values",
                       "Maximum | 50 values",    "Mittel | 50 values"};
    SheetContent oneOfTwo = sheetContent({{12, "µm", "FE"}, {14, "µm", "FE"}}, limits(10, 20, 0));
    oneOfTwo.gauge.model.measureMode = QStringLiteral("SM");
    QTest::newRow("the other material has no rows: no numbers in its block")
        << oneOfTwo << std::optional(MaterialButton{true, QStringLiteral("NF")})
        << QStringList{"FE Statistik: m001 abs",
                       "Anzahl | 2 count",
                       "Minimum | 12 values",
                       "Maximum | 14 values",
                       "Mittel | 13 values",
                       "Std.Abw. | 1.41 values",
                       "Min Limit | 10 values",
                       "Max Limit | 20 values",
                       "NF Statistik:abs",
                       "Anzahl | 0 count",
                       "Minimum",
                       "Maximum",
                       "Mittel",
                       "Min Limit | 10 values",
                       "Max Limit | 20 values"};
}

void TestWorkbookLayout::statistics() {
    QFETCH(SheetContent, sheet);
    QFETCH(std::optional<MaterialButton>, button);
    const MeasurementSheet built = buildSheet(sheet, button);
    const WorkbookLayout layout = workbookLayout(built);
    const int heading = static_cast<int>(reportLines(built, ReportMode::Project).size());
    QTEST(statisticsRows(layout, heading), "rows");
}

// The project section as the text report has it, a line a row, trimmed; the statistics right below.
void TestWorkbookLayout::projectLinesComeFirst() {
    SheetContent c = sheetContent({{12}});
    c.project.fields = {"  Kunde Süd  ", "Auftrag 7", "", "", "", ""};
    const MeasurementSheet sheet = buildSheet(c);
    const WorkbookLayout layout = workbookLayout(sheet);
    const QStringList project = reportLines(sheet, ReportMode::Project);
    QVERIFY(project.size() >= 2);
    for (int row = 0; row < project.size(); ++row)
        QCOMPARE(textAt(layout, row, 0), project[row].trimmed());
    QCOMPARE(textAt(layout, int(project.size()), 0), QStringLiteral("Statistik: m001 abs"));
    QCOMPARE(layout.sheetName, QStringLiteral("Messwerte"));
}

void TestWorkbookLayout::table_data() {
    QTest::addColumn<SheetContent>("sheet");
    QTest::addColumn<int>("gap"); // empty rows between the statistics and the table's heading
    QTest::addColumn<QStringList>("firstRow");

    QTest::newRow("rows") << sheetContent({{12.344}, {13}}) << 2
                          << QStringList{" 17.02.2026 09:30:01", "1", "12.3", "µm", "FE"};
    QTest::newRow("mixed units: four empty rows")
        << sheetContent({{12, "µm"}, {3, "mils"}}) << 4
        << QStringList{" 17.02.2026 09:30:01", "1", "12", "µm", "FE"};
    QTest::newRow("series: times as numbers")
        << seriesContent({0.5, 0.754, 0.25}) << 2 << QStringList{"", "0.5", "0.5", "µVs cm", ""};
}

void TestWorkbookLayout::table() {
    QFETCH(SheetContent, sheet);
    QFETCH(int, gap);
    QFETCH(QStringList, firstRow);
    const MeasurementSheet built = buildSheet(sheet);
    const WorkbookLayout layout = workbookLayout(built);

    int lastStatistics = layout.headingRow - 1;
    while (lastStatistics > 0 && !layout.cellAt(lastStatistics, 0))
        --lastStatistics;
    QCOMPARE(layout.headingRow - lastStatistics - 1, gap);
    QCOMPARE(textAt(layout, layout.headingRow, 2), QStringLiteral("Messwert"));
    QVERIFY(!layout.cellAt(layout.headingRow + 1, 0));

    const int first = layout.headingRow + 2;
    QStringList shown;
    for (int column = 0; column < 5; ++column) {
        const WorkbookCell* cell = layout.cellAt(first, column);
        shown << (!cell ? QString()
                  : std::holds_alternative<double>(cell->content)
                      ? QString::number(std::get<double>(cell->content))
                      : std::get<QString>(cell->content));
    }
    QCOMPARE(shown, firstRow);
    // Numbers, not texts: a chart plots against them.
    QVERIFY(std::holds_alternative<double>(layout.cellAt(first, 1)->content));
    QCOMPARE(layout.cellAt(first, 2)->format, CellFormat::Values);
    QCOMPARE(layout.tableRows, built.showsSeries() ? int(built.seriesValues.size()) : int(built.rows.size()));
}

void TestWorkbookLayout::meanLine_data() {
    QTest::addColumn<SheetContent>("sheet");
    QTest::addColumn<std::optional<MaterialButton>>("button");
    QTest::addColumn<std::optional<WorkbookLine>>("mean");

    SheetContent twoMaterials = sheetContent({{12, "µm", "FE"}, {50, "µm", "NF"}, {14, "µm", "FE"}});
    twoMaterials.gauge.model.measureMode = QStringLiteral("SM");
    SheetContent oneOfTwo = sheetContent({{12, "µm", "FE"}, {14, "µm", "FE"}});
    oneOfTwo.gauge.model.measureMode = QStringLiteral("SM");
    const MaterialButton offersNf{true, QStringLiteral("NF")};
    QTest::newRow("one block") << sheetContent({{12}, {14}}) << std::optional<MaterialButton>()
                               << std::optional(WorkbookLine{QStringLiteral("Mittel"), 13});
    QTest::newRow("two blocks: the second's, named")
        << twoMaterials << std::optional(offersNf)
        << std::optional(WorkbookLine{QStringLiteral("NF Mittel"), 50});
    QTest::newRow("the second material has no rows: the first's")
        << oneOfTwo << std::optional(offersNf)
        << std::optional(WorkbookLine{QStringLiteral("FE Mittel"), 13});
    QTest::newRow("series: none") << seriesContent({1, 2, 3}) << std::optional<MaterialButton>()
                                  << std::optional<WorkbookLine>();
}

void TestWorkbookLayout::meanLine() {
    QFETCH(SheetContent, sheet);
    QFETCH(std::optional<MaterialButton>, button);
    const WorkbookLayout layout = workbookLayout(buildSheet(sheet, button));
    QVERIFY(layout.chart);
    QTEST(layout.chart->mean, "mean");
}

QTEST_GUILESS_MAIN(TestWorkbookLayout)
#include "tst_workbooklayout.moc"
