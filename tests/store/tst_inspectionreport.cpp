// The PDF inspection report as poppler reads it back: its text, its pages and the rows' marks.
#include "Poppler.h"
#include "SheetFixture.h"
#include "files/TextReport.h"
#include "report/InspectionReport.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;
using namespace vexa::fixture;

namespace {

QString textOf(const QString& pdf) {
    return QString::fromUtf8(
        toolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
}

// 25 readings around a target of 100 with limits 90 and 130, as the demo gauge's m001 holds them.
SheetContent memoryWithLimits(int languageIndex) {
    QList<Reading> readings;
    for (int i = 0; i < 25; ++i)
        readings.append(Reading{(i % 9 == 4) ? 85.0 : 95.0 + (i * 7) % 40});
    SheetContent content = sheetContent(readings, limits(90, 130, 100, true));
    content.gauge.deviceName = QStringLiteral("QY-FE 2107");
    content.gauge.device.S = QStringLiteral("2107");
    content.memoryCaption = QStringLiteral("Speicher m001 (Bridge pier 4)");
    content.languageIndex = languageIndex;
    return content;
}

} // namespace

Q_DECLARE_METATYPE(SheetContent)

class TestInspectionReport : public QObject {
    Q_OBJECT
private slots:
    void text_data();
    void text();
    void rowsKeepTheirLinesAndMarks();
    void fullMemoryGoesOnOverPages();
    void unwritableFolderLeavesNoFile();
};

void TestInspectionReport::text_data() {
    QTest::addColumn<SheetContent>("sheet");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("German") << memoryWithLimits(0)
                            << QStringList{"Prüfbericht",
                                           "Gerät:          QY-FE 2107",
                                           "Seriennummer:",
                                           "Speicher:       Speicher m001 (Bridge pier 4)",
                                           "Zeitraum:       17.02.2026 09:30:01 – 17.02.2026 09:30:05",
                                           "80/20-Regel: Nein",
                                           "von 25 Werten",
                                           "Sollwert",
                                           "Minimum 90",
                                           "Maximum 130"};
    QTest::newRow("English") << memoryWithLimits(1)
                             << QStringList{"Inspection report", "Device:",        "Serial number:",
                                            "Period:",           "80/20 rule: No", "of 25 readings",
                                            "Target value"};
    QTest::newRow("series: no period, no rule")
        << seriesContent({1, 2, 3}) << QStringList{"Prüfbericht", "Speicher:"};
}

void TestInspectionReport::text() {
    QFETCH(SheetContent, sheet);
    QFETCH(QStringList, lines);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    QCOMPARE(writeInspectionReport(buildSheet(sheet), path), std::nullopt);
    const QString text = textOf(path);
    QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
    for (const QString& line : lines)
        QVERIFY2(text.contains(line), qPrintable(line + QStringLiteral(" in\n") + text));
    if (sheet.memoryKind == MemoryKind::Series)
        QVERIFY(!text.contains(QStringLiteral("80/20")));
}

// Every line of the text report is in the PDF, the rows' lines in order; a row outside the limits is
// marked red, one inside green.
void TestInspectionReport::rowsKeepTheirLinesAndMarks() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    const MeasurementSheet sheet = buildSheet(memoryWithLimits(0));
    QCOMPARE(writeInspectionReport(sheet, path), std::nullopt);
    // Poppler lays the columns out anew: blanks are compared as one.
    const QString text = textOf(path).simplified();
    qsizetype from = 0;
    for (const QString& line : reportParts(sheet).rows) {
        const qsizetype at = text.indexOf(line.simplified(), from);
        QVERIFY2(at >= 0, qPrintable(line));
        from = at + 1;
    }

    toolOutput(QStringLiteral("pdftoppm"),
               {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"),
                QStringLiteral("-singlefile"), path, folder.filePath(QStringLiteral("page"))});
    const QImage page(folder.filePath(QStringLiteral("page.png")));
    QVERIFY(!page.isNull());
    bool green = false;
    bool red = false;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width() / 8; ++x) {
            const QColor c = page.pixelColor(x, y);
            green = green || (c.red() == 158 && c.green() == 232 && c.blue() == 155);
            red = red || (c.red() == 239 && c.green() == 162 && c.blue() == 162);
        }
    QVERIFY(green);
    QVERIFY(red);
}

void TestInspectionReport::fullMemoryGoesOnOverPages() {
    QList<Reading> readings;
    for (int i = 0; i < RowStore::Capacity; ++i)
        readings.append(Reading{80.0 + i % 50});
    const MeasurementSheet sheet = buildSheet(sheetContent(readings));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("full.pdf"));
    QCOMPARE(writeInspectionReport(sheet, path), std::nullopt);
    const QString info = QString::fromUtf8(toolOutput(QStringLiteral("pdfinfo"), {path}));
    const int pages = info.section(QStringLiteral("Pages:"), 1).trimmed().section(u'\n', 0, 0).toInt();
    QVERIFY2(pages > 50, qPrintable(info));
    QVERIFY(textOf(path).simplified().contains(reportParts(sheet).rows.last().simplified()));
}

void TestInspectionReport::unwritableFolderLeavesNoFile() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("missing/report.pdf"));
    const std::optional<QString> failure = writeInspectionReport(buildSheet(memoryWithLimits(0)), path);
    QVERIFY(failure);
    QVERIFY(!failure->isEmpty());
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(TestInspectionReport)
#include "tst_inspectionreport.moc"
