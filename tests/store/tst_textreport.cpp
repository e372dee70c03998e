// The text report: its columns, its sections, and the report of a whole memory in both languages.
#include "data/Initialisation.h"
#include "data/LocaleTexts.h"
#include "data/MemoryDump.h"
#include "files/MeasurementFile.h"
#include "files/MemoryExport.h"
#include "files/ReportLines.h"
#include "files/RowsCsv.h"
#include "files/TextReport.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;
using namespace vexa::ctl;

namespace {

const QLocale GermanLocale(QLocale::German, QLocale::Germany);
const QLocale EnglishLocale(QLocale::English, QLocale::UnitedKingdom);

DeviceTraits traitsWith(char dateHeader, char material) {
    return {'5', 'L', 'E', material, '+', dateHeader, '2'};
}

MeasurementRow row(qint16 number, double value, const QString& unit, const QString& material = {},
                   QDateTime when = QDateTime(QDate(2026, 12, 6), QTime(14, 5, 33))) {
    MeasurementRow r;
    r.number = number;
    r.value = value;
    r.unit = unit;
    r.material = material;
    r.timestamp = when;
    r.dateText = when.date().toString(QStringLiteral("dd.MM.yyyy"));
    r.timeText = when.time().toString(QStringLiteral("HH:mm:ss"));
    return r;
}

} // namespace

class TestTextReport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dataLine_data();
    void dataLine();
    void limitLines_data();
    void limitLines();
    void projectLines_data();
    void projectLines();
    void wholeReport_data();
    void wholeReport();
    void secondMaterialBlock();
    void seriesMemory();
    void outputsLeaveTheWindowAsItIs();
    void projectModeHasTheProjectAlone();
    void fileTextEndsWithAnEmptyLine();

private:
    void startGauge(const QString& name, const QString& measureMode);
    void writeProjectFile(const QStringList& lines);

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ScriptedPrompt> prompt_;
    std::unique_ptr<MainModel> model_;
};

void TestTextReport::init() {
    QLocale::setDefault(GermanLocale);
    folder_ = std::make_unique<QTemporaryDir>();
    prompt_ = std::make_unique<ScriptedPrompt>();
    model_ = std::make_unique<MainModel>(*prompt_);
    model_->programStart({QString(), folder_->path(), folder_->path()});
}

void TestTextReport::cleanup() {
    model_.reset();
    QLocale::setDefault(QLocale::c());
}

void TestTextReport::startGauge(const QString& name, const QString& measureMode) {
    model_->applyInitialisation(
        decideInitialisation(name, DeviceInfo{.S = QStringLiteral("4711")}, model_->state().gauge));
    model_->state().gauge.model.measureMode = measureMode;
}

