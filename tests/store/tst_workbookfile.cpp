// The workbook as a spreadsheet reader (openpyxl) finds it.
#include "OfficeReaders.h"
#include "SheetFixture.h"
#include "files/WorkbookFile.h"
#include "files/WorkbookLayout.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;

Q_DECLARE_METATYPE(SheetContent)

namespace {

MeasurementSheet sheetOf(char decimals, const QString& memory) {
    SheetContent c = fixture::sheetContent({{12.344}, {13}, {14.5}}, fixture::limits(10, 20, 0), decimals);
    c.memoryListText = memory;
    return buildSheet(c);
}

QJsonObject cellAt(const QJsonObject& read, const QString& ref) {
    for (const QJsonValue& cell : read[QStringLiteral("cells")].toArray())
        if (cell[QStringLiteral("ref")].toString() == ref)
            return cell.toObject();
    return {};
}

QString a1(int row, int column) {
    return QString(QChar(u'A' + column)) + QString::number(row + 1);
}

} // namespace

class TestWorkbookFile : public QObject {
    Q_OBJECT
private slots:
    void readsBackAsLaidOut_data();
    void readsBackAsLaidOut();
    void chartSheet_data();
    void chartSheet();
    void anUnwritableFolderLeavesNoFile();
};

void TestWorkbookFile::readsBackAsLaidOut_data() {
    QTest::addColumn<char>("decimals");
    QTest::addColumn<QString>("memory");
    QTest::addColumn<QString>("valuesFormat");

    QTest::newRow("one decimal") << '1' << "m001"
                                 << "###,##0.0_)";
    QTest::newRow("two decimals") << '2' << "m001"
                                  << "###,##0.00_)";
    QTest::newRow("three decimals") << '3' << "m001"
                                    << "###,##0.000_)";
    QTest::newRow("a memory name with byte 01") << '2' << QStringLiteral("m\x01x") << "###,##0.00_)";
}

void TestWorkbookFile::readsBackAsLaidOut() {
    QFETCH(char, decimals);
    QFETCH(QString, memory);
    QFETCH(QString, valuesFormat);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("export.xlsx"));
    const MeasurementSheet sheet = sheetOf(decimals, memory);
    QCOMPARE(writeWorkbook(sheet, path, WorkbookCharts::None), std::nullopt);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"export.xlsx"});

    const QJsonObject read = readWorkbook(path).found;
    QCOMPARE(read[QStringLiteral("sheets")].toArray(), QJsonArray{QStringLiteral("Messwerte")});
    const QJsonObject widths = read[QStringLiteral("widths")].toObject();
    for (const auto& [column, width] : {std::pair{"A", 50.0}, {"C", 17.0}, {"D", 15.0}})
        QVERIFY2(qAbs(widths[QLatin1String(column)].toDouble() - width) < 1, column);

    // Every cell the layout writes is there, with its value and format, in bold 10-point Lucida Console.
    const WorkbookLayout layout = workbookLayout(sheet);
    for (const WorkbookCell& cell : layout.cells) {
        const QJsonObject found = cellAt(read, a1(cell.row, cell.column));
        if (const auto* text = std::get_if<QString>(&cell.content)) {
            if (text->isEmpty())
                continue;
            QCOMPARE(found[QStringLiteral("value")].toString(),
                     text->contains(QChar(1)) ? QString(*text).replace(QChar(1), QChar(0xFFFD)) : *text);
        } else {
            QCOMPARE(found[QStringLiteral("value")].toDouble(), std::get<double>(cell.content));
        }
        const QString format = found[QStringLiteral("format")].toString();
        switch (cell.format) {
        case CellFormat::General:
            QCOMPARE(format, QStringLiteral("General"));
            break;
        case CellFormat::Count:
            QCOMPARE(format, QStringLiteral("###0_______)"));
            break;
        case CellFormat::Values:
            QCOMPARE(format, valuesFormat);
            break;
        }
        QCOMPARE(found[QStringLiteral("font")].toArray(),
                 (QJsonArray{QStringLiteral("Lucida Console"), true, 10.0}));
    }
}

