// The download and online exports: JSON members and values, CSV quoting and separators.
#include "files/MemoryExport.h"
#include "files/RowsCsv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace vexa;

Q_DECLARE_METATYPE(vexa::ExportedRow)
Q_DECLARE_METATYPE(vexa::ExportedMemory)

namespace {

ExportedRow row(qint16 number, double value, const QString& material, QDateTime timestamp = {}) {
    MeasurementRow measurement;
    measurement.number = number;
    measurement.value = value;
    measurement.unit = QStringLiteral("µm");
    measurement.material = material;
    measurement.timestamp = timestamp;
    if (timestamp.isValid()) {
        measurement.dateText = timestamp.date().toString(QStringLiteral("dd.MM.yyyy"));
        measurement.timeText = timestamp.time().toString(QStringLiteral("HH:mm:ss"));
    }
    return {measurement, QString::number(value, 'f', 1).rightJustified(11)};
}

QStringList keysInOrder(const QByteArray& json) {
    // Members of the top-level object in the order they were written.
    QStringList keys;
    int depth = 0;
    bool inString = false;
    qsizetype keyStart = -1;
    for (qsizetype i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"') {
                inString = false;
                if (depth == 1 && keyStart >= 0 && json.mid(i + 1, 1) == ":")
                    keys.append(QString::fromUtf8(json.mid(keyStart, i - keyStart)));
                keyStart = -1;
            }
        } else if (c == '"') {
            inString = true;
            keyStart = i + 1;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
        }
    }
    return keys;
}

} // namespace

class TestExports : public QObject {
    Q_OBJECT
private slots:
    void csvFieldQuoting_data();
    void csvFieldQuoting();
    void csvSeparatorFollowsDecimals_data();
    void csvSeparatorFollowsDecimals();
    void csvLines_data();
    void csvLines();
    void rowJsonValues_data();
    void rowJsonValues();
    void memoryJsonParts_data();
    void memoryJsonParts();
};

void TestExports::csvFieldQuoting_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain") << QStringLiteral("FE") << QChar(u',') << QStringLiteral("FE");
    QTest::newRow("decimal comma, comma list")
        << QStringLiteral("92,5") << QChar(u',') << QStringLiteral("\"92,5\"");
    QTest::newRow("decimal comma, semicolon list")
        << QStringLiteral("92,5") << QChar(u';') << QStringLiteral("92,5");
    QTest::newRow("semicolon in a semicolon list")
        << QStringLiteral("a;b") << QChar(u';') << QStringLiteral("\"a;b\"");
    QTest::newRow("quote doubled") << QStringLiteral("12\" pipe") << QChar(u',')
                                   << QStringLiteral("\"12\"\" pipe\"");
    QTest::newRow("line end") << QStringLiteral("a\r\nb") << QChar(u',') << QStringLiteral("\"a\r\nb\"");
    QTest::newRow("empty") << QString() << QChar(u',') << QString();
}

void TestExports::csvFieldQuoting() {
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QTEST(csvField(text, separator), "field");
}

void TestExports::csvSeparatorFollowsDecimals_data() {
    QTest::addColumn<QChar>("decimalSeparator");
    QTest::addColumn<QChar>("separator");
    QTest::newRow("point") << QChar(u'.') << QChar(u',');
    QTest::newRow("comma") << QChar(u',') << QChar(u';');
}

void TestExports::csvSeparatorFollowsDecimals() {
    QFETCH(QChar, decimalSeparator);
    QTEST(csvSeparator(decimalSeparator), "separator");
}

void TestExports::csvLines_data() {
    QTest::addColumn<ExportedRow>("row");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("line");

    const QDateTime when(QDate(2026, 3, 5), QTime(7, 12));
    QTest::newRow("dated, comma list") << row(1, 92.5, QStringLiteral("FE"), when) << QChar(u',')
                                       << QStringLiteral("1,05.03.2026,07:12:00,92.5,µm,FE,\r\n");
    ExportedRow german = row(12, 92.5, QStringLiteral("NFE"), when);
    german.valueText = QStringLiteral("       92,5");
    QTest::newRow("dated, semicolon list")
        << german << QChar(u';') << QStringLiteral("12;05.03.2026;07:12:00;92,5;µm;NFE;\r\n");
    QTest::newRow("no date, blanks dropped")
        << row(3, 80, QString()) << QChar(u',') << QStringLiteral("3,,,80.0,µm,,\r\n");
    ExportedRow marked = row(4, 0, QStringLiteral("FE"));
    marked.row.mark = QStringLiteral("X");
    QTest::newRow("marked") << marked << QChar(u',') << QStringLiteral("4,,,0.0,µm,FE,X\r\n");
    german.row.unit = QStringLiteral("A;cm");
    QTest::newRow("separator inside a field quoted")
        << german << QChar(u';') << QStringLiteral("12;05.03.2026;07:12:00;92,5;\"A;cm\";NFE;\r\n");
}

