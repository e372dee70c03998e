// The report handed on as it is: onto the clipboard, and onto paper (a printer set to PDF output stands in
// for a real one, and poppler reads back what was printed).
#include "MainWindowFixture.h"
#include "Poppler.h"
#include "files/TextReport.h"
#include "files/TransferLog.h"
#include "report/FixedFont.h"
#include "widgets/ReportPrinter.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QClipboard>
#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <cmath>

using namespace vexa;
using namespace vexa::ctl;
using vexa::fixture::Reading;

namespace {

// The width of one character of the report's font, in points: poppler lays the text out in it.
double pitch(QPrinter& printer) {
    return QFontMetricsF(fixedFont(10), &printer).horizontalAdvance(u'0') * 72 / printer.resolution();
}

// The printed text, page by page, each line without the blanks after it.
QList<QStringList> printedPages(QPrinter& printer, const QString& pdf) {
    QList<QStringList> pages;
    const QString text = QString::fromUtf8(fixture::toolOutput(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-fixed"), QString::number(pitch(printer)), pdf, QStringLiteral("-")}));
    for (const QString& page : text.split(u'\f')) {
        QStringList lines;
        for (const QString& line : page.split(u'\n'))
            lines.append(QString(line).remove(QRegularExpression(QStringLiteral("\\s+$"))));
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        pages.append(lines);
    }
    while (!pages.isEmpty() && pages.last().isEmpty())
        pages.removeLast();
    // Poppler counts columns from the paper's edge: the page margin comes first on every line.
    qsizetype margin = std::numeric_limits<qsizetype>::max();
    for (const QStringList& page : pages)
        for (const QString& line : page)
            if (!line.isEmpty())
                margin = std::min(margin,
                                  line.size() -
                                      QString(line).remove(QRegularExpression(QStringLiteral("^ +"))).size());
    for (QStringList& page : pages)
        for (QString& line : page)
            line.remove(0, margin);
    return pages;
}

QStringList withoutTrailingBlanks(QStringList lines) {
    for (QString& line : lines)
        line.remove(QRegularExpression(QStringLiteral("\\s+$")));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

struct PdfPrinter {
    QTemporaryDir folder;
    QPrinter printer{QPrinter::HighResolution};
    QString file;

    explicit PdfPrinter(const QString& name = QStringLiteral("report.pdf")) {
        file = folder.filePath(name);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::A4));
    }
};

QStringList reportOf(const QList<Reading>& readings, const Limits& limits = {}) {
    return reportLines(buildSheet(fixture::sheetContent(readings, limits)), ReportMode::All);
}

} // namespace

class TestReportPrint : public QObject {
    Q_OBJECT
private slots:
    void printedLinesAreTheReport();
    void printedInTheFixedFont();
    void fullMemoryFillsItsPages();
    void longLineWraps();
    void unwritableFileIsSaid();
    void clipboardHoldsTheReport();
    void pdfReportFromTheMainWindow_data();
    void pdfReportFromTheMainWindow();
};

void TestReportPrint::printedLinesAreTheReport() {
    const QStringList report = reportOf({{12.5}, {13}, {140, "µm", "NF"}}, fixture::limits(10, 20, 13, true));
    PdfPrinter pdf;
    QCOMPARE(printReport(pdf.printer, report), std::nullopt);
    const QList<QStringList> pages = printedPages(pdf.printer, pdf.file);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages.first(), withoutTrailingBlanks(report));
}

// Not the name the exports write ("Lucida Console", which Linux lacks), but a family of fixed pitch that
// the machine has.
void TestReportPrint::printedInTheFixedFont() {
    PdfPrinter pdf;
    QCOMPARE(printReport(pdf.printer, reportOf({{12}})), std::nullopt);
    const QStringList fonts =
        QString::fromUtf8(fixture::toolOutput(QStringLiteral("pdffonts"), {pdf.file})).split(u'\n').mid(2);
    QVERIFY(!fonts.isEmpty() && !fonts.first().isEmpty());
    // "ABCDEF+DejaVuSansMono" names the family without blanks.
    const QString embedded = fonts.first().section(u' ', 0, 0).section(u'+', -1);
    QVERIFY(!embedded.isEmpty());
    const QStringList mono =
        QString::fromUtf8(fixture::toolOutput(QStringLiteral("fc-list"),
                                              {QStringLiteral(":spacing=mono"), QStringLiteral("family")}))
            .split(u'\n');
    bool listed = false;
    for (const QString& families : mono)
        for (const QString& family : families.split(u','))
            listed = listed || QString(family).remove(u' ') == embedded.section(u'-', 0, 0);
    QVERIFY2(listed, qPrintable(embedded));
}

// A full memory: as many pages as its lines need at the lines a page takes between its margins.
void TestReportPrint::fullMemoryFillsItsPages() {
    QList<Reading> readings;
    for (int i = 0; i < RowStore::Capacity; ++i)
        readings.append(Reading{80.0 + i % 50});
    const QStringList report = reportOf(readings);
    PdfPrinter pdf;
    QCOMPARE(printReport(pdf.printer, report), std::nullopt);

    const QSizeF paper = pdf.printer.pageLayout().fullRectPoints().size();
    const double printableHeight = paper.height() - 2 * ReportMarginMm * 72 / 25.4;
    const double lineSpacing =
        QFontMetricsF(fixedFont(10), &pdf.printer).lineSpacing() * 72 / pdf.printer.resolution();
    const int perPage = static_cast<int>(std::floor(printableHeight / lineSpacing));
    const QList<QStringList> pages = printedPages(pdf.printer, pdf.file);
    QCOMPARE(pages.size(), static_cast<qsizetype>(std::ceil(double(report.size()) / perPage)));
    QCOMPARE(pages.first().size(), perPage);
    QStringList printed;
    for (const QStringList& page : pages)
        printed += page;
    QCOMPARE(printed, withoutTrailingBlanks(report));
}

