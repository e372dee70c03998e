// The PDF inspection report as poppler reads it back: its text, its pages and the rows' marks.
#include "Poppler.h"
#include "SheetFixture.h"
#include "data/RuleFixture.h"
#include "files/TextReport.h"
#include "report/InspectionReport.h"

#include <QFile>
#include <QImage>
#include <QLocale>
#include <QScopeGuard>
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

// `content` to be judged by ISO 19840 with the nominal thickness `ndft` in µm.
SheetContent judgedByIso19840(SheetContent content, const char* ndft) {
    const RuleDefinition& rule = iso19840Rule();
    content.inspection = RuleChoice{&rule, ruleParameters(rule, {QStringLiteral("ndft=") + ndft})};
    return content;
}

// The blanks a line of pdftotext's layout starts with.
qsizetype indentOf(const QString& line) {
    qsizetype blanks = 0;
    while (blanks < line.size() && line[blanks] == u' ')
        ++blanks;
    return blanks;
}

// The line of `text` that holds `part`; empty for none.
QString lineHolding(const QString& text, const QString& part) {
    for (const QString& line : text.split(u'\n')) {
        if (line.contains(part))
            return line;
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(SheetContent)

class TestInspectionReport : public QObject {
    Q_OBJECT
private slots:
    void text_data();
    void text();
    void ruleVerdict_data();
    void ruleVerdict();
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
    // A counted word agrees with a count of one.
    QTest::newRow("one reading, in the band and outside the limits")
        << sheetContent({{88}}, limits(90, 130, 100, true))
        << QStringList{"1 von 1 Wert (100 %) liegt zwischen",
                       "1 Wert außerhalb der Grenzwerte; erlaubt ist keiner."};
    // A series holds samples, not the readings a rule judges.
    QTest::newRow("series: no period, no rule")
        << judgedByIso19840(seriesContent({1, 2, 3}), "100") << QStringList{"Prüfbericht", "Speicher:"};
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
    if (sheet.memoryKind == MemoryKind::Series) {
        QVERIFY(!text.contains(QStringLiteral("80/20")));
        QVERIFY(!text.contains(QStringLiteral("Prüfregel")));
    }
}

void TestInspectionReport::ruleVerdict_data() {
    QTest::addColumn<SheetContent>("sheet");
    QTest::addColumn<QStringList>("lines");  // in the text in this order, before the rows
    QTest::addColumn<QStringList>("absent"); // nowhere in the text
    QTest::addColumn<QString>("goesOn");     // starts a line of its own, indented below the line it ends

    QTest::newRow("ISO 19840 passes, German")
        << judgedByIso19840(memoryWithLimits(0), "80")
        << QStringList{"Prüfregel",
                       "ISO 19840: BESTANDEN (25 Messwerte in µm)",
                       "Parameter: ndft 80.0 µm, max 240 µm, correction 0.0 µm",
                       "(a) ERFÜLLT: Mittelwert 109.28 µm aus 25 Messwerten, mindestens NDFT = 80.0 µm",
                       "(b) ERFÜLLT: 0 von 25 Messwerten unter 80 % NDFT = 64.0 µm (min 85.0 µm)",
                       "(c) ERFÜLLT: 0 von 25 Messwerten von 80 % NDFT = 64.0 µm bis unter NDFT = 80.0 µm, "
                       "höchstens 5 erlaubt",
                       "(d) ERFÜLLT: 0 von 25 Messwerten über max = 240 µm (max 134 µm)"}
        << QStringList{"VERFEHLT"} << QString();
    QTest::newRow("ISO 19840 fails, English")
        << judgedByIso19840(memoryWithLimits(1), "100")
        << QStringList{"Inspection rule",
                       "ISO 19840: FAILED (25 readings in µm)",
                       "Parameters: ndft 100 µm, max 300 µm, correction 0.0 µm",
                       "(a) PASS: mean 109.28 µm of 25 readings, at least NDFT = 100 µm",
                       "(b) PASS: 0 of 25 readings below 80 % NDFT = 80.0 µm (min 85.0 µm)",
                       "(c) FAIL: 7 of 25 readings from 80 % NDFT = 80.0 µm to below NDFT = 100 µm, at most "
                       "5 "
                       "allowed; rows 1, 5, 7, 13, 14, 23, 24",
                       "(d) PASS: 0 of 25 readings above max = 300 µm (max 134 µm)"}
        << QStringList{"Prüfregel"} << QString();
    QTest::newRow("the failing rows of a long criterion line go on in the next line")
        << judgedByIso19840(sheetContent(QList<Reading>(30, Reading{90})), "100")
        << QStringList{"Prüfregel", "ISO 19840: NICHT BESTANDEN (30 Messwerte in µm)",
                       "(a) VERFEHLT: Mittelwert 90.00 µm aus 30 Messwerten, mindestens NDFT = 100 µm",
                       "(c) VERFEHLT: 30 von 30 Messwerten von 80 % NDFT = 80.0 µm bis unter NDFT = 100 µm, "
                       "höchstens 6 erlaubt; Zeilen 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 … und 20 weitere"}
        << QStringList{} << "und 20 weitere";
    QTest::newRow("no rule chosen: no section")
        << memoryWithLimits(0) << QStringList{"Prüfbericht", "80/20-Regel"}
        << QStringList{"Prüfregel", "ISO 19840", "BESTANDEN"} << QString();
    QTest::newRow("readings the rule cannot judge in its unit")
        << judgedByIso19840(sheetContent({{1.5, "mT"}, {2.5, "mT"}}), "100")
        << QStringList{"Prüfregel", "Zeile 1 ist in mT; ISO 19840 kann nicht in µm beurteilt werden"}
        << QStringList{"Parameter:", "BESTANDEN"} << QString();
}

// The verdict of the rule chosen stands above the chart and the rows, every word of it on the page.
void TestInspectionReport::ruleVerdict() {
    QFETCH(SheetContent, sheet);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, absent);
    QFETCH(QString, goesOn);
    const auto restoreLocale = qScopeGuard([locale = QLocale()] { QLocale::setDefault(locale); });
    QLocale::setDefault(QLocale::c());
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    const MeasurementSheet built = buildSheet(sheet);
    QCOMPARE(writeInspectionReport(built, path), std::nullopt);
    const QString text = textOf(path);
    // A line that goes on in the next one reads as one where blanks are compared as one.
    const QString flowing = text.simplified();
    qsizetype from = 0;
    for (const QString& line : lines) {
        const qsizetype at = flowing.indexOf(line, from);
        QVERIFY2(at >= 0, qPrintable(line + QStringLiteral(" after ") + flowing.mid(from, 80) +
                                     QStringLiteral(" in\n") + text));
        from = at + line.size();
    }
    QVERIFY(flowing.indexOf(reportParts(built).rows.front().simplified(), from) >= 0);
    for (const QString& line : absent)
        QVERIFY2(!text.contains(line), qPrintable(line));
    if (!goesOn.isEmpty()) {
        const QString lineGoingOn = lineHolding(text, goesOn);
        // The long line is the last one expected; its criterion's id starts it.
        const QString start = lineHolding(text, lines.last().left(4));
        QVERIFY2(lineGoingOn != start, qPrintable(text));
        QVERIFY2(indentOf(lineGoingOn) > indentOf(start), qPrintable(text));
    }
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
