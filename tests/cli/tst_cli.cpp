// vexa-connect-cli end to end: the built executable on the bundled demo gauges, every command and format,
// the error exits, and numbers in an English and a German locale.
#include "CliProcess.h"
#include "DumpBuilder.h"
#include "OfficeReaders.h"
#include "Poppler.h"
#include "SessionHarness.h"
#include "cli/DemoCli.h"
#include "files/TextReport.h"
#include "link/sim/GaugeProfile.h"
#include "link/sim/SimulatedTransport.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <functional>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vexa;

namespace {

// A demo gauge's profile as `change` leaves it, written into the tool's home; its path.
QString changedProfile(Cli& cli, const char* file, const std::function<void(QJsonObject&)>& change) {
    QFile demoProfile(demo(file));
    if (!demoProfile.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", file);
    QJsonObject profile = QJsonDocument::fromJson(demoProfile.readAll()).object();
    change(profile);
    const QString path = cli.home.filePath(QStringLiteral("changed-") + QLatin1String(file));
    QFile changed(path);
    if (!changed.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    changed.write(QJsonDocument(profile).toJson());
    return path;
}

// A file memory "m001" of `records` readings of 50 µm.
QJsonObject memoryFile(int records) {
    using namespace dumpbuilder;
    Header header;
    header.recordCount = qint16(records);
    QByteArray hex = header.digits();
    for (int i = 1; i <= records; ++i)
        hex += record(0, 50, quint32(i));
    return {{"name", "m001"}, {"hex", QString::fromLatin1(hex)}};
}

// A series memory "t001" of three samples whose header names `headerCount`.
QJsonObject seriesFile(qint16 headerCount) {
    using namespace dumpbuilder;
    Header header;
    header.recordCount = headerCount;
    header.sampleInterval = 20;
    return {{"name", "t001"},
            {"hex", QString::fromLatin1(header.digits() + single(50) + single(60) + single(70))}};
}

// A probe memory "1" of `records` readings.
QJsonObject probeMemory(int records) {
    QJsonArray lines;
    for (int i = 1; i <= records; ++i)
        lines.append(QStringLiteral("%1       150.0 ym   FE  2026-02-03 14:20:00").arg(i % 10000, 4));
    return {{"name", "1"}, {"records", lines}};
}

// The paragraphs of the Word document at `path`, as python-docx reads them.
QStringList paragraphsOf(const QString& path) {
    return readDocx(path).texts(QStringLiteral("paragraphs"));
}

QByteArray lines(std::initializer_list<const char*> texts, const char* end = "\n") {
    QByteArray joined;
    for (const char* text : texts)
        joined += QByteArray(text) + end;
    return joined;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void outputs_data();
    void outputs();
    void downloadJson_data();
    void downloadJson();
    void mesIsTheMeasurementFileText_data();
    void mesIsTheMeasurementFileText();
    void reportOfOnlineReadings();
    void outputFile_data();
    void outputFile();
    void workbookOfTheDownload_data();
    void workbookOfTheDownload();
    void onlineIntoAFile_data();
    void onlineIntoAFile();
    void workbookOfOnlineReadings_data();
    void workbookOfOnlineReadings();
    void documentOfTheDownload_data();
    void documentOfTheDownload();
    void documentOfOnlineReadings();
    void pdfReport_data();
    void pdfReport();
    void filesAreNotForATerminal_data();
    void filesAreNotForATerminal();
    void failedWriteLeavesNoFile();
    void limitsApplyForTheRunOnly();
    void errors_data();
    void errors();
    void silentGaugeEndsWithTimeOut();
    void clockIsTheGaugesClock();
    void clockSetSendsThisComputersTime();
    void clockNotTakenExitsOne();
    void incompleteMemoriesAreSaid_data();
    void incompleteMemoriesAreSaid();
    void rejectedReadingIsNoRow();
    void gaugeFallingSilentEndsTheRun_data();
    void gaugeFallingSilentEndsTheRun();
    void gaugeTextsReachTheTerminalHarmless_data();
    void gaugeTextsReachTheTerminalHarmless();
    void seriesAsCsvAreItsSamples();
    void nothingNeverReplacesAFile();
    void outputIntoAFifo();
    void memoryTableCutIsSaid();
    void openGivesWhatTheDownloadGave_data();
    void openGivesWhatTheDownloadGave();
    void openReadsTheFileAsItsLayoutShows_data();
    void openReadsTheFileAsItsLayoutShows();
    void openWritesToAFile();
};

void TestCli::outputs_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("locale");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("scan lists both gauges")
        << simulate({"qy-coating.json", "ze-probe-memory.json"}) + QStringList{"scan"} << English
        << lines({"MAC: 0080E1A1B2C3 Name: QY-FE 2107       RSSI: -58",
                  "MAC: 0080E1C4D5E6 Name: ZE-4711 ZEL       RSSI: -71"});
    QTest::newRow("memories of a file-memory gauge")
        << simulate({"qy-coating.json"}) + QStringList{"memories"} << English
        << lines({"m001                ", "s002                ", "t003                "});
    QTest::newRow("memories of the gauge chosen, English")
        << simulate({"qy-coating.json", "ze-probe-memory.json"}) +
               QStringList{"--device", "ze-4711", "--lang", "en", "memories"}
        << English << lines({"   M1   (7)", "   M2   (0)", "   M3  (12)"});
    QTest::newRow("memories, German by the gauge's setting")
        << simulate({"ze-probe-memory.json"}) + QStringList{"memories"} << English
        << lines({"   S1   (7)", "   S2   (0)", "   S3  (12)"});
    QTest::newRow("csv of a probe memory by its name, English")
        << simulate({"ze-probe-memory.json"}) + QStringList{"download", "1", "--format", "csv"} << English
        << lines({"1,12 Jan 2026,08:00:00,85.0,µm,FE,", "2,12 Jan 2026,08:02:00,90.2,µm,FE,",
                  "3,12 Jan 2026,08:04:00,93.3,µm,FE,", "4,12 Jan 2026,08:06:00,91.0,µm,FE,",
                  "5,12 Jan 2026,08:08:00,88.0,µm,FE,", "6,12 Jan 2026,08:10:00,83.9,µm,FE,",
                  "7,12 Jan 2026,08:12:00,78.9,µm,FE,"},
                 "\r\n");
    QTest::newRow("csv of a probe memory by its entry, German")
        << simulate({"ze-probe-memory.json"}) + QStringList{"download", "S1   (7)", "--format", "csv"}
        << German
        << lines({"1;12.01.2026;08:00:00;85,0;µm;FE;", "2;12.01.2026;08:02:00;90,2;µm;FE;",
                  "3;12.01.2026;08:04:00;93,3;µm;FE;", "4;12.01.2026;08:06:00;91,0;µm;FE;",
                  "5;12.01.2026;08:08:00;88,0;µm;FE;", "6;12.01.2026;08:10:00;83,9;µm;FE;",
                  "7;12.01.2026;08:12:00;78,9;µm;FE;"},
                 "\r\n");
    QTest::newRow("csv of an empty memory")
        << simulate({"ze-probe-memory.json"}) + QStringList{"download", "2", "--format", "csv"} << German
        << QByteArray();
    QTest::newRow("online rows as csv, German")
        << simulate({"ze-probe-memory.json"}) + QStringList{"online", "--count", "2"} << German
        << lines({"1;05.03.2026;07:12:00;92,0;µm;FE;", "2;05.03.2026;07:14:00;97,5;µm;NF;"}, "\r\n");
    QTest::newRow("online rows as json lines")
        << simulate({"ze-probe-memory.json"}) + QStringList{"online", "--count", "2", "--format", "json"}
        << German
        << lines({R"({"number":1,"value":92,"text":"       92,0","unit":"µm","material":"FE","mark":"",)"
                  R"("timestamp":"2026-03-05T07:12:00"})",
                  R"({"number":2,"value":97.5,"text":"       97,5","unit":"µm","material":"NF","mark":"",)"
                  R"("timestamp":"2026-03-05T07:14:00"})"});
    QTest::newRow("info of a generation-5 gauge, German")
        << simulate({"qy-coating.json"}) + QStringList{"info"} << German
        << lines({"Gerät/SNR: QY-FE 2107 / 210745", "Geräte Software Version: 2.04",
                  "Version PC Software: V1.17", "MacAdresse: 0080E1A1B2C3", "Sondentyp/SNR: F1 / 998877",
                  "Sondenversion: 2.0"});
    QTest::newRow("info of a generation-4 gauge, English")
        << simulate({"ze-probe-memory.json"}) + QStringList{"--lang", "en", "info"} << English
        << lines({"Device/SNR: ZELVO-KIT DUAL / 471100", "Device Softwareversion: 1.20",
                  "Version PC Software: V1.17", "MacAdresse: 0080E1C4D5E6", "Probetype: 3",
                  "Probe version:"});
    QTest::newRow("info as json")
        << simulate({"ze-probe-memory.json"}) + QStringList{"info", "--format", "json"} << English
        << lines({R"({"device":{"label":"Gerät/SNR","value":"ZELVO-KIT DUAL / 471100"},)"
                  R"("deviceSoftware":{"label":"Geräte Software Version","value":"1.20"},)"
                  R"("pcSoftware":{"label":"Version PC Software","value":"V1.17"},)"
                  R"("mac":{"label":"MacAdresse","value":"0080E1C4D5E6"},)"
                  R"("probeType":{"label":"Sondentyp","value":"3"},)"
                  R"("probeVersion":{"label":"Sondenversion","value":""}})"});
}

void TestCli::outputs() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, locale);
    Cli cli;
    const Finished finished = cli.run(arguments, locale);
    QCOMPARE(finished.err, QByteArray());
    QCOMPARE(finished.exitCode, 0);
    QTEST(finished.out, "expected");
}