void TestExports::csvLines() {
    QFETCH(ExportedRow, row);
    QFETCH(QChar, separator);
    QFETCH(QString, line);
    QCOMPARE(csvLine(row, separator), line);
    QCOMPARE(rowsCsv({row, row}, separator), line + line);
}

void TestExports::rowJsonValues_data() {
    QTest::addColumn<ExportedRow>("row");
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("dated") << row(7, 97.5, QStringLiteral("NF"),
                                  QDateTime(QDate(2026, 3, 5), QTime(7, 14, 3)))
                           << QByteArray(R"({"number":7,"value":97.5,"text":"       97.5","unit":"µm",)"
                                         R"("material":"NF","mark":"","timestamp":"2026-03-05T07:14:03"})");
    QTest::newRow("no timestamp is null")
        << row(2, 101, QString())
        << QByteArray(R"({"number":2,"value":101,"text":"      101.0","unit":"µm","material":"","mark":"",)"
                      R"("timestamp":null})");
}

void TestExports::rowJsonValues() {
    QFETCH(ExportedRow, row);
    QTEST(rowJson(row), "json");
}

void TestExports::memoryJsonParts_data() {
    QTest::addColumn<ExportedMemory>("memory");
    QTest::addColumn<QStringList>("keys");

    ExportedMemory probe;
    probe.device = {QStringLiteral("ZE-4711 ZEL"), QStringLiteral("0080E1C4D5E6"),
                    QStringLiteral("471100"),      QStringLiteral("ZKB"),
                    QStringLiteral("SM"),          QString(),
                    QStringLiteral("4LE2+-2"),     QStringLiteral("µm")};
    probe.selector = QStringLiteral("S1   (7)");
    probe.rows = {row(1, 85, QStringLiteral("FE"))};
    probe.statisticsLines = {QStringLiteral("Speicher 1"), QStringLiteral(" ")};
    QTest::newRow("probe memory: no header, no series")
        << probe << QStringList{"device", "memory", "rows", "statistics"};

    ExportedMemory file = probe;
    file.selector = QStringLiteral("m001");
    file.memoryName = QStringLiteral("Bridge \"4\"");
    file.header = MemoryHeader{};
    file.header->recordCount = 25;
    QTest::newRow("file memory") << file << QStringList{"device", "memory", "header", "rows", "statistics"};

    ExportedMemory series = file;
    series.rows.clear();
    series.series = std::vector<double>{60, 66.031997680664};
    QTest::newRow("series memory") << series << QStringList{"device", "memory", "header",
                                                            "rows",   "series", "statistics"};
}

void TestExports::memoryJsonParts() {
    QFETCH(ExportedMemory, memory);
    QFETCH(QStringList, keys);
    const QByteArray text = memoryJson(memory);
    QCOMPARE(keysInOrder(text), keys);

    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(text, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const qsizetype deviceStart = text.indexOf('{', 1);
    QCOMPARE(keysInOrder(text.mid(deviceStart, text.indexOf('}') - deviceStart + 1)),
             (QStringList{"name", "address", "number", "model", "mode", "brand", "traits", "unit"}));
    QCOMPARE(json[u"device"][u"traits"].toString(), memory.device.traits);
    QCOMPARE(json[u"memory"][u"selector"].toString(), memory.selector);
    QCOMPARE(json[u"memory"][u"name"].toString(), memory.memoryName);
    QCOMPARE(json[u"rows"].toArray().size(), qsizetype(memory.rows.size()));
    if (memory.header) {
        QCOMPARE(json[u"header"].toObject().keys().size(), 7);
        QCOMPARE(json[u"header"][u"recordCount"].toInt(), memory.header->recordCount);
    }
    if (memory.series)
        QCOMPARE(json[u"series"][1].toDouble(), memory.series->at(1));
    QCOMPARE(json[u"statistics"][u"lines"].toArray().toVariantList().size(), memory.statisticsLines.size());
}

QTEST_GUILESS_MAIN(TestExports)
#include "tst_exports.moc"