void TestTextReport::writeProjectFile(const QStringList& lines) {
    QFile file(folder_->filePath(QStringLiteral("Projektdaten._4711.ini")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    QFile labels(folder_->filePath(QStringLiteral("Projekt.ini")));
    QVERIFY(labels.open(QIODevice::WriteOnly));
    labels.write(QStringLiteral("Projekt;Project;\r\nKunde;Customer;\r\nOrt;Location;\r\n").toUtf8());
}

void TestTextReport::dataLine_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<DeviceTraits>("traits");
    QTest::addColumn<MeasurementRow>("row");
    QTest::addColumn<QString>("line");

    const DeviceTraits dated = traitsWith('-', '2');
    const DeviceTraits timed = traitsWith(' ', '2');
    QTest::newRow("dated, µm below 100 with one decimal")
        << GermanLocale << dated << row(1, 12.5, QStringLiteral("µm"), QStringLiteral("FE"))
        << QStringLiteral("06.12.2026 14:05:33         1        12,5 µm    FE");
    QTest::newRow("dated, mils with two decimals")
        << GermanLocale << dated << row(1, 12.5, QStringLiteral("mils"), QStringLiteral("NF"))
        << QStringLiteral("06.12.2026 14:05:33         1       12,50 mils  NF");
    QTest::newRow("dated, five-digit number and a wide value keep their columns")
        << GermanLocale << dated << row(12345, 12345.678, QStringLiteral("mT"))
        << QStringLiteral("06.12.2026 14:05:33     12345       12346 mT    ");
    QTest::newRow("dated, a unit wider than its column is not cut")
        << GermanLocale << dated << row(7, 3.25, QStringLiteral("µVs cm"), QStringLiteral("WLM"))
        << QStringLiteral("06.12.2026 14:05:33         7        3,25 µVs cm WLM");
    QTest::newRow("dated, EnglishLocale date and time")
        << EnglishLocale << dated << row(3, 150, QStringLiteral("µm"), QStringLiteral("FE"))
        << QStringLiteral("06/12/2026 14:05:33         3         150 µm    FE");
    QTest::newRow("dated, C: a numeric date in place of one with blanks")
        << QLocale(QStringLiteral("C.UTF-8")) << dated
        << row(3, 150, QStringLiteral("µm"), QStringLiteral("FE"))
        << QStringLiteral("2026-12-06 14:05:33         3         150 µm    FE");
    QTest::newRow("dated, en_US: the widest date and time keep the number's column")
        << QLocale(QStringLiteral("en_US")) << dated
        << row(4999, 150, QStringLiteral("µm"), QStringLiteral("FE"),
               QDateTime(QDate(2026, 12, 28), QTime(23, 59, 59)))
        << QStringLiteral("12/28/2026 11:59:59 PM   4999         150 µm    FE");
    QTest::newRow("dated, es_CO: a 24-hour time in place of one too wide")
        << QLocale(QStringLiteral("es_CO")) << dated
        << row(3, 150, QStringLiteral("µm"), QStringLiteral("FE"))
        << QStringLiteral("6/12/2026 14:05:33          3         150 µm    FE");
    QTest::newRow("time only") << GermanLocale << timed
                               << row(2, 99.4, QStringLiteral("µm"), QStringLiteral("FE"))
                               << QStringLiteral("14:05:33          2        99,4 µm   FE");
}

void TestTextReport::dataLine() {
    QFETCH(QLocale, locale);
    QFETCH(DeviceTraits, traits);
    QFETCH(MeasurementRow, row);
    QFETCH(QString, line);
    QLocale::setDefault(locale);
    row.dateText = shortDateText(row.timestamp.date());
    RowDates dates(measurementFileDateTimeForms());
    QCOMPARE(reportDataLine(row, {QStringLiteral("QY"), QStringLiteral("FM"), traits}, dates), line);
}

void TestTextReport::limitLines_data() {
    QTest::addColumn<Limits>("limits");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("lines");

    Limits none;
    Limits all{80, 120, 100, QStringLiteral("80"), QStringLiteral("120"), QStringLiteral("100"), true};
    Limits minimumOnly{80, 0, 0, QStringLiteral("80"), QStringLiteral("0"), QStringLiteral("0"), false};
    Limits targetOnly{0, 0, 12.5, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("12,5"), false};
    QTest::newRow("none") << none << 0 << QStringList();
    QTest::newRow("all, German") << all << 0
                                 << QStringList{QStringLiteral("Min Limit              80 µm"),
                                                QStringLiteral("Max Limit             120 µm"),
                                                QStringLiteral("Sollwert              100 µm")};
    QTest::newRow("all, English") << all << 1
                                  << QStringList{QStringLiteral("Min Limit              80 µm"),
                                                 QStringLiteral("Max Limit             120 µm"),
                                                 QStringLiteral("Target value          100 µm")};
    QTest::newRow("one limit gives both lines")
        << minimumOnly << 0
        << QStringList{QStringLiteral("Min Limit              80 µm"),
                       QStringLiteral("Max Limit               0 µm")};
    QTest::newRow("target alone") << targetOnly << 1
                                  << QStringList{QStringLiteral("Target value         12,5 µm")};
}

void TestTextReport::limitLines() {
    QFETCH(Limits, limits);
    QFETCH(int, language);
    QFETCH(QStringList, lines);
    QCOMPARE(reportLimitLines(limits, QStringLiteral("µm"), language), lines);
}

void TestTextReport::projectLines_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("all empty") << QStringList{{}, {}, {}, {}, {}, {}} << QStringList();
    QTest::newRow("single blanks count as empty")
        << QStringList{QStringLiteral(" "), {}, QStringLiteral(" "), {}, {}, {}} << QStringList();
    QTest::newRow("two fields") << QStringList{QStringLiteral("Bridge A"), {}, QStringLiteral("Pier 3"),
                                               QStringLiteral(" "),        {}, {}}
                                << QStringList{QStringLiteral("#  06.12.2026 09:30"),
                                               QStringLiteral("#  Projekt Bridge A"),
                                               QStringLiteral("#  Ort Pier 3"), QString()};
}

void TestTextReport::projectLines() {
    QFETCH(QStringList, fields);
    QFETCH(QStringList, lines);
    ProjectData project;
    for (int k = 0; k < ProjectData::FieldCount; ++k)
        project.fields[static_cast<size_t>(k)] = fields[k];
    project.date = QDate(2026, 12, 6);
    project.time = QTime(9, 30, 59);
    ProjectLabels labels;
    labels.lines = {QStringLiteral("Projekt;Project;"),  QStringLiteral("Kunde;Customer;"),
                    QStringLiteral("Ort;Location;"),     QStringLiteral("Bauteil;Part;"),
                    QStringLiteral("Prüfer;Inspector;"), QStringLiteral("Bemerkung;Remark;")};
    QCOMPARE(reportProjectLines(project, labels, 0), lines);
}