void TestCli::downloadJson_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("selector");
    QTest::addColumn<QString>("memoryName");
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("seriesValues");
    QTest::addColumn<QString>("firstStatisticsLine");

    const QStringList file{"device", "memory", "header", "rows", "statistics"};
    const QStringList probe{"device", "memory", "rows", "statistics"};
    const QStringList qy = simulate({"qy-coating.json"});
    const QStringList ze = simulate({"ze-probe-memory.json"});
    QTest::newRow("memory of rows") << qy + QStringList{"download", "m001"} << "m001"
                                    << "Bridge pier 4" << file << 25 << 0 << "Speicher m001 (Bridge pier 4)";
    QTest::newRow("memory of single values")
        << qy + QStringList{"download", "s002                "} << "s002"
        << "Spot check" << file << 10 << 0 << "Speicher s002 (Spot check)";
    QTest::newRow("series") << qy + QStringList{"--lang", "en", "download", "t003", "--format", "json"}
                            << "t003"
                            << "Series A"
                            << QStringList{"device", "memory", "header", "rows", "series", "statistics"} << 0
                            << 48 << "t003 (Series A)";
    QTest::newRow("probe memory") << ze + QStringList{"--lang", "en", "download", "3"} << "M3  (12)"
                                  << "" << probe << 12 << 0 << "Memory 3";
    QTest::newRow("empty probe memory") << ze + QStringList{"download", "2"} << "S2   (0)"
                                        << "" << probe << 0 << 0 << "";
}

void TestCli::downloadJson() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, parts);
    QFETCH(int, rows);
    QFETCH(int, seriesValues);
    QFETCH(QString, firstStatisticsLine);
    Cli cli;
    const Finished finished = cli.run(arguments);
    QCOMPARE(finished.err, QByteArray());
    QCOMPARE(finished.exitCode, 0);
    QVERIFY(finished.out.endsWith("}\n"));
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(finished.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);

    QStringList sortedParts = parts;
    sortedParts.sort();
    QCOMPARE(json.keys(), sortedParts);
    QCOMPARE(json[u"device"].toObject().keys(),
             (QStringList{"address", "brand", "mode", "model", "name", "number", "traits", "unit"}));
    QCOMPARE(json[u"device"][u"traits"].toString().size(), 7);
    QCOMPARE(json[u"device"][u"unit"].toString(), QStringLiteral("µm"));
    QTEST(json[u"memory"][u"selector"].toString(), "selector");
    QTEST(json[u"memory"][u"name"].toString(), "memoryName");
    if (json.contains(u"header"))
        QCOMPARE(json[u"header"].toObject().keys(),
                 (QStringList{"pulseTime", "recordCount", "sampleInterval", "statMaximum", "statMean",
                              "statMinimum", "statStdDev"}));
    QCOMPARE(json[u"series"].toArray().size(), seriesValues);

    const QJsonArray rowArray = json[u"rows"].toArray();
    QCOMPARE(rowArray.size(), rows);
    for (qsizetype i = 0; i < rowArray.size(); ++i) {
        const QJsonObject row = rowArray[i].toObject();
        QCOMPARE(row.keys(),
                 (QStringList{"mark", "material", "number", "text", "timestamp", "unit", "value"}));
        QCOMPARE(row[u"number"].toInt(), i + 1);
        QCOMPARE(row[u"text"].toString().size(), 11);
        QCOMPARE(row[u"text"].toString().trimmed().toDouble(), row[u"value"].toDouble());
    }
    const QJsonArray statistics = json[u"statistics"][u"lines"].toArray();
    QCOMPARE(statistics.isEmpty(), firstStatisticsLine.isEmpty());
    if (!statistics.isEmpty())
        QCOMPARE(statistics.first().toString(), firstStatisticsLine);
}

void TestCli::mesIsTheMeasurementFileText_data() {
    QTest::addColumn<QString>("format");
    QTest::newRow("mes: the measurement file") << QStringLiteral("mes");
    QTest::newRow("report: the clipboard's text") << QStringLiteral("report");
}

// The same download in the main window, in this process: the window's file (or clipboard) and the tool's
// are one text.
void TestCli::mesIsTheMeasurementFileText() {
    QFETCH(QString, format);
    Cli cli;
    const Finished finished =
        cli.run(simulate({"qy-coating.json"}) + QStringList{"download", "m001", "--format", format});
    QCOMPARE(finished.err, QByteArray());
    QCOMPARE(finished.exitCode, 0);

    sim::SimulatedTransport simulation({*sim::loadGaugeProfile(demo("qy-coating.json")).profile},
                                       {.liveIntervalMs = 3'600'000});
    SessionHarness window(simulation);
    window.connectGauge();
    window.choose(window.controls().items(ctl::cmbSpeicher).first());
    window.read();
    QCOMPARE(window.main.currentStore().presentCount(), 25);

    const QString file = measurementFileText(window.main.reportSheet());
    if (format == u"mes") {
        QCOMPARE(QString::fromUtf8(finished.out), file);
    } else {
        QCOMPARE(QString::fromUtf8(finished.out), buildReport(window.main.reportSheet(), ReportMode::All));
        QCOMPARE(finished.out + "\r\n", file.toUtf8());
    }
}

void TestCli::outputFile_data() {
    QTest::addColumn<QString>("format");
    QTest::newRow("json") << QStringLiteral("json");
    QTest::newRow("csv") << QStringLiteral("csv");
    QTest::newRow("mes") << QStringLiteral("mes");
    QTest::newRow("report") << QStringLiteral("report");
}