void TestWorkbookFile::chartSheet_data() {
    QTest::addColumn<SheetContent>("sheet");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("looks"); // colour, dash and width (EMU) of each series
    QTest::addColumn<QString>("title");

    using fixture::limits;
    using fixture::sheetContent;
    const QList<fixture::Reading> three{{12.344}, {13}, {14.5}};
    QTest::newRow("values and mean") << sheetContent(three) << QStringList{"Messwerte", "Mittel"}
                                     << QStringList{"000000 - -", "0000CD sysDot 19050"} << "Speicher m001";
    QTest::newRow("limits and target")
        << sheetContent(three, limits(10, 20, 13))
        << QStringList{"Messwerte", "Mittel", "Maximum", "Minimum", "Sollwert    "}
        << QStringList{"000000 - -", "0000CD sysDot 19050", "00B050 dash 19050", "00B050 dash 19050",
                       "EE2C2C - 25400"}
        << "Speicher m001";
    SheetContent named = sheetContent(three, limits(10, 20, 0));
    named.memoryListText = QStringLiteral("m\x01<&>");
    named.memoryCaption = QStringLiteral("Speicher m\x01<&>");
    QTest::newRow("a memory name with byte 01 and markup")
        << named << QStringList{"Messwerte", "Mittel", "Maximum", "Minimum"}
        << QStringList{"000000 - -", "0000CD sysDot 19050", "00B050 dash 19050", "00B050 dash 19050"}
        << QStringLiteral("Speicher m\uFFFD<&>");
    QTest::newRow("series: no mean") << fixture::seriesContent({0.5, 0.75, 0.25}) << QStringList{"Messwerte"}
                                     << QStringList{"000000 - -"} << "Chart Trigger t003 ()";
}

// The chart sheet opens first; its lines span the data's numbers; every part is well-formed XML.
void TestWorkbookFile::chartSheet() {
    QFETCH(SheetContent, sheet);
    QFETCH(QStringList, names);
    QFETCH(QStringList, looks);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("chart.xlsx"));
    const MeasurementSheet built = buildSheet(sheet);
    QCOMPARE(writeWorkbook(built, path, WorkbookCharts::ChartSheet), std::nullopt);

    const QJsonObject read = readWorkbook(path).found;
    QCOMPARE(read[QStringLiteral("refused")].toArray(), QJsonArray{});
    QCOMPARE(read[QStringLiteral("sheets")].toArray(),
             (QJsonArray{QStringLiteral("Chart"), QStringLiteral("Messwerte"), QStringLiteral("Linien")}));
    QCOMPARE(read[QStringLiteral("active")].toString(), QStringLiteral("Chart"));
    const QJsonObject chart = read[QStringLiteral("chart")].toObject();
    QTEST(chart[QStringLiteral("title")].toString(), "title");
    QCOMPARE(chart[QStringLiteral("legend")].toString(), QStringLiteral("b"));

    QStringList readNames;
    QStringList readLooks;
    const QJsonArray series = chart[QStringLiteral("series")].toArray();
    for (const QJsonValue& one : series) {
        readNames << one[QStringLiteral("name")].toString();
        const auto orDash = [](const QJsonValue& value) {
            return value.isNull() ? QStringLiteral("-") : value.toString();
        };
        readLooks << one[QStringLiteral("colour")].toString() + u' ' + orDash(one[QStringLiteral("dash")]) +
                         u' ' + orDash(one[QStringLiteral("width")]);
        QCOMPARE(one[QStringLiteral("marker")].toString(), QStringLiteral("none"));
    }
    QCOMPARE(readNames, names);
    QCOMPARE(readLooks, looks);

    // The values plot against column B of the table; each line runs from its first X to its last.
    const WorkbookLayout layout = workbookLayout(built);
    const int first = layout.headingRow + 3;
    const int last = layout.headingRow + 2 + layout.tableRows;
    QCOMPARE(series[0][QStringLiteral("x")].toString(),
             QStringLiteral("Messwerte!$B$%1:$B$%2").arg(first).arg(last));
    QCOMPARE(series[0][QStringLiteral("y")].toString(),
             QStringLiteral("Messwerte!$C$%1:$C$%2").arg(first).arg(last));
    const QJsonArray lines = read[QStringLiteral("lines")].toArray();
    QCOMPARE(lines.size(), 2 * (series.size() - 1));
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(lines[i][0].toDouble(), i % 2 == 0 ? layout.chart->firstX : layout.chart->lastX);
}

void TestWorkbookFile::anUnwritableFolderLeavesNoFile() {
    QTemporaryDir folder;
    const QString blocker = folder.filePath(QStringLiteral("file"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const std::optional<QString> error =
        writeWorkbook(sheetOf('2', QStringLiteral("m001")), blocker + "/x.xlsx", WorkbookCharts::ChartSheet);
    QVERIFY(error);
    QVERIFY(!error->isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"file"});
}

QTEST_GUILESS_MAIN(TestWorkbookFile)
#include "tst_workbookfile.moc"