void TestTextReport::wholeReport_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("lines");

    const auto data = [](const char* value, int number) {
        return QStringLiteral("06.12.2026 14:05:33     ") + QStringLiteral("%1 ").arg(number, 5) +
               QStringLiteral("%1").arg(QLatin1String(value), 11) + QStringLiteral(" µm    FE");
    };
    const QStringList rows{data("102", 1), data("95,0", 2), data("130", 3)};
    QTest::newRow("German") << 0
                            << QStringList{QStringLiteral("#  05.12.2026 08:15"),
                                           QStringLiteral("#  Projekt Bridge A"),
                                           QString(),
                                           QStringLiteral("Statistik:"),
                                           QStringLiteral(" "),
                                           QStringLiteral("Anzahl              3"),
                                           QStringLiteral("Minimum          95,0    µm"),
                                           QStringLiteral("Maximum           130    µm"),
                                           QStringLiteral("Mittel          108,83   µm"),
                                           QStringLiteral("Std.Abw.         18,62   µm"),
                                           QString(),
                                           QStringLiteral("Min Limit              80 µm"),
                                           QStringLiteral("Max Limit             120 µm"),
                                           QStringLiteral("Sollwert              100 µm"),
                                           QString()} +
                                   rows + QStringList{QString()};
    QTest::newRow("English") << 1
                             << QStringList{QStringLiteral("#  05.12.2026 08:15"),
                                            QStringLiteral("#  Project Bridge A"),
                                            QString(),
                                            QStringLiteral("Statistics:"),
                                            QStringLiteral(" "),
                                            QStringLiteral("Count               3"),
                                            QStringLiteral("Minimum          95,0    µm"),
                                            QStringLiteral("Maximum           130    µm"),
                                            QStringLiteral("Average         108,83   µm"),
                                            QStringLiteral("Std.Dev          18,62   µm"),
                                            QString(),
                                            QStringLiteral("Min Limit              80 µm"),
                                            QStringLiteral("Max Limit             120 µm"),
                                            QStringLiteral("Target value          100 µm"),
                                            QString()} +
                                    rows + QStringList{QString()};
}

void TestTextReport::wholeReport() {
    QFETCH(int, language);
    QFETCH(QStringList, lines);
    startGauge(QStringLiteral("QY-FE 2107"), QStringLiteral("FM"));
    writeProjectFile(QStringList{"Bridge A", "", "", "", "", "", "DT 05.12.2026", "TM 08:15"});
    if (language == 1)
        model_->englishClick();
    model_->settings().limits = {
        80, 120, 100, QStringLiteral("80"), QStringLiteral("120"), QStringLiteral("100"), false};
    model_->currentStore().assign({row(1, 101.5, QStringLiteral("µm"), QStringLiteral("FE")),
                                   row(2, 95, QStringLiteral("µm"), QStringLiteral("FE")),
                                   row(3, 130, QStringLiteral("µm"), QStringLiteral("FE"))});
    model_->FillMSFlexOne();
    const QString text = buildReport(model_->reportSheet(), ReportMode::All);
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    QCOMPARE(text.split(QStringLiteral("\r\n")), lines);
}

// Gauges measuring two base materials report the statistics of each, and the window keeps showing the
// material it showed: a report is no click on the material button.
void TestTextReport::secondMaterialBlock() {
    startGauge(QStringLiteral("QY-FE 2107"), QStringLiteral("SM"));
    model_->currentStore().assign({row(1, 100, QStringLiteral("µm"), QStringLiteral("FE")),
                                   row(2, 110, QStringLiteral("µm"), QStringLiteral("FE")),
                                   row(3, 50, QStringLiteral("µm"), QStringLiteral("NF"))});
    model_->FillMSFlexOne();
    QVERIFY(model_->controls().visible(cmdMaterial));
    QCOMPARE(model_->controls().caption(cmdMaterial), QStringLiteral("NF"));

    const QStringList lines = reportLines(model_->reportSheet(), ReportMode::All);
    const QStringList titles = lines.filter(QStringLiteral("Statistik:"));
    const QStringList counts = lines.filter(QStringLiteral("Anzahl"));
    QCOMPARE(titles, (QStringList{QStringLiteral("FE Statistik:"), QStringLiteral("NFE Statistik:")}));
    QCOMPARE(counts,
             (QStringList{QStringLiteral("Anzahl              2"), QStringLiteral("Anzahl              1")}));
    QCOMPARE(lines.filter(QStringLiteral("14:05:33")).size(), 3);
    QCOMPARE(model_->controls().caption(cmdMaterial), QStringLiteral("NF"));
    QCOMPARE(model_->statistics().state().count, 2);
    // A second copy lists the materials in the same order.
    QCOMPARE(reportLines(model_->reportSheet(), ReportMode::All), lines);
}