void TestCli::outputFile() {
    QFETCH(QString, format);
    Cli cli;
    const QStringList download =
        simulate({"qy-coating.json"}) + QStringList{"download", "m001", "--format", format};
    const Finished toStdout = cli.run(download);
    QCOMPARE(toStdout.exitCode, 0);

    const QString path = cli.home.filePath(QStringLiteral("out.") + format);
    QFile existing(path);
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("an older, longer file that must be replaced whole");
    existing.close();
    const Finished toFile = cli.run(download + QStringList{"-o", path});
    QCOMPARE(toFile.err, QByteArray());
    QCOMPARE(toFile.exitCode, 0);
    QCOMPARE(toFile.out, QByteArray());
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), toStdout.out);
}

void TestCli::workbookOfTheDownload_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("sheets");

    QTest::newRow("with its chart") << QStringList{} << QStringList{"Chart", "Messwerte", "Linien"};
    QTest::newRow("without a chart") << QStringList{"--no-chart"} << QStringList{"Messwerte"};
}

// The workbook of the Excel export, into a file or down a pipe, as a spreadsheet reader finds it.
void TestCli::workbookOfTheDownload() {
    QFETCH(QStringList, options);
    Cli cli;
    const QStringList download =
        simulate({"qy-coating.json"}) + QStringList{"download", "m001", "--format", "xlsx"} + options;
    const QString path = cli.home.filePath(QStringLiteral("m001.xlsx"));
    const Finished toFile = cli.run(download + QStringList{"-o", path});
    QCOMPARE(toFile.err, QByteArray());
    QCOMPARE(toFile.exitCode, 0);
    QCOMPARE(toFile.out, QByteArray());

    const OfficeRead workbook = readWorkbook(path);
    QVERIFY(workbook.finished);
    QCOMPARE(workbook.exitCode, 0);
    QTEST(workbook.texts(QStringLiteral("sheets")), "sheets");
    QCOMPARE(workbook.found[QStringLiteral("refused")].toArray(), QJsonArray{});

    // A pipe takes the workbook as it is.
    const Finished piped = cli.run(download);
    QCOMPARE(piped.exitCode, 0);
    QVERIFY(piped.out.startsWith("PK"));
}

void TestCli::onlineIntoAFile_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("csv into a file") << QStringList{}
                                     << lines({"1;05.03.2026;07:12:00;92,0;µm;FE;",
                                               "2;05.03.2026;07:14:00;97,5;µm;NF;"},
                                              "\r\n");
    QTest::newRow("json lines into a file")
        << QStringList{"--format", "json"}
        << lines({R"({"number":1,"value":92,"text":"       92,0","unit":"µm","material":"FE","mark":"",)"
                  R"("timestamp":"2026-03-05T07:12:00"})",
                  R"({"number":2,"value":97.5,"text":"       97,5","unit":"µm","material":"NF","mark":"",)"
                  R"("timestamp":"2026-03-05T07:14:00"})"});
}

// -o takes online readings as it takes a download: the lines standard output would have shown, in a file
// written whole once all of them are there; an older file is replaced.
void TestCli::onlineIntoAFile() {
    QFETCH(QStringList, options);
    Cli cli;
    const QString path = cli.home.filePath(QStringLiteral("online.txt"));
    QFile existing(path);
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("an older, longer file that must be replaced whole");
    existing.close();
    const Finished finished = cli.run(simulate({"ze-probe-memory.json"}) +
                                          QStringList{"online", "--count", "2", "-o", path} + options,
                                      German);
    QCOMPARE(finished.err, QByteArray());
    QCOMPARE(finished.exitCode, 0);
    QCOMPARE(finished.out, QByteArray());
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QTEST(written.readAll(), "expected");
}

// The online view's report of the readings taken, as "Clipboard" copies it there.
void TestCli::reportOfOnlineReadings() {
    Cli cli;
    const Finished finished = cli.run(simulate({"ze-probe-memory.json"}) +
                                          QStringList{"online", "--count", "2", "--format", "report"},
                                      German);
    QCOMPARE(finished.err, QByteArray());
    QCOMPARE(finished.exitCode, 0);
    const QString report = QString::fromUtf8(finished.out);
    QVERIFY2(report.startsWith(QStringLiteral("FE Statistik:\r\n")), qPrintable(report));
    QVERIFY(report.contains(QStringLiteral("92,0")) && report.contains(QStringLiteral("97,5")));
    QVERIFY(report.endsWith(QStringLiteral("\r\n")) && !report.endsWith(QStringLiteral("\r\n\r\n")));
}

void TestCli::workbookOfOnlineReadings_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("piped");
    QTest::addColumn<QStringList>("sheets");

    QTest::newRow("with its chart") << QStringList{} << false << QStringList{"Chart", "Messwerte", "Linien"};
    QTest::newRow("without a chart") << QStringList{"--no-chart"} << false << QStringList{"Messwerte"};
    QTest::newRow("down a pipe") << QStringList{} << true << QStringList{"Chart", "Messwerte", "Linien"};
}

// The first N online readings as the Excel export's workbook, the same function as the download's: the
// statistics headed "Online" and the readings in the table.
void TestCli::workbookOfOnlineReadings() {
    QFETCH(QStringList, options);
    QFETCH(bool, piped);
    Cli cli;
    const QString path = cli.home.filePath(QStringLiteral("online.xlsx"));
    const QStringList online = simulate({"ze-probe-memory.json"}) +
                               QStringList{"online", "--count", "3", "--format", "xlsx"} + options;
    const Finished finished = cli.run(online + (piped ? QStringList() : QStringList{"-o", path}));
    QCOMPARE(finished.err, QByteArray());
    QCOMPARE(finished.exitCode, 0);
    if (piped) {
        QVERIFY(finished.out.startsWith("PK"));
        QFile pipedFile(path);
        QVERIFY(pipedFile.open(QIODevice::WriteOnly));
        pipedFile.write(finished.out);
    } else {
        QCOMPARE(finished.out, QByteArray());
    }

    const OfficeRead workbook = readWorkbook(path);
    QVERIFY(workbook.finished);
    QCOMPARE(workbook.exitCode, 0);
    QTEST(workbook.texts(QStringLiteral("sheets")), "sheets");
    QCOMPARE(workbook.found[QStringLiteral("refused")].toArray(), QJsonArray{});

    QStringList headings;
    QList<double> values;  // column C below the table's heading
    QStringList materials; // column E there
    int tableHeading = 0;
    for (const QJsonValue& value : workbook.found[QStringLiteral("cells")].toArray()) {
        const QJsonObject cell = value.toObject();
        const QString ref = cell[u"ref"].toString();
        const int row = ref.mid(1).toInt();
        if (ref.startsWith(u'A') && cell[u"value"].toString().contains(QStringLiteral("Statistik:")))
            headings << cell[u"value"].toString();
        if (ref.startsWith(u'E') && cell[u"value"].toString() == u"Material")
            tableHeading = row;
        if (tableHeading > 0 && row > tableHeading && ref.startsWith(u'C'))
            values << cell[u"value"].toDouble();
        if (tableHeading > 0 && row > tableHeading && ref.startsWith(u'E'))
            materials << cell[u"value"].toString();
    }
    QVERIFY2(!headings.isEmpty(), QJsonDocument(workbook.found).toJson().constData());
    QVERIFY2(headings.first().contains(QStringLiteral("Statistik: Online abs")),
             qPrintable(headings.join(u'|')));
    QCOMPARE(values, (QList<double>{92.0, 97.5, 91.7}));
    QCOMPARE(materials, (QStringList{"FE", "NF", "FE"}));
}

void TestCli::documentOfTheDownload_data() {
    QTest::addColumn<bool>("piped");
    QTest::newRow("into a file") << false;
    QTest::newRow("down a pipe") << true;
}

