// The workbook as a spreadsheet reader (openpyxl) finds it.
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

namespace {

MeasurementSheet sheetOf(char decimals, const QString& memory) {
    SheetContent c = fixture::sheetContent({{12.344}, {13}, {14.5}}, fixture::limits(10, 20, 0), decimals);
    c.memoryListText = memory;
    return buildSheet(c);
}

// What the system's Python with openpyxl reads from the workbook.
QJsonObject readBack(const QString& path) {
    QProcess reader;
    reader.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"), QStringLiteral("command -p python3 \"$0\" \"$1\""),
                  QStringLiteral(VEXA_TEST_DIR "/read_workbook.py"), path});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0)
        qWarning().noquote() << reader.readAllStandardError();
    return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
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
    QCOMPARE(writeWorkbook(sheet, path), std::nullopt);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"export.xlsx"});

    const QJsonObject read = readBack(path);
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

void TestWorkbookFile::anUnwritableFolderLeavesNoFile() {
    QTemporaryDir folder;
    const QString blocker = folder.filePath(QStringLiteral("file"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const std::optional<QString> error =
        writeWorkbook(sheetOf('2', QStringLiteral("m001")), blocker + "/x.xlsx");
    QVERIFY(error);
    QVERIFY(!error->isEmpty());
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"file"});
}

QTEST_GUILESS_MAIN(TestWorkbookFile)
#include "tst_workbookfile.moc"
