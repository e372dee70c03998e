// The Word document as a word processor's reader (python-docx) finds it.
#include "OfficeReaders.h"
#include "SheetFixture.h"
#include "files/DocxFile.h"
#include "files/TextReport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;

Q_DECLARE_METATYPE(SheetContent)

namespace {

MeasurementSheet readingsSheet() {
    return buildSheet(fixture::sheetContent({{12.344}, {13}, {14.5}}, fixture::limits(10, 20, 13)));
}

QStringList folderEntries(const QTemporaryDir& folder) {
    return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestDocxFile : public QObject {
    Q_OBJECT
private slots:
    void paragraphsAreTheReport_data();
    void paragraphsAreTheReport();
    void readsAsLaidOut_data();
    void readsAsLaidOut();
    void anUnwritableFolderLeavesNoFile();
    void anExistingFileIsReplacedWhole();
};

void TestDocxFile::paragraphsAreTheReport_data() {
    QTest::addColumn<SheetContent>("sheet");
    QTest::addColumn<QString>("shown"); // a text the paragraphs must hold
    QTest::addColumn<QString>("title");

    using fixture::Reading;
    using fixture::sheetContent;
    QTest::newRow("readings with limits and target")
        << sheetContent({{12.344}, {13}, {14.5}}, fixture::limits(10, 20, 13)) << "Sollwert"
        << "Speicher m001";
    SheetContent project = sheetContent({{12.5}, {13}});
    project.project.fields[0] = QStringLiteral("   north  gate   ");
    QTest::newRow("leading and repeated blanks") << project << "   north  gate   "
                                                 << "Speicher m001";
    QTest::newRow("markup in a material")
        << sheetContent({{12.5, "µm", "<ok> & fine"}, {13, "µm", "<ok> & fine"}}) << "<ok> & fine"
        << "Speicher m001";
    SheetContent byte01 = sheetContent({{12.5, "µm", "F\x01"}, {13, "µm", "F\x01"}});
    byte01.memoryListText = QStringLiteral("m\x01x");
    byte01.memoryCaption = QStringLiteral("Speicher m\x01x");
    QTest::newRow("byte 01 in the memory name and a material")
        << byte01 << QStringLiteral("F\uFFFD") << QStringLiteral("Speicher m\uFFFDx");
    SheetContent online = sheetContent({{12.5}, {13}});
    online.view = View::Online;
    QTest::newRow("online readings") << online << "13.0 µm"
                                     << "Online";
    QTest::newRow("a series memory's samples") << fixture::seriesContent({0.5, 0.75, 0.25}) << "t003"
                                               << "t003 ()";
}

// Each report line one paragraph, blanks and markup as they are; a character XML cannot hold turns into
// U+FFFD rather than spoiling the document.
void TestDocxFile::paragraphsAreTheReport() {
    QFETCH(SheetContent, sheet);
    QFETCH(QString, shown);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.docx"));
    const MeasurementSheet built = buildSheet(sheet);
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-1);
    QCOMPARE(writeDocx(built, path), std::nullopt);
    const QDateTime after = QDateTime::currentDateTimeUtc().addSecs(1);

    const OfficeRead read = readDocx(path);
    QVERIFY(read.finished);
    QCOMPARE(read.exitCode, 0);
    QString report = buildReport(built, ReportMode::All);
    report.chop(2);
    report.replace(QChar(1), QChar(0xFFFD));
    const QString paragraphs = read.texts(QStringLiteral("paragraphs")).join(QStringLiteral("\r\n"));
    QCOMPARE(paragraphs, report);
    QVERIFY2(paragraphs.contains(shown), qPrintable(paragraphs));
    QTEST(read.found[QStringLiteral("title")].toString(), "title");
    const QDateTime created =
        QDateTime::fromString(read.found[QStringLiteral("created")].toString(), Qt::ISODate);
    QVERIFY2(created >= before && created <= after, qPrintable(created.toString(Qt::ISODate)));
}

void TestDocxFile::readsAsLaidOut_data() {
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("found");

    QTest::newRow("parts") << "parts"
                           << "[Content_Types].xml, _rels/.rels, docProps/core.xml, "
                              "word/_rels/document.xml.rels, word/document.xml, word/styles.xml";
    QTest::newRow("every part well formed") << "refused"
                                            << "";
    QTest::newRow("the package's relationships")
        << "package relationships"
        << "core-properties docProps/core.xml, officeDocument word/document.xml";
    QTest::newRow("the styles' relationship") << "document relationships"
                                              << "styles styles.xml";
    QTest::newRow("content types of the parts") << "overrides"
                                                << "/docProps/core.xml, /word/document.xml, /word/styles.xml";
    QTest::newRow("every run in 10-point Lucida Console, not bold, its blanks kept")
        << "runs"
        << "Lucida Console Lucida Console/Lucida Console/Lucida Console/Lucida Console 10.0 pt "
           "20/20 half-points bold False, blanks preserve";
    QTest::newRow("every paragraph single-spaced without space around")
        << "paragraphs"
        << "0.0 pt before, 0.0 pt after, line 1.0";
    QTest::newRow("text typed later in the same font and size")
        << "default run"
        << "Lucida Console/Lucida Console/Lucida Console/Lucida Console 20/20 half-points";
    QTest::newRow("new paragraphs without space around") << "default paragraph"
                                                         << "before 0 after 0 line 240 lineRule auto";
    QTest::newRow("A4 with 2 cm margins") << "page"
                                          << "11906 x 16838, margins 1134 1134 1134 1134";
}

void TestDocxFile::readsAsLaidOut() {
    QFETCH(QString, what);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.docx"));
    QCOMPARE(writeDocx(readingsSheet(), path), std::nullopt);
    const OfficeRead read = readDocx(path);
    QCOMPARE(read.exitCode, 0);
    QTEST(read.found[QStringLiteral("looks")][what].toString(), "found");
}

// A folder that cannot take the file (here a plain file, which holds nothing even for root).
void TestDocxFile::anUnwritableFolderLeavesNoFile() {
    QTemporaryDir folder;
    const QString blocker = folder.filePath(QStringLiteral("file"));
    QVERIFY(QFile(blocker).open(QIODevice::WriteOnly));
    const std::optional<QString> error = writeDocx(readingsSheet(), blocker + QStringLiteral("/x.docx"));
    QVERIFY(error);
    QVERIFY(!error->isEmpty());
    QCOMPARE(folderEntries(folder), QStringList{"file"});
}

// A longer file in the way is replaced, not written over: nothing of it is left behind the document.
void TestDocxFile::anExistingFileIsReplacedWhole() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.docx"));
    const qint64 oldSize = 4 << 20;
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    QCOMPARE(old.write(QByteArray(oldSize, 'x')), oldSize);
    old.close();

    const MeasurementSheet sheet = readingsSheet();
    QCOMPARE(writeDocx(sheet, path), std::nullopt);
    QVERIFY(QFileInfo(path).size() < oldSize);
    QCOMPARE(folderEntries(folder), QStringList{"report.docx"});
    const OfficeRead read = readDocx(path);
    QCOMPARE(read.exitCode, 0);
    QCOMPARE(read.texts(QStringLiteral("paragraphs")), reportLines(sheet, ReportMode::All));
}

QTEST_GUILESS_MAIN(TestDocxFile)
#include "tst_docxfile.moc"