// The Word export's document of a download: a paragraph for every line of the measurement file's text.
void TestCli::documentOfTheDownload() {
    QFETCH(bool, piped);
    Cli cli;
    const QStringList download = simulate({"qy-coating.json"}) + QStringList{"download", "m001", "--format"};
    const QString mesPath = cli.home.filePath(QStringLiteral("m001.mes"));
    QCOMPARE(cli.run(download + QStringList{"mes", "-o", mesPath}).exitCode, 0);
    QFile mes(mesPath);
    QVERIFY(mes.open(QIODevice::ReadOnly));
    const QString measurementFile = QString::fromUtf8(mes.readAll());

    const QString path = cli.home.filePath(QStringLiteral("m001.docx"));
    const Finished finished =
        cli.run(download + QStringList{"docx"} + (piped ? QStringList() : QStringList{"-o", path}));
    QCOMPARE(finished.err, QByteArray());
    QCOMPARE(finished.exitCode, 0);
    if (piped) {
        QFile pipedFile(path);
        QVERIFY(pipedFile.open(QIODevice::WriteOnly));
        pipedFile.write(finished.out);
    } else {
        QCOMPARE(finished.out, QByteArray());
    }
    const QStringList paragraphs = paragraphsOf(path);
    QCOMPARE(paragraphs.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\n"), measurementFile);
}

// The first N online readings as the Word export's document: the statistics of each material, then the
// readings.
void TestCli::documentOfOnlineReadings() {
    Cli cli;
    const QString path = cli.home.filePath(QStringLiteral("online.docx"));
    const Finished finished = cli.run(simulate({"ze-probe-memory.json"}) +
                                      QStringList{"online", "--count", "3", "--format", "docx", "-o", path});
    QCOMPARE(finished.err, QByteArray());
    QCOMPARE(finished.exitCode, 0);
    const QStringList paragraphs = paragraphsOf(path);
    QVERIFY2(paragraphs.size() > 3, qPrintable(paragraphs.join(u'|')));
    QCOMPARE(paragraphs.first(), QStringLiteral("FE Statistik:"));
    QStringList readings;
    for (const QString& reading : paragraphs.mid(paragraphs.size() - 3))
        readings << reading.simplified().section(u' ', -3);
    QCOMPARE(readings, (QStringList{"92.0 µm FE", "97.5 µm NF", "91.7 µm FE"}));
}

void TestCli::filesAreNotForATerminal_data() {
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<QByteArray>("refusal");
    const QByteArray workbook =
        "vexa-connect-cli: a workbook is not for a terminal: name a file with -o, or pipe it on\n";
    const QByteArray document =
        "vexa-connect-cli: a document is not for a terminal: name a file with -o, or pipe it on\n";
    QTest::newRow("download, workbook") << QStringList{"download", "m001", "--format", "xlsx"} << workbook;
    QTest::newRow("online, workbook")
        << QStringList{"online", "--count", "5", "--format", "xlsx"} << workbook;
    QTest::newRow("download, document") << QStringList{"download", "m001", "--format", "docx"} << document;
    QTest::newRow("online, document")
        << QStringList{"online", "--count", "5", "--format", "docx"} << document;
    QTest::newRow("download, PDF report")
        << QStringList{"download", "m001", "--format", "pdf"}
        << QByteArray(
               "vexa-connect-cli: a PDF report is not for a terminal: name a file with -o, or pipe it on\n");
}

void TestCli::pdfReport_data() {
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("download") << simulate({"qy-coating.json"}) + QStringList{"download", "m001"}
                              << QStringList{"Prüfbericht", "Speicher m001", "Anzahl"};
    QTest::newRow("online") << simulate({"ze-probe-memory.json"}) + QStringList{"online", "--count", "2"}
                            << QStringList{"Prüfbericht", "Online", "92,0"};
}

// The PDF inspection report of what the tool read, as the window's "PDF report" draws it.
void TestCli::pdfReport() {
    QFETCH(QStringList, command);
    QFETCH(QStringList, texts);
    Cli cli;
    const QString path = cli.home.filePath(QStringLiteral("report.pdf"));
    const Finished finished = cli.run(command + QStringList{"--format", "pdf", "-o", path}, German);
    QCOMPARE(finished.exitCode, 0);
    QCOMPARE(finished.out, QByteArray());
    const QString text =
        QString::fromUtf8(fixture::toolOutput(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}));
    for (const QString& expected : texts)
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" in\n") + text));
}