// Whatever is built from the sheet, the window shows what it showed.
void TestTextReport::outputsLeaveTheWindowAsItIs() {
    startGauge(QStringLiteral("QY-FE 2107"), QStringLiteral("SM"));
    MeasurementRow marked = row(3, 0, QStringLiteral("µm"), QStringLiteral("FE"));
    marked.mark = QStringLiteral("X");
    model_->currentStore().assign({row(1, 100, QStringLiteral("µm"), QStringLiteral("FE")),
                                   row(2, 50, QStringLiteral("µm"), QStringLiteral("NF")), marked});
    model_->FillMSFlexOne();
    model_->cmdMaterial_Click();
    const auto shown = [this] {
        QHash<QString, ControlProps> controls;
        for (const QString& name : model_->controls().names())
            controls.insert(name, model_->controls()[name]);
        return controls;
    };
    const QHash<QString, ControlProps> before = shown();
    const StatisticsState statistics = model_->statistics().state();

    const MeasurementSheet sheet = model_->reportSheet();
    (void)buildReport(sheet, ReportMode::All);
    (void)memoryJson(exportedMemory(sheet));
    (void)rowsCsv(exportedRows(sheet), u',');
    QCOMPARE(shown(), before);
    QCOMPARE(model_->statistics().state(), statistics);
    QCOMPARE(model_->table().rowCount(), 3);
    // The report's first block is the material the list shows.
    QCOMPARE(sheet.statisticsList(), model_->controls().items(lstStat));
}

void TestTextReport::seriesMemory() {
    startGauge(QStringLiteral("QY-FE 2107"), QStringLiteral("FM"));
    writeProjectFile({QStringLiteral("Bridge A"), {}, {}, {}, {}, {}});
    DecodedMemory series;
    series.selector = QStringLiteral("t003");
    series.kind = MemoryKind::Series;
    series.empty = false;
    series.header.memoryName = QStringLiteral("Pulse");
    series.header.recordCount = 3;
    series.header.pulseTime = 12.345;
    series.seriesValues = {1.5, -0.25, 3};
    QVERIFY(model_->FillMessdatenDatei(series));

    const QStringList lines = reportLines(model_->reportSheet(), ReportMode::All);
    const QStringList statistics = model_->controls().items(lstStat).mid(2);
    QVERIFY(!statistics.isEmpty());
    QCOMPARE(lines.first(), QStringLiteral("Triggert003 Pulse"));
    QCOMPARE(lines.mid(1, statistics.size()), statistics);
    QCOMPARE(lines.mid(1 + statistics.size()),
             (QStringList{QStringLiteral(" Impulszeit12,35 ms"), QString(), QStringLiteral("1,5"),
                          QStringLiteral("-0,25"), QStringLiteral("3")}));
}

void TestTextReport::projectModeHasTheProjectAlone() {
    startGauge(QStringLiteral("QY-FE 2107"), QStringLiteral("FM"));
    QVERIFY(reportLines(model_->reportSheet(), ReportMode::Project).isEmpty());
    writeProjectFile({{}, {}, QStringLiteral("Pier 3"), {}, {}, {}, QStringLiteral("DT 05.12.2026")});
    model_->currentStore().assign({row(1, 100, QStringLiteral("µm"), QStringLiteral("FE")),
                                   row(2, 110, QStringLiteral("µm"), QStringLiteral("FE"))});
    model_->FillMSFlexOne();
    const QStringList lines = reportLines(model_->reportSheet(), ReportMode::Project);
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].startsWith(QStringLiteral("#  05.12.2026 ")));
    QCOMPARE(lines.mid(1), (QStringList{QStringLiteral("#  Ort Pier 3"), QString()}));
}

void TestTextReport::fileTextEndsWithAnEmptyLine() {
    startGauge(QStringLiteral("QY-FE 2107"), QStringLiteral("FM"));
    const QString text = measurementFileText(model_->reportSheet());
    QCOMPARE(text, QStringLiteral("\r\n\r\n\r\n"));
}

QTEST_GUILESS_MAIN(TestTextReport)
#include "tst_textreport.moc"