void TestReportPrint::longLineWraps() {
    const QString longLine = QString(QStringLiteral("0123456789")).repeated(30);
    PdfPrinter pdf;
    QCOMPARE(printReport(pdf.printer, {QStringLiteral("first"), longLine, QStringLiteral("last")}),
             std::nullopt);
    const QStringList lines = printedPages(pdf.printer, pdf.file).value(0);
    QVERIFY2(lines.size() > 3, qPrintable(lines.join(u'|')));
    QCOMPARE(lines.first(), QStringLiteral("first"));
    QCOMPARE(lines.last(), QStringLiteral("last"));
    QCOMPARE(lines.mid(1, lines.size() - 2).join(QString()), longLine);
}

void TestReportPrint::unwritableFileIsSaid() {
    PdfPrinter pdf(QStringLiteral("missing/report.pdf"));
    QCOMPARE(printReport(pdf.printer, reportOf({{12}})), std::optional(PrintFailure::FileNotWritable));

    ScriptedPrompt prompt;
    MainModel model(prompt);
    model.programStart({QString(), pdf.folder.path(), pdf.folder.path()});
    model.reportNotPrinted(PrintFailure::FileNotWritable, pdf.file);
    const QString said =
        QStringLiteral("Der Bericht wurde nicht gedruckt: die Datei %1 kann nicht geschrieben werden")
            .arg(pdf.file);
    QCOMPARE(prompt.shown(), QStringList{said});
    QFile log(model.log().filePath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(log.readAll()).contains(said));
}

// The clipboard holds the report as the measurement file has it, without the file's last line end; a
// second copy gives the same text and leaves the material shown as it was.
void TestReportPrint::clipboardHoldsTheReport() {
    fixture::MainWindowShowing shown({{12, "µm", "FE"}, {30, "µm", "NF"}, {14, "µm", "FE"}});
    MainModel& model = shown.model;
    const QString material = model.controls().caption(cmdMaterial);
    const QStringList list = model.controls().items(lstStat);
    QGuiApplication::clipboard()->setText(QStringLiteral("copied before"));

    auto* copy = shown.window.findChild<QPushButton*>(cmdClipboard);
    QVERIFY(copy->isEnabled());
    copy->click();
    const QString first = QGuiApplication::clipboard()->text();
    QString file = measurementFileText(model.reportSheet());
    QVERIFY(file.endsWith(QStringLiteral("\r\n\r\n")));
    file.chop(2);
    QCOMPARE(first, file);
    QVERIFY(first.contains(QStringLiteral("\r\n")));
    copy->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), first);
    QCOMPARE(model.controls().caption(cmdMaterial), material);
    QCOMPARE(model.controls().items(lstStat), list);
    QVERIFY(shown.prompt.shown().isEmpty());
}

void TestReportPrint::pdfReportFromTheMainWindow_data() {
    QTest::addColumn<QString>("chosen"); // relative to a temporary folder; empty: the dialog is cancelled
    QTest::addColumn<bool>("written");
    QTest::newRow("saved and opened") << "m001.pdf" << true;
    QTest::newRow("name without its extension") << "m001" << true;
    QTest::newRow("cancelled") << "" << false;
    QTest::newRow("a folder that is not there") << "missing/m001.pdf" << false;
}

// "PDF report" goes the exports' way: a save dialog, the file written whole, opened with the desktop's
// viewer; a cancel says nothing, a failure says so and logs "Open PDF:"; the commands come back either way.
void TestReportPrint::pdfReportFromTheMainWindow() {
    QFETCH(QString, chosen);
    QFETCH(bool, written);
    fixture::MainWindowShowing shown({{12}, {14}, {95}});
    QUrl opened;
    shown.window.setDocumentViewer([&opened](const QUrl& url) {
        opened = url;
        return true;
    });
    QTemporaryDir folder;
    const QString path = folder.filePath(chosen);
    shown.prompt.setFileNames(chosen.isEmpty() ? QStringList{} : QStringList{path});
    shown.window.findChild<QPushButton*>(cmdPdfReport)->click();

    const QString file = path.endsWith(u".pdf") ? path : path + QStringLiteral(".pdf");
    QCOMPARE(QFile::exists(file), written);
    QCOMPARE(opened, written ? QUrl::fromLocalFile(file) : QUrl());
    QVERIFY(shown.window.findChild<QPushButton*>(cmdPdfReport)->isEnabled());
    if (written)
        QVERIFY(
            QString::fromUtf8(fixture::toolOutput(QStringLiteral("pdftotext"), {file, QStringLiteral("-")}))
                .contains(QStringLiteral("Prüfbericht")));
    const bool failed = !chosen.isEmpty() && !written;
    QCOMPARE(shown.prompt.shown().size(), failed ? 1 : 0);
    QFile log(shown.model.log().filePath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(log.readAll()).contains(QStringLiteral("Open PDF:")), failed);
}

QTEST_MAIN(TestReportPrint)
#include "tst_reportprint.moc"