// A workbook's or document's bytes would garble a terminal: refused before the gauge is met, so no reading
// is waited for. The gauge asked for is not there: a run that went looking for it would end saying so.
void TestCli::filesAreNotForATerminal() {
    QFETCH(QStringList, command);
    int controller = -1;
    int terminal = -1;
    QCOMPARE(openpty(&controller, &terminal, nullptr, nullptr, nullptr), 0);
    const QString terminalPath = QFile::decodeName(ttyname(terminal));
    Cli cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), cli.home.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(terminalPath);
    process.start(QStringLiteral(VEXA_CLI), simulate({"qy-coating.json", "ze-probe-memory.json"}) +
                                                QStringList{"--device", "NOT-THERE"} + command);
    QVERIFY(process.waitForFinished(60'000));
    QCOMPARE(process.exitCode(), 1);
    // Drawing a PDF brings Qt's platform up, which may say a word of its own first.
    QFETCH(QByteArray, refusal);
    const QByteArray said = process.readAllStandardError();
    QVERIFY2(said.endsWith(refusal), said.constData());
    ::close(terminal);
    ::close(controller);
}

void TestCli::failedWriteLeavesNoFile() {
    Cli cli;
    const QString path = cli.home.filePath(QStringLiteral("missing/out.json"));
    const Finished finished =
        cli.run(simulate({"qy-coating.json"}) + QStringList{"download", "m001", "-o", path});
    QCOMPARE(finished.exitCode, 1);
    QCOMPARE(finished.err.count('\n'), 1);
    QVERIFY2(finished.err.contains("cannot write " + path.toUtf8()), finished.err);
    QCOMPARE(finished.out, QByteArray());
    QVERIFY(!QFile::exists(path));
}

void TestCli::limitsApplyForTheRunOnly() {
    Cli cli;
    const QStringList download = simulate({"qy-coating.json"}) + QStringList{"download", "m001"};
    const auto statistics = [](const Finished& finished) {
        QStringList lines;
        for (const QJsonValue& line :
             QJsonDocument::fromJson(finished.out)[u"statistics"][u"lines"].toArray())
            lines.append(line.toString());
        return lines.join(u'|');
    };
    const Finished limited = cli.run(QStringList{"--limits", "10:200:150:8020"} + download);
    QCOMPARE(limited.exitCode, 0);
    QVERIFY2(statistics(limited).contains(QStringLiteral("Regel 80/20 ok: Nein  60 %")),
             qPrintable(statistics(limited)));
    // The 80/20 rule moves the minimum: the limits dialog's note, not an error.
    QCOMPARE(limited.err,
             QByteArray("vexa-connect-cli: note: Min Limit an 80/20 Regel angepasst von 10 nach 120\n"));

    const Finished stored = cli.run(download);
    QCOMPARE(stored.exitCode, 0);
    QVERIFY2(!statistics(stored).contains(QStringLiteral("80/20")), qPrintable(statistics(stored)));
}

void TestCli::errors_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    const QStringList qy = simulate({"qy-coating.json"});
    QTest::newRow("no such gauge") << qy + QStringList{"--device", "ZE-4711", "memories"} << 1
                                   << "no gauge listed whose entry contains \"ZE-4711\" within 10 s";
    QTest::newRow("scan finds no such gauge")
        << qy + QStringList{"--device", "ZE-4711", "scan"} << 1
        << "no gauge listed whose entry contains \"ZE-4711\" within 10 s";
    QTest::newRow("no such memory") << qy + QStringList{"download", "m009"} << 1
                                    << "no memory \"m009\" on the gauge";
    QTest::newRow("bare name on a file-memory gauge")
        << qy + QStringList{"download", "1"} << 1 << "no memory \"1\" on the gauge";
    QTest::newRow("missing profile") << QStringList{"--simulate", "/nonexistent/gauge.json", "scan"} << 2
                                     << "/nonexistent/gauge.json: cannot be read";
    QTest::newRow("profile that is no JSON")
        << QStringList{"--simulate", QStringLiteral(VEXA_SOURCE_DIR "/README.md"), "scan"} << 2
        << "not valid JSON";
    QTest::newRow("no command") << qy << 2 << "no command given";
    QTest::newRow("unknown command") << qy + QStringList{"dump"} << 2 << "unknown command \"dump\"";
    QTest::newRow("download without memory")
        << qy + QStringList{"download"} << 2 << "download needs the memory";
    QTest::newRow("online without count") << qy + QStringList{"online"} << 2 << "online needs --count N";
    QTest::newRow("count of nothing")
        << qy + QStringList{"online", "--count", "0"} << 2 << "online needs --count N";
    QTest::newRow("mes for online") << qy + QStringList{"online", "--count", "1", "--format", "mes"} << 2
                                    << "--format takes json, csv, report, xlsx, docx or pdf";
    // Online readings as a workbook and into a file are written now (onlineIntoAFile,
    // workbookOfOnlineReadings): what is left to refuse is a folder that cannot take the file.
    QTest::newRow("a workbook of online readings into a missing folder")
        << simulate({"ze-probe-memory.json"}) +
               QStringList{"online", "--count", "1", "--format", "xlsx", "-o", "/nonexistent/online.xlsx"}
        << 1 << "cannot write /nonexistent/online.xlsx";
    QTest::newRow("a chart without a workbook")
        << qy + QStringList{"download", "m001", "--no-chart"} << 2 << "--no-chart is for --format xlsx";
    QTest::newRow("a chart without a workbook, online")
        << qy + QStringList{"online", "--count", "1", "--no-chart"} << 2 << "--no-chart is for --format xlsx";
    QTest::newRow("report for open") << QStringList{"open", "m001.mes", "--format", "report"} << 2
                                     << "--format takes json or csv";
    QTest::newRow("xlsx for open") << QStringList{"open", "m001.mes", "--format", "xlsx"} << 2
                                   << "--format takes json or csv, not \"xlsx\"";
    QTest::newRow("a workbook into a missing folder")
        << qy + QStringList{"download", "m001", "--format", "xlsx", "-o", "/nonexistent/m001.xlsx"} << 1
        << "cannot write /nonexistent/m001.xlsx";
    QTest::newRow("docx for open") << QStringList{"open", "m001.mes", "--format", "docx"} << 2
                                   << "--format takes json or csv, not \"docx\"";
    QTest::newRow("a document into a missing folder")
        << qy + QStringList{"download", "m001", "--format", "docx", "-o", "/nonexistent/m001.docx"} << 1
        << "cannot write /nonexistent/m001.docx";
    QTest::newRow("a document of online readings into a missing folder")
        << simulate({"ze-probe-memory.json"}) +
               QStringList{"online", "--count", "1", "--format", "docx", "-o", "/nonexistent/online.docx"}
        << 1 << "cannot write /nonexistent/online.docx";
    QTest::newRow("unknown language") << qy + QStringList{"--lang", "fr", "scan"} << 2 << "--lang takes";
    QTest::newRow("limits not numbers")
        << qy + QStringList{"--limits", "a:b:c", "scan"} << 2 << "--limits takes";
    QTest::newRow("limits without target")
        << qy + QStringList{"--limits", "1:2", "scan"} << 2 << "--limits takes";
    QTest::newRow("unknown option") << qy + QStringList{"--colour", "scan"} << 2 << "colour";
    QTest::newRow("clock with another word than set")
        << qy + QStringList{"clock", "now"} << 2 << "clock takes \"set\" or nothing, not \"now\"";
    QTest::newRow("clock set with more")
        << qy + QStringList{"clock", "set", "12:00"} << 2 << "unexpected argument \"12:00\"";
    QTest::newRow("info as csv") << qy + QStringList{"info", "--format", "csv"} << 2
                                 << "--format takes json for info, not \"csv\"";
    QTest::newRow("clock into a file")
        << qy + QStringList{"clock", "-o", "clock.txt"} << 2 << "-o is for download, online and open";
    QTest::newRow("a format for the clock") << qy + QStringList{"clock", "--format", "json"} << 2
                                            << "--format is for download, online, open and info";
    const QString unsensible = QStringLiteral("--limits takes no negative number");
    QTest::newRow("negative limits") << qy + QStringList{"--limits", "-10:-5:-7", "download", "m001"} << 2
                                     << unsensible;
    QTest::newRow("minimum above maximum")
        << qy + QStringList{"--limits", "20:10:15", "download", "m001"} << 2 << unsensible;
    QTest::newRow("target above maximum")
        << qy + QStringList{"--limits", "10:20:30:8020", "download", "m001"} << 2 << unsensible;
    QTest::newRow("target below minimum")
        << qy + QStringList{"--limits", "10:0:5", "download", "m001"} << 2 << unsensible;
    QTest::newRow("a folder for -o") << qy + QStringList{"download", "m001", "-o",
                                                         QStringLiteral(VEXA_SOURCE_DIR)}
                                     << 1 << "Is a directory";
    QTest::newRow("open a missing file")
        << QStringList{"open", "/nonexistent/m001.mes"} << 1 << "cannot read /nonexistent/m001.mes";
    QTest::newRow("open a folder") << QStringList{"open", QStringLiteral(VEXA_SOURCE_DIR)} << 1
                                   << "cannot read " VEXA_SOURCE_DIR;
    const QString mes = QStringLiteral(VEXA_SOURCE_DIR "/README.md");
    QTest::newRow("open without file") << QStringList{"open"} << 2 << "open needs the measurement file";
    QTest::newRow("open with an unknown model")
        << QStringList{"open", mes, "--model", "QX"} << 2
        << "--model takes ZKB, QY, KR4, KR8, VD1, VD2, WP, WL, not \"QX\"";
    QTest::newRow("open with a model in small letters")
        << QStringList{"open", mes, "--model", "qy"} << 2 << "--model takes";
    QTest::newRow("open with an unknown format")
        << QStringList{"open", mes, "--format", "xml"} << 2 << "--format takes json or csv, not \"xml\"";
    QTest::newRow("open as a measurement file")
        << QStringList{"open", mes, "--format", "mes"} << 2 << "--format takes json or csv";
    QTest::newRow("open with a gauge") << qy + QStringList{"open", mes} << 2 << "without a gauge";
    QTest::newRow("a model for download")
        << qy + QStringList{"download", "m001", "--model", "QY"} << 2 << "--model is for open";
}

void TestCli::errors() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    Cli cli;
    const Finished finished = cli.run(arguments);
    QTEST(finished.exitCode, "exitCode");
    QCOMPARE(finished.out, QByteArray());
    QCOMPARE(finished.err.count('\n'), 1);
    QVERIFY(finished.err.startsWith("vexa-connect-cli: "));
    QVERIFY2(QString::fromUtf8(finished.err).contains(message), finished.err.constData());
}

// A gauge that leaves the probe command unanswered: the connect step waits out its deadline.
void TestCli::silentGaugeEndsWithTimeOut() {
    Cli cli;
    QFile demoProfile(demo("qy-coating.json"));
    QVERIFY(demoProfile.open(QIODevice::ReadOnly));
    QJsonObject profile = QJsonDocument::fromJson(demoProfile.readAll()).object();
    profile.remove(QStringLiteral("probe"));
    const QString path = cli.home.filePath(QStringLiteral("silent.json"));
    QFile silent(path);
    QVERIFY(silent.open(QIODevice::WriteOnly));
    silent.write(QJsonDocument(profile).toJson());
    silent.close();

    const Finished finished = cli.run({"--simulate", path, "download", "m001"});
    QCOMPARE(finished.exitCode, 1);
    QCOMPARE(finished.out, QByteArray());
    QCOMPARE(finished.err, QByteArray("vexa-connect-cli: the gauge did not answer within 5 s\n"));
}

// The demo gauge's clock starts at its profile's time when the tool starts and runs on from there.
void TestCli::clockIsTheGaugesClock() {
    Cli cli;
    const Finished finished = cli.run(simulate({"qy-coating.json"}) + QStringList{"clock"});
    QCOMPARE(finished.err, QByteArray());
    QCOMPARE(finished.exitCode, 0);
    QVERIFY(finished.out.endsWith('\n'));
    const QDateTime shown = QDateTime::fromString(QString::fromLatin1(finished.out.chopped(1)),
                                                  QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    const QDateTime profileTime(QDate(2026, 3, 5), QTime(7, 8, 9));
    QVERIFY2(shown >= profileTime && shown < profileTime.addSecs(60), finished.out.constData());
}

void TestCli::clockSetSendsThisComputersTime() {
    Cli cli;
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    const Finished finished = cli.run(simulate({"qy-coating.json"}) + QStringList{"clock", "set"});
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    QCOMPARE(finished.err, QByteArray());
    QCOMPARE(finished.exitCode, 0);
    QVERIFY(finished.out.endsWith('\n'));
    const QDateTime sent = QDateTime::fromString(QString::fromLatin1(finished.out.chopped(1)),
                                                 QStringLiteral("yyyy-MM-dd/HH:mm:ss"));
    QVERIFY2(sent >= before && sent <= after, finished.out.constData());
}

// The gauge falls silent at the set command: the time sent is printed, and the run fails.
void TestCli::clockNotTakenExitsOne() {
    Cli cli;
    const QString profile = changedProfile(cli, "qy-coating.json", [](QJsonObject& p) {
        p["simulation"] = QJsonObject{{"stopAnsweringAfter", 13}};
    });
    const Finished finished = cli.run({"--simulate", profile, "clock", "set"});
    QCOMPARE(finished.exitCode, 1);
    QVERIFY(QDateTime::fromString(QString::fromLatin1(finished.out.chopped(1)),
                                  QStringLiteral("yyyy-MM-dd/HH:mm:ss"))
                .isValid());
    QCOMPARE(finished.err,
             QByteArray("vexa-connect-cli: the gauge stopped answering (no answer within 5 s)\n"));
}

using ProfileChange = std::function<void(QJsonObject&)>;
Q_DECLARE_METATYPE(ProfileChange)

// A memory the table cannot hold whole, or whose header names more samples than it holds: the rows it can
// hold, a note, and "truncated" in the JSON; exit 0 all the same.
void TestCli::incompleteMemoriesAreSaid_data() {
    QTest::addColumn<QByteArray>("gauge");
    QTest::addColumn<ProfileChange>("change");
    QTest::addColumn<QString>("memory");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("note");

    const QString cut =
        QStringLiteral("Der Speicher hält mehr als 5000 Werte; übernommen sind die ersten 5000.");
    QTest::newRow("file memory of 5003 records")
        << QByteArray("qy-coating.json")
        << ProfileChange([](QJsonObject& p) { p["files"] = QJsonArray{memoryFile(5003)}; }) << "m001" << 5000
        << "Anzahl           5000" << cut;
    QTest::newRow("file memory of 5000 records")
        << QByteArray("qy-coating.json")
        << ProfileChange([](QJsonObject& p) { p["files"] = QJsonArray{memoryFile(5000)}; }) << "m001" << 5000
        << "Anzahl           5000" << QString();
    QTest::newRow("probe memory of 5003 records")
        << QByteArray("ze-probe-memory.json")
        << ProfileChange([](QJsonObject& p) { p["memories"] = QJsonArray{probeMemory(5003)}; }) << "1" << 5000
        << "Anzahl           5000" << cut;
    QTest::newRow("series whose header names 50 samples")
        << QByteArray("qy-coating.json")
        << ProfileChange([](QJsonObject& p) { p["files"] = QJsonArray{seriesFile(50)}; }) << "t001" << 0
        << "Anzahl               3"
        << QStringLiteral("Der Kopf des Speichers nennt 50 Werte, der Speicher hält 3.");
    QTest::newRow("series whose header count reads negative")
        << QByteArray("qy-coating.json")
        << ProfileChange([](QJsonObject& p) { p["files"] = QJsonArray{seriesFile(qint16(-32768))}; })
        << "t001" << 0 << "Anzahl               3"
        << QStringLiteral("Der Kopf des Speichers nennt 32768 Werte, der Speicher hält 3.");
    QTest::newRow("series whose header names its samples")
        << QByteArray("qy-coating.json")
        << ProfileChange([](QJsonObject& p) { p["files"] = QJsonArray{seriesFile(3)}; }) << "t001" << 0
        << "Anzahl               3" << QString();
}

void TestCli::incompleteMemoriesAreSaid() {
    QFETCH(QByteArray, gauge);
    QFETCH(ProfileChange, change);
    QFETCH(QString, memory);
    QFETCH(QString, note);
    Cli cli;
    const QString profile = changedProfile(cli, gauge.constData(), change);
    const Finished finished = cli.run({"--simulate", profile, "download", memory});
    QCOMPARE(finished.exitCode, 0);
    QCOMPARE(QString::fromUtf8(finished.err),
             note.isEmpty() ? QString() : QStringLiteral("vexa-connect-cli: note: ") + note + u'\n');
    const QJsonObject json = QJsonDocument::fromJson(finished.out).object();
    QTEST(int(json[u"rows"].toArray().size()), "rows");
    QCOMPARE(json.contains(u"truncated"), !note.isEmpty());
    if (!note.isEmpty()) {
        // The member stands right after the memory's.
        QCOMPARE(json[u"truncated"].toBool(), true);
        const qsizetype memoryAt = finished.out.indexOf(R"("memory":{)");
        QCOMPARE(finished.out.indexOf(R"(},"truncated":true,)", memoryAt),
                 finished.out.indexOf('}', memoryAt));
    }
    QFETCH(QString, count);
    QStringList statistics;
    for (const QJsonValue& line : json[u"statistics"][u"lines"].toArray())
        statistics.append(line.toString());
    QVERIFY2(statistics.contains(count), qPrintable(statistics.join(u'|')));
    QFile log(cli.home.filePath(QStringLiteral("config/Vexa Connect/Vexa ConnectTransferLog.txt")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(log.readAll()).contains(note), true);
}

// A live reading with a date that is none gives no row: the next readings take the numbers in turn.
void TestCli::rejectedReadingIsNoRow() {
    Cli cli;
    const QString profile = changedProfile(cli, "ze-probe-memory.json", [](QJsonObject& p) {
        p["live"] = QJsonArray{"   1        92.0 ym   FE  2026-03-05 07:12:00",
                               "   2        93.0 ym   FE  2026-02-30 07:13:00",
                               "   3        97.5 ym   NF  2026-03-05 07:14:00"};
        p["simulation"] = QJsonObject{{"liveIntervalMs", 20}};
    });
    const Finished finished = cli.run({"--simulate", profile, "online", "--count", "2"});
    QCOMPARE(finished.exitCode, 0);
    QCOMPARE(finished.out,
             lines({"1,5 Mar 2026,07:12:00,92.0,µm,FE,", "2,5 Mar 2026,07:14:00,97.5,µm,NF,"}, "\r\n"));
    QCOMPARE(finished.err, QByteArray("vexa-connect-cli: note: Fill Messdaten: invalid date\n"));
}

// A gauge that falls silent after `answered` operations ends the run with one line. No later step waits
// for it: the log holds no failed switch of live values, which only a request that waited would leave.
void TestCli::gaugeFallingSilentEndsTheRun_data() {
    QTest::addColumn<QByteArray>("gauge");
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<int>("answered");
    QTest::addColumn<QByteArray>("error");

    const QByteArray connecting = "vexa-connect-cli: the gauge did not answer within 5 s\n";
    const QByteArray downloading = "vexa-connect-cli: the gauge stopped answering (no answer within 5 s)\n";
    QTest::newRow("while it says who it is")
        << QByteArray("qy-coating.json") << QStringList{"download", "m001"} << 3 << connecting;
    QTest::newRow("while it lists its memories")
        << QByteArray("ze-probe-memory.json") << QStringList{"online", "--count", "1"} << 8 << connecting;
    QTest::newRow("amid a memory file's blocks")
        << QByteArray("qy-coating.json") << QStringList{"download", "m001"} << 25 << downloading;
    QTest::newRow("amid a probe memory's records")
        << QByteArray("ze-probe-memory.json") << QStringList{"download", "3"} << 15 << downloading;
}

void TestCli::gaugeFallingSilentEndsTheRun() {
    QFETCH(QByteArray, gauge);
    QFETCH(QStringList, command);
    QFETCH(int, answered);
    Cli cli;
    const QString profile = changedProfile(cli, gauge.constData(), [answered](QJsonObject& p) {
        p["simulation"] = QJsonObject{{"stopAnsweringAfter", answered}};
    });
    const Finished finished = cli.run(QStringList{"--simulate", profile} + command);
    QCOMPARE(finished.exitCode, 1);
    QCOMPARE(finished.out, QByteArray());
    QTEST(finished.err, "error");
    QFile log(cli.home.filePath(QStringLiteral("config/Vexa Connect/Vexa ConnectTransferLog.txt")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray lines = log.readAll();
    QVERIFY2(!lines.contains("Fehler"), lines.constData());
}

// Names, units and memory names come over the air from anyone in range: on standard output their control
// characters become "?", so no line is forged and no terminal cleared; a file keeps the gauge's bytes.
void TestCli::gaugeTextsReachTheTerminalHarmless_data() {
    QTest::addColumn<ProfileChange>("change");
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<bool>("toFile");
    QTest::addColumn<QByteArray>("written");

    const ProfileChange forgedName = [](QJsonObject& p) {
        p["name"] = QStringLiteral("QY-FE\nMAC: 000000000000 Name: FAKE");
    };
    const ProfileChange escapeInFileName = [](QJsonObject& p) {
        QJsonArray files = p["files"].toArray();
        QJsonObject first = files[0].toObject();
        first["name"] = QStringLiteral("m\u001b[2J1");
        files[0] = first;
        p["files"] = files;
    };
    const ProfileChange escapeInUnit = [](QJsonObject& p) {
        p["info"] = QStringLiteral("$vexa00T:2,S:210745,R:2.04,M:0080E1A1B2C3,U:\u001b[2Jum!");
    };
    QTest::newRow("a name with a line end")
        << forgedName << QStringList{"scan"} << false
        << QByteArray("MAC: 0080E1A1B2C3 Name: QY-FE?MAC: 000000000000 Name: FAKE       RSSI: -58\n");
    QTest::newRow("an escape sequence in a memory's name")
        << escapeInFileName << QStringList{"memories"} << false
        << QByteArray("m?[2J1              \ns002                \nt003                \n");
    QTest::newRow("an escape sequence in the unit, on standard output")
        << escapeInUnit << QStringList{"download", "s002", "--format", "csv"} << false
        << QByteArray("1,19 Feb 2026 09:30:00,,95.00,?[2Jum,,\r\n");
    QTest::newRow("an escape sequence in the unit, in a file")
        << escapeInUnit << QStringList{"download", "s002", "--format", "csv"} << true
        << QByteArray("1,19 Feb 2026 09:30:00,,95.00,\x1b[2Jum,,\r\n");
}

void TestCli::gaugeTextsReachTheTerminalHarmless() {
    QFETCH(ProfileChange, change);
    QFETCH(QStringList, command);
    QFETCH(bool, toFile);
    QFETCH(QByteArray, written);
    Cli cli;
    const QString profile = changedProfile(cli, "qy-coating.json", change);
    const QString file = cli.home.filePath(QStringLiteral("out.csv"));
    const Finished finished = cli.run(QStringList{"--simulate", profile} + command +
                                      (toFile ? QStringList{"-o", file} : QStringList()));
    QCOMPARE(finished.exitCode, 0);
    QByteArray output = finished.out;
    if (toFile) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::ReadOnly));
        output = out.readAll();
    }
    QVERIFY2(output.startsWith(written), output.left(200).constData());
}

// A series memory's samples: number, time in ms, value, unit.
void TestCli::seriesAsCsvAreItsSamples() {
    Cli cli;
    const Finished finished =
        cli.run(simulate({"qy-coating.json"}) + QStringList{"download", "t003", "--format", "csv"});
    QCOMPARE(finished.exitCode, 0);
    const QList<QByteArray> rows = finished.out.split('\n');
    QCOMPARE(rows.size(), 49);
    QCOMPARE(rows[0], QByteArray("1,0.05,60.00,µm\r"));
    QCOMPARE(rows[47], QByteArray("48,2.4,54.37,µm\r"));
}

// An empty result leaves the file named by -o as it was.
void TestCli::nothingNeverReplacesAFile() {
    Cli cli;
    const QString path = cli.home.filePath(QStringLiteral("kept.csv"));
    QFile existing(path);
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("what was there\r\n");
    existing.close();
    const Finished finished = cli.run(simulate({"ze-probe-memory.json"}) +
                                      QStringList{"download", "2", "--format", "csv", "-o", path});
    QCOMPARE(finished.exitCode, 1);
    QCOMPARE(finished.err.count('\n'), 1);
    QVERIFY2(finished.err.contains("nothing to write"), finished.err.constData());
    QVERIFY(existing.open(QIODevice::ReadOnly));
    QCOMPARE(existing.readAll(), QByteArray("what was there\r\n"));
}

// -o onto a FIFO writes into it: its reader gets the rows and the FIFO stays one.
void TestCli::outputIntoAFifo() {
    Cli cli;
    const QString fifo = cli.home.filePath(QStringLiteral("rows"));
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const int descriptor = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(descriptor >= 0);
    QFile reader;
    QVERIFY(reader.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    const Finished finished = cli.run(simulate({"ze-probe-memory.json"}) +
                                      QStringList{"download", "1", "--format", "csv", "-o", fifo});
    QCOMPARE(finished.exitCode, 0);
    QCOMPARE(reader.readAll().count('\n'), 7);
    QVERIFY(!QFileInfo(fifo).isFile());
}

// A memory table the gauge cannot state (a count beyond 32767) breaks off there: the tool says so.
void TestCli::memoryTableCutIsSaid() {
    Cli cli;
    const QString profile = changedProfile(cli, "ze-probe-memory.json", [](QJsonObject& p) {
        QJsonArray memories = p["memories"].toArray();
        QJsonObject huge = probeMemory(32768);
        huge["name"] = QStringLiteral("4");
        memories.append(huge);
        p["memories"] = memories;
    });
    const Finished finished = cli.run({"--simulate", profile, "memories"});
    QCOMPARE(finished.exitCode, 0);
    QCOMPARE(finished.out, lines({"   S1   (7)", "   S2   (0)", "   S3  (12)"}));
    QCOMPARE(QString::fromUtf8(finished.err),
             QStringLiteral("vexa-connect-cli: note: Die Speicherliste des Geräts ist nicht lesbar: nach 3 "
                            "Speichern ein Eintrag mit mehr als 32767 Werten.\n"));
}

// A memory saved with `download --format mes` opens as the rows the download gave: the same JSON rows and
// statistics, the same CSV; the statistics are headed by the file's name and row count. The file's name
// starts with "s", as memories of single values do, whose statistics count both materials together.
void TestCli::openGivesWhatTheDownloadGave_data() {
    QTest::addColumn<QStringList>("download");
    QTest::addColumn<QStringList>("options"); // of both runs
    QTest::addColumn<QStringList>("openOptions");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("locale");

    const QStringList m001 = simulate({"qy-coating.json"}) + QStringList{"download", "m001"};
    const QStringList probe3 = simulate({"ze-probe-memory.json"}) + QStringList{"download", "3"};
    const QStringList none;
    const QStringList qy{"--model", "QY"};
    QTest::newRow("json, C.UTF-8") << m001 << none << none << "json" << English;
    QTest::newRow("json, C.UTF-8, as its model") << m001 << none << qy << "json" << English;
    QTest::newRow("csv, C.UTF-8") << m001 << none << none << "csv" << English;
    QTest::newRow("json, de_DE, as its model") << m001 << none << qy << "json" << German;
    QTest::newRow("csv, en_US, times with AM and PM")
        << m001 << none << none << "csv" << QByteArray("en_US.UTF-8");
    QTest::newRow("json, en_GB, English texts, as its model")
        << m001 << QStringList{"--lang", "en"} << qy << "json" << QByteArray("en_GB.UTF-8");
    QTest::newRow("json, limits and the 80/20 rule, as its model")
        << m001 << QStringList{"--limits", "10:200:150:8020"} << qy << "json" << German;
    QTest::newRow("json, probe memory of two materials, as its model")
        << probe3 << none << QStringList{"--model", "ZKB"} << "json" << German;
    QTest::newRow("csv, probe memory") << probe3 << none << none << "csv" << German;
}

void TestCli::openGivesWhatTheDownloadGave() {
    QFETCH(QStringList, download);
    QFETCH(QStringList, options);
    QFETCH(QStringList, openOptions);
    QFETCH(QString, format);
    QFETCH(QByteArray, locale);
    Cli cli;
    const QString file = cli.home.filePath(QStringLiteral("saved.mes"));
    const Finished saved = cli.run(options + download + QStringList{"--format", "mes", "-o", file}, locale);
    QCOMPARE(saved.exitCode, 0);
    const Finished downloaded = cli.run(options + download + QStringList{"--format", format}, locale);
    QCOMPARE(downloaded.exitCode, 0);

    const Finished opened =
        cli.run(options + QStringList{"open", file, "--format", format} + openOptions, locale);
    QCOMPARE(opened.exitCode, 0);
    QCOMPARE(opened.err, downloaded.err);
    if (format == u"csv") {
        QVERIFY(!opened.out.isEmpty());
        QCOMPARE(opened.out, downloaded.out);
        return;
    }
    const QJsonObject was = QJsonDocument::fromJson(downloaded.out).object();
    const QJsonObject is = QJsonDocument::fromJson(opened.out).object();
    QCOMPARE(is[u"memory"][u"selector"].toString(), QStringLiteral("saved.mes"));
    QVERIFY(!is[u"rows"].toArray().isEmpty());
    QCOMPARE(is[u"rows"], was[u"rows"]);
    const QJsonArray statistics = is[u"statistics"][u"lines"].toArray();
    QCOMPARE(statistics.first().toString(),
             QStringLiteral("saved.mes (%1)").arg(is[u"rows"].toArray().size()));
    if (openOptions.isEmpty()) {
        QCOMPARE(is[u"device"][u"traits"].toString(), QStringLiteral("   2 - "));
        return;
    }
    // The model brings what the file cannot show: its traits and its measuring mode, by which coating
    // gauges count each material on its own.
    for (const char16_t* key : {u"model", u"mode", u"traits"})
        QCOMPARE(is[u"device"][key], was[u"device"][key]);
    QCOMPARE(statistics.toVariantList().mid(1),
             was[u"statistics"][u"lines"].toArray().toVariantList().mid(1));
}

// Without a model the file's layout gives the traits: dated lines or time lines, with or without a
// material column; the traits the file cannot show stay blank. A model named reads the file as its
// gauge writes it.
void TestCli::openReadsTheFileAsItsLayoutShows_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("traits");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("material");
    QTest::addColumn<QJsonValue>("timestamp");

    const QString sections = QStringLiteral("#  05.12.2026 08:15\r\n#  Projekt Bridge A\r\n\r\nStatistik:\r\n"
                                            " \r\nAnzahl              1\r\n\r\n\r\n");
    const QJsonValue dated(QStringLiteral("2026-12-06T14:05:33"));
    const QJsonValue none(QJsonValue::Null);
    QTest::newRow("dated lines with materials")
        << sections + QStringLiteral("06.12.2026 14:05:33         1        12,5 µm    FE\r\n\r\n")
        << QStringList() << "   2 - "
        << "µm"
        << "FE" << dated;
    QTest::newRow("dated lines without material")
        << sections + QStringLiteral("06.12.2026 14:05:33         1       0,125 µVs cm \r\n\r\n")
        << QStringList() << "   0 - "
        << "µVs cm"
        << "" << dated;
    QTest::newRow("time lines with materials")
        << QStringLiteral("06.12.2026\r\n14:05:33          1        99,4 µm   FE\r\n") << QStringList()
        << "   2   "
        << "µm"
        << "FE" << none;
    QTest::newRow("time lines without material")
        << QStringLiteral("14:05:33          1        99,4 µm   \r\n") << QStringList() << "   0   "
        << "µm"
        << "" << none;
    QTest::newRow("a model without materials takes the column into the unit")
        << sections + QStringLiteral("06.12.2026 14:05:33         1        12,5 µm    FE\r\n\r\n")
        << QStringList{"--model", "WL"} << "5LE0--3"
        << "µm    FE"
        << "" << dated;
}

void TestCli::openReadsTheFileAsItsLayoutShows() {
    QFETCH(QString, text);
    QFETCH(QStringList, options);
    Cli cli;
    const QString path = cli.home.filePath(QStringLiteral("old.mes"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    file.close();

    const Finished opened = cli.run(QStringList{"open", path} + options, German);
    QCOMPARE(opened.err, QByteArray());
    QCOMPARE(opened.exitCode, 0);
    const QJsonObject json = QJsonDocument::fromJson(opened.out).object();
    QTEST(json[u"device"][u"traits"].toString(), "traits");
    const QJsonArray rows = json[u"rows"].toArray();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0][u"number"].toInt(), 1);
    QTEST(rows[0][u"unit"].toString(), "unit");
    QTEST(rows[0][u"material"].toString(), "material");
    QTEST(rows[0][u"timestamp"], "timestamp");
}

// -o takes what standard output would have shown; nothing to write leaves the file as it was.
void TestCli::openWritesToAFile() {
    Cli cli;
    const QString saved = cli.home.filePath(QStringLiteral("m001.mes"));
    QCOMPARE(cli.run(simulate({"qy-coating.json"}) +
                     QStringList{"download", "m001", "--format", "mes", "-o", saved})
                 .exitCode,
             0);
    const QStringList open{"open", saved, "--format", "csv"};
    const Finished toStdout = cli.run(open);
    QCOMPARE(toStdout.exitCode, 0);
    const QString path = cli.home.filePath(QStringLiteral("out.csv"));
    const Finished toFile = cli.run(open + QStringList{"-o", path});
    QCOMPARE(toFile.err, QByteArray());
    QCOMPARE(toFile.exitCode, 0);
    QCOMPARE(toFile.out, QByteArray());
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), toStdout.out);
    written.close();

    const QString empty = cli.home.filePath(QStringLiteral("empty.mes"));
    QFile emptyFile(empty);
    QVERIFY(emptyFile.open(QIODevice::WriteOnly));
    emptyFile.write("#  05.12.2026 08:15\r\n\r\n");
    emptyFile.close();
    const Finished nothing = cli.run(QStringList{"open", empty, "--format", "csv", "-o", path});
    QCOMPARE(nothing.exitCode, 1);
    QCOMPARE(nothing.err.count('\n'), 1);
    QVERIFY2(nothing.err.contains("nothing to write"), nothing.err.constData());
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), toStdout.out);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
