// Measurement files: reading rows back from report text, and the save/open round trip of the main window.
#include "data/DeviceTables.h"
#include "data/Initialisation.h"
#include "data/LocaleTexts.h"
#include "files/MeasurementFile.h"
#include "files/TextEncoding.h"
#include "files/TextReport.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;
using namespace vexa::ctl;

Q_DECLARE_METATYPE(std::vector<vexa::MeasurementRow>)

namespace {

const QLocale GermanLocale(QLocale::German, QLocale::Germany);
const QLocale EnglishLocale(QLocale::English, QLocale::UnitedKingdom);

const DeviceTraits Dated{'5', 'L', 'E', '2', '+', '-', '2'};
const DeviceTraits DatedNoMaterial{'5', 'L', 'E', '0', '-', '-', '3'};
const DeviceTraits Timed{'4', 'L', 'E', '2', '+', ' ', '2'};

MeasurementRow fields(qint16 number, double value, const QString& unit, const QString& material = {}) {
    MeasurementRow r;
    r.number = number;
    r.value = value;
    r.unit = unit;
    r.material = material;
    return r;
}

MeasurementRow dated(MeasurementRow r, const QDateTime& when) {
    r.timestamp = when;
    r.dateText = shortDateText(when.date());
    r.timeText = longTimeText(when.time());
    return r;
}

MeasurementRow timed(MeasurementRow r, const QString& time, const QString& date = QStringLiteral(" ")) {
    r.timeText = time;
    r.dateText = date;
    return r;
}

const QDateTime At(QDate(2026, 12, 6), QTime(14, 5, 33));

} // namespace

class TestMeasurementFile : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(GermanLocale); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }
    void init();
    void cleanup();
    void read_data();
    void read();
    void readStopsAtCapacity();
    void roundTrip_data();
    void roundTrip();
    void datesComeBackInEveryLocale_data();
    void datesComeBackInEveryLocale();
    void datesOfOtherForms_data();
    void datesOfOtherForms();
    void traitsFromTheFile_data();
    void traitsFromTheFile();
    void saveNames_data();
    void saveNames();
    void dialogsStartInTheDeviceFolder();
    void failedSaveIsReportedAndKeepsTheOldFile();
    void unreadableFileChangesNothing();
    void openingSwitchesToTheMemoryView();
    void openedBeforeAnyGauge_data();
    void openedBeforeAnyGauge();

private:
    void startGauge(const QString& deviceNumber = QStringLiteral("4711"));
    void fill(const std::vector<MeasurementRow>& rows);
    std::vector<MeasurementRow> shownRows() const;

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ScriptedPrompt> prompt_;
    std::unique_ptr<MainModel> model_;
};

void TestMeasurementFile::init() {
    QLocale::setDefault(GermanLocale);
    folder_ = std::make_unique<QTemporaryDir>();
    prompt_ = std::make_unique<ScriptedPrompt>();
    model_ = std::make_unique<MainModel>(*prompt_);
    model_->programStart({QString(), folder_->path(), folder_->path()});
}

void TestMeasurementFile::cleanup() {
    model_.reset();
    QLocale::setDefault(GermanLocale);
}

void TestMeasurementFile::startGauge(const QString& deviceNumber) {
    model_->applyInitialisation(decideInitialisation(QStringLiteral("QY-FE 2107"),
                                                     DeviceInfo{.S = deviceNumber}, model_->state().gauge));
    model_->state().gauge.model.measureMode = QStringLiteral("FM");
}

void TestMeasurementFile::fill(const std::vector<MeasurementRow>& rows) {
    model_->currentStore().assign(rows);
    model_->Reset_Statistic();
    model_->FillMSFlexOne();
}

std::vector<MeasurementRow> TestMeasurementFile::shownRows() const {
    std::vector<MeasurementRow> rows;
    const RowStore& store = model_->stores().memory;
    for (int i = 1; i <= store.presentCount(); ++i)
        rows.push_back(store[i]);
    return rows;
}

void TestMeasurementFile::read_data() {
    QTest::addColumn<DeviceTraits>("traits");
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::vector<MeasurementRow>>("rows");

    const QString project = QStringLiteral("#  05.12.2026 08:15\r\n#  Projekt Bridge A\r\n\r\n");
    const QString statistics = QStringLiteral("Statistik:\r\n \r\nAnzahl              2\r\n\r\nMin Limit   "
                                              "           80 µm\r\n\r\n");
    QTest::newRow("dated rows after the project and statistics sections")
        << Dated
        << project + statistics +
               QStringLiteral("06.12.2026 14:05:33         1        12,5 µm    FE\r\n"
                              "06.12.2026 14:05:34         2         130 µm    NF\r\n\r\n")
        << std::vector{dated(fields(1, 12.5, QStringLiteral("µm"), QStringLiteral("FE")), At),
                       dated(fields(2, 130, QStringLiteral("µm"), QStringLiteral("NF")), At.addSecs(1))};
    QTest::newRow("numbers from 10000 up are read whole")
        << Dated << QStringLiteral("06.12.2026 14:05:33     12345       99,80 mils  FE\r\n")
        << std::vector{dated(fields(12345, 99.8, QStringLiteral("mils"), QStringLiteral("FE")), At)};
    QTest::newRow("a number too large for a row number gives 0")
        << Dated << QStringLiteral("06.12.2026 14:05:33     99999999999999999999999          10 µm    FE\r\n")
        << std::vector{dated(fields(0, 10, QStringLiteral("µm"), QStringLiteral("FE")), At)};
    QTest::newRow("a decimal point reads as well as a comma")
        << Dated << QStringLiteral("06.12.2026 14:05:33         1       12.50 mils  FE\r\n")
        << std::vector{dated(fields(1, 12.5, QStringLiteral("mils"), QStringLiteral("FE")), At)};
    QTest::newRow("values keep three decimals")
        << Dated << QStringLiteral("06.12.2026 14:05:33         1    -1,23456 mT    FE\r\n")
        << std::vector{dated(fields(1, -1.235, QStringLiteral("mT"), QStringLiteral("FE")), At)};
    QTest::newRow("a unit with a blank and a three-letter material")
        << Dated << QStringLiteral("06.12.2026 14:05:33         7        3,25 µVs cm WLM\r\n")
        << std::vector{dated(fields(7, 3.25, QStringLiteral("µVs cm"), QStringLiteral("WLM")), At)};
    QTest::newRow("a row without material")
        << Dated << QStringLiteral("06.12.2026 14:05:33         7        3,25 µm    \r\n")
        << std::vector{dated(fields(7, 3.25, QStringLiteral("µm")), At)};
    QTest::newRow("gauges without materials take the rest of the line as the unit")
        << DatedNoMaterial << QStringLiteral("06.12.2026 14:05:33         1       0,125 µVs cm \r\n")
        << std::vector{dated(fields(1, 0.125, QStringLiteral("µVs cm")), At)};
    QTest::newRow("the only data line is the last, without a line end")
        << Dated << QStringLiteral("#  x\r\n\r\n06.12.2026 14:05:33         1         102 µm    FE")
        << std::vector{dated(fields(1, 102, QStringLiteral("µm"), QStringLiteral("FE")), At)};
    QTest::newRow("time rows; a leading date line dates the first row")
        << Timed
        << QStringLiteral("06.12.2026\r\n14:05:33          1        99,4 µm   FE\r\n"
                          "14:05:40          2         101 µm   FE\r\n")
        << std::vector{
               timed(fields(1, 99.4, QStringLiteral("µm"), QStringLiteral("FE")), QStringLiteral("14:05:33"),
                     QStringLiteral("06.12.2026")),
               timed(fields(2, 101, QStringLiteral("µm"), QStringLiteral("FE")), QStringLiteral("14:05:40"))};
    QTest::newRow("a dated row read by a time-only gauge keeps its value")
        << Timed << QStringLiteral("06.12.2026 14:05:33         1        12,5 µm    FE\r\n")
        << std::vector{timed(fields(1, 12.5, QStringLiteral("µm"), QStringLiteral("FE")),
                             QStringLiteral("06.12.20"), QStringLiteral("06.12.2026"))};
    QTest::newRow("lines without a colon are skipped; a line off the layout gives a row of zeros")
        << Dated
        << QStringLiteral("06.12.2026 14:05:33         1          10 µm    FE\r\nsome note\r\n12:00\r\n"
                          "06.12.2026 14:05:35         3          30 µm    FE\r\n")
        << std::vector{dated(fields(1, 10, QStringLiteral("µm"), QStringLiteral("FE")), At),
                       fields(0, 0, QStringLiteral(" ")),
                       dated(fields(3, 30, QStringLiteral("µm"), QStringLiteral("FE")), At.addSecs(2))};
    QTest::newRow("no data line") << Dated << project + statistics << std::vector<MeasurementRow>{};
    QTest::newRow("empty") << Dated << QString() << std::vector<MeasurementRow>{};
}

void TestMeasurementFile::read() {
    QFETCH(DeviceTraits, traits);
    QFETCH(QString, text);
    QFETCH(std::vector<MeasurementRow>, rows);
    const std::vector<MeasurementRow> read = readMeasurementFile(text, traits);
    QCOMPARE(read.size(), rows.size());
    for (size_t k = 0; k < rows.size(); ++k) {
        QCOMPARE(read[k].number, rows[k].number);
        QCOMPARE(read[k].value, rows[k].value);
        QCOMPARE(read[k].unit, rows[k].unit);
        QCOMPARE(read[k].material, rows[k].material);
        QCOMPARE(read[k].timestamp, rows[k].timestamp);
        QCOMPARE(read[k].dateText, rows[k].dateText);
        QCOMPARE(read[k].timeText, rows[k].timeText);
    }
}

void TestMeasurementFile::readStopsAtCapacity() {
    QString text;
    for (int k = 1; k <= RowStore::Capacity + 1; ++k)
        text += QStringLiteral("06.12.2026 14:05:33     %1          10 µm    FE\r\n").arg(k, 5);
    const std::vector<MeasurementRow> rows = readMeasurementFile(text, Dated);
    QCOMPARE(rows.size(), size_t(RowStore::Capacity));
    QCOMPARE(rows.back().number, qint16(RowStore::Capacity));
}

void TestMeasurementFile::roundTrip_data() {
    QTest::addColumn<QLocale>("writer");
    QTest::addColumn<QLocale>("reader");
    QTest::addColumn<int>("rowCount");

    QTest::newRow("German") << GermanLocale << GermanLocale << 25;
    QTest::newRow("English") << EnglishLocale << EnglishLocale << 25;
    QTest::newRow("written German, read English") << GermanLocale << EnglishLocale << 25;
    QTest::newRow("written English, read German") << EnglishLocale << GermanLocale << 25;
    QTest::newRow("empty memory") << GermanLocale << GermanLocale << 0;
}

// What is saved opens as the same rows; on a system with another locale the dates are lost but the
// numbers, values, units and materials are not.
void TestMeasurementFile::roundTrip() {
    QFETCH(QLocale, writer);
    QFETCH(QLocale, reader);
    QFETCH(int, rowCount);
    QLocale::setDefault(writer);
    startGauge();
    std::vector<MeasurementRow> rows;
    const QStringList units{QStringLiteral("µm"), QStringLiteral("mils"), QStringLiteral("µVs cm")};
    for (int k = 1; k <= rowCount; ++k)
        rows.push_back(dated(
            fields(qint16(k), 10.5 + k, units[k % 3], k % 2 ? QStringLiteral("FE") : QStringLiteral("NF")),
            At.addSecs(k * 61)));
    fill(rows);
    const std::vector<MeasurementRow> saved = shownRows();
    const QString path = folder_->filePath(QStringLiteral("trip.mes"));
    QVERIFY(model_->saveMeasurementFile(path));

    QLocale::setDefault(reader);
    model_->currentStore().clear();
    QVERIFY(model_->openMeasurementFile(path));
    const std::vector<MeasurementRow> opened = shownRows();
    QCOMPARE(opened.size(), saved.size());
    for (size_t k = 0; k < saved.size(); ++k) {
        QCOMPARE(opened[k].number, saved[k].number);
        QCOMPARE(opened[k].value, saved[k].value);
        QCOMPARE(opened[k].unit, saved[k].unit);
        QCOMPARE(opened[k].material, saved[k].material);
        if (writer == reader)
            QCOMPARE(opened[k], saved[k]);
    }
    QCOMPARE(model_->table().rows().size(), saved.size());
    QCOMPARE(model_->controls().caption(optFE), QStringLiteral("trip.mes (%1)").arg(saved.size()));
}

void TestMeasurementFile::datesComeBackInEveryLocale_data() {
    QTest::addColumn<QLocale>("locale");

    QTest::newRow("C.UTF-8") << QLocale(QStringLiteral("C.UTF-8"));
    QTest::newRow("de_DE") << QLocale(QStringLiteral("de_DE"));
    QTest::newRow("en_US") << QLocale(QStringLiteral("en_US"));
    QTest::newRow("en_GB") << QLocale(QStringLiteral("en_GB"));
    QTest::newRow("es_CO, whose am/pm text does not fit beside the date") << QLocale(QStringLiteral("es_CO"));
    QTest::newRow("ko_KR, with blanks in date and time") << QLocale(QStringLiteral("ko_KR"));
    QTest::newRow("da_DK, whose times hold no colon") << QLocale(QStringLiteral("da_DK"));
}

// Saved and opened on one system, every row keeps its date and time: midnight and noon, both halves of
// the day, the widest date and time of a 12-hour clock, a row number of four digits beside them.
void TestMeasurementFile::datesComeBackInEveryLocale() {
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    startGauge();
    const std::vector<MeasurementRow> rows{
        dated(fields(1, 12.5, QStringLiteral("µm"), QStringLiteral("FE")),
              QDateTime(QDate(2026, 1, 2), QTime(0, 0, 5))),
        dated(fields(2, 130, QStringLiteral("mils"), QStringLiteral("NF")),
              QDateTime(QDate(2026, 2, 17), QTime(9, 30, 0))),
        dated(fields(3, 3.25, QStringLiteral("µVs cm"), QStringLiteral("FE")),
              QDateTime(QDate(2026, 5, 31), QTime(12, 0, 0))),
        dated(fields(4999, 99.8, QStringLiteral("µm"), QStringLiteral("NF")),
              QDateTime(QDate(2026, 12, 28), QTime(23, 59, 59)))};
    fill(rows);
    const std::vector<MeasurementRow> saved = shownRows();
    QCOMPARE(saved.size(), rows.size());
    const QString path = folder_->filePath(QStringLiteral("dates.mes"));
    QVERIFY(model_->saveMeasurementFile(path));
    // Whatever the locale wrote, the file's layout says its rows are dated and carry materials.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const DeviceTraits fromFile = traitsFromMeasurementFile(decodeFileText(file.readAll()));
    QCOMPARE(fromFile.dateHeader, '-');
    QCOMPARE(fromFile.material, '2');

    model_->currentStore().clear();
    QVERIFY(model_->openMeasurementFile(path));
    const std::vector<MeasurementRow> opened = shownRows();
    QCOMPARE(opened.size(), saved.size());
    for (size_t k = 0; k < saved.size(); ++k) {
        QVERIFY(opened[k].timestamp.isValid());
        QCOMPARE(opened[k].timestamp, saved[k].timestamp);
        QCOMPARE(opened[k].dateText, saved[k].dateText);
        QCOMPARE(opened[k].timeText, saved[k].timeText);
        QCOMPARE(opened[k].number, saved[k].number);
        QCOMPARE(opened[k].value, saved[k].value);
        QCOMPARE(opened[k].unit, saved[k].unit);
        QCOMPARE(opened[k].material, saved[k].material);
    }
}

void TestMeasurementFile::datesOfOtherForms_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QDateTime>("timestamp"); // invalid: the date is lost

    const QString rest = QStringLiteral("    1        12,5 µm    FE\r\n");
    const QDateTime evening(QDate(2026, 2, 17), QTime(21, 30, 0));
    QTest::newRow("C: written before its dates were numeric")
        << QLocale::c() << QStringLiteral("17 Feb 2026 21:30:00     ") + rest << evening;
    QTest::newRow("de_DE: a file from a system whose dates are numeric")
        << GermanLocale << QStringLiteral("2026-02-17 21:30:00      ") + rest << evening;
    QTest::newRow("en_US: a numeric date and a 24-hour time")
        << QLocale(QStringLiteral("en_US")) << QStringLiteral("2026-02-17 21:30:00      ") + rest << evening;
    QTest::newRow("de_DE: a date with blanks of another locale is none")
        << GermanLocale << QStringLiteral("17 Feb 2026 21:30:00     ") + rest << QDateTime();
}

// Dates a file holds from elsewhere: from another system, or written before dates were numeric.
void TestMeasurementFile::datesOfOtherForms() {
    QFETCH(QLocale, locale);
    QFETCH(QString, line);
    QFETCH(QDateTime, timestamp);
    QLocale::setDefault(locale);
    const std::vector<MeasurementRow> rows = readMeasurementFile(line, Dated);
    QCOMPARE(rows.size(), size_t(1));
    QCOMPARE(rows.front().timestamp, timestamp);
    QCOMPARE(rows.front().dateText,
             timestamp.isValid() ? shortDateText(timestamp.date()) : QStringLiteral(" "));
    QCOMPARE(rows.front().number, qint16(1));
    QCOMPARE(rows.front().value, 12.5);
}

void TestMeasurementFile::traitsFromTheFile_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<char>("dateHeader");
    QTest::addColumn<char>("material");

    QTest::newRow("dated rows with materials after the project and statistics")
        << QStringLiteral("#  05.12.2026 08:15\r\n#  Projekt Bridge A\r\n\r\nStatistik:\r\n \r\n"
                          "Anzahl              1\r\n\r\n\r\n"
                          "06.12.2026 14:05:33         1        12,5 µm    FE\r\n\r\n")
        << '-' << '2';
    QTest::newRow("dated rows without material")
        << QStringLiteral("06.12.2026 14:05:33         1       0,125 µVs cm \r\n") << '-' << '0';
    QTest::newRow("dated, a unit with a blank and a material")
        << QStringLiteral("06.12.2026 14:05:33         1       0,125 µVs cm WLM\r\n") << '-' << '2';
    QTest::newRow("dated, the widest 12-hour date and time")
        << QStringLiteral("12/28/2026 11:59:59 PM   4999        99.8 µm    NF\r\n") << '-' << '2';
    QTest::newRow("dated with a date holding blanks")
        << QStringLiteral("17 Feb 2026 09:30:00        1        12.5 µm    FE\r\n") << '-' << '2';
    QTest::newRow("only a later row has a material")
        << QStringLiteral("06.12.2026 14:05:33         1        12,5 µm    \r\n"
                          "06.12.2026 14:05:34         2        12,6 µm    NF\r\n")
        << '-' << '2';
    QTest::newRow("a row whose trailing blanks were dropped has no material")
        << QStringLiteral("06.12.2026 14:05:33         1        12,5 µm\r\n") << '-' << '0';
    QTest::newRow("time rows with materials")
        << QStringLiteral("14:05:33          1        99,4 µm   FE\r\n") << ' ' << '2';
    QTest::newRow("time rows without material")
        << QStringLiteral("14:05:33          1        99,4 µm   \r\n") << ' ' << '0';
    QTest::newRow("12-hour time rows")
        << QStringLiteral("2:05:33 PM          1        99.4 µm   FE\r\n") << ' ' << '2';
    QTest::newRow("time rows headed by a date line")
        << QStringLiteral("06.12.2026\r\n14:05:33          1        99,4 µm   FE\r\n") << ' ' << '2';
    QTest::newRow("no data line") << QStringLiteral("#  x\r\n\r\nAnzahl 0\r\n") << ' ' << '0';
}

// A file read without a gauge takes what its layout shows; nothing else of a gauge is made up.
void TestMeasurementFile::traitsFromTheFile() {
    QFETCH(QString, text);
    QFETCH(char, dateHeader);
    QFETCH(char, material);
    DeviceTraits expected;
    expected.dateHeader = dateHeader;
    expected.material = material;
    const DeviceTraits traits = traitsFromMeasurementFile(text);
    QCOMPARE(traits.text(), expected.text());
    QVERIFY(traits == expected);
}

void TestMeasurementFile::saveNames_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written"); // empty: nothing is written

    QTest::newRow("without extension") << QStringLiteral("probe") << QStringLiteral("probe.mes");
    QTest::newRow("with extension") << QStringLiteral("probe.mes") << QStringLiteral("probe.mes");
    QTest::newRow("extension inside the name")
        << QStringLiteral("probe.mes.txt") << QStringLiteral("probe.mes.txt");
    QTest::newRow("a single blank") << QStringLiteral(" ") << QString();
    QTest::newRow("cancelled") << QString() << QString();
}

void TestMeasurementFile::saveNames() {
    QFETCH(QString, typed);
    QFETCH(QString, written);
    startGauge();
    fill({dated(fields(1, 100, QStringLiteral("µm"), QStringLiteral("FE")), At)});
    prompt_->setFileNames({typed});
    model_->cmdSave_Click();
    const QDir folder(prompt_->dialogFolder());
    QCOMPARE(folder.entryList(QDir::Files), written.isEmpty() ? QStringList() : QStringList{written});
    if (written.isEmpty())
        return;
    QFile file(folder.filePath(written));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), measurementFileText(model_->reportSheet()));
}

void TestMeasurementFile::dialogsStartInTheDeviceFolder() {
    startGauge(QStringLiteral("../47 11"));
    prompt_->setFileNames({QString(), QString()});
    model_->cmdSave_Click();
    const QString expected = folder_->path() + QStringLiteral("/mes/___47_11");
    QCOMPARE(prompt_->dialogFolder(), expected);
    QVERIFY(QDir(expected).exists());
    model_->cmdOpen_Click();
    QCOMPARE(prompt_->dialogFolder(), expected);
}

void TestMeasurementFile::failedSaveIsReportedAndKeepsTheOldFile() {
    startGauge();
    fill({dated(fields(1, 100, QStringLiteral("µm"), QStringLiteral("FE")), At)});
    const QString blocker = folder_->filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("old content");
    file.close();

    QVERIFY(!model_->saveMeasurementFile(blocker + QStringLiteral("/inside.mes")));
    QCOMPARE(prompt_->shown().size(), 1);
    QVERIFY(prompt_->shown().first().startsWith(QStringLiteral("Datei konnte nicht gespeichert werden: ")));
    QVERIFY(prompt_->shown().first().contains(QStringLiteral("inside.mes")));
    QFile log(folder_->filePath(QStringLiteral("Vexa ConnectTransferLog.txt")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(log.readAll().contains("inside.mes"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("old content"));
}

void TestMeasurementFile::unreadableFileChangesNothing() {
    startGauge();
    fill({dated(fields(1, 100, QStringLiteral("µm"), QStringLiteral("FE")), At)});
    QVERIFY(!model_->openMeasurementFile(folder_->filePath(QStringLiteral("missing.mes"))));
    QCOMPARE(prompt_->shown().size(), 1);
    QVERIFY(prompt_->shown().first().startsWith(QStringLiteral("Datei konnte nicht gelesen werden: ")));
    QCOMPARE(shownRows().size(), size_t(1));
}

// A file opened while the online view shows live readings goes to the memory view; the online store
// keeps the readings and the next live reading has its own row.
void TestMeasurementFile::openingSwitchesToTheMemoryView() {
    startGauge();
    fill({dated(fields(1, 100, QStringLiteral("µm"), QStringLiteral("FE")), At)});
    const QString path = folder_->filePath(QStringLiteral("one.mes"));
    QVERIFY(model_->saveMeasurementFile(path));

    model_->optOnline_Click();
    model_->stores().online.assign(
        {fields(1, 55, QStringLiteral("µm")), fields(2, 56, QStringLiteral("µm"))});
    QVERIFY(model_->openMeasurementFile(path));
    QCOMPARE(model_->state().view, View::Memory);
    QVERIFY(model_->controls().checked(optFE));
    QCOMPARE(model_->stores().online.presentCount(), 2);
    QCOMPARE(shownRows().size(), size_t(1));
}

void TestMeasurementFile::openedBeforeAnyGauge_data() {
    QTest::addColumn<QByteArray>("programFile"); // null: no gauge connected ever
    QTest::addColumn<QString>("material");
    QTest::addColumn<QString>("measureMode");

    QTest::newRow("traits from the file") << QByteArray() << "FE"
                                          << "";
    QTest::newRow("the last gauge's model reads no material")
        << QByteArray("0\r\nWL 5\r\nAA:BB:CC:DD:EE:FF\r\nWL\r\nV1.0\r\n") << "" << measureModeOfModel("WL");
    QTest::newRow("the last gauge's model reads materials")
        << QByteArray("0\r\nQY 5\r\nAA:BB:CC:DD:EE:FF\r\nQY\r\nV1.0\r\n") << "FE" << measureModeOfModel("QY");
    QTest::newRow("a last gauge of no known model: traits from the file")
        << QByteArray("0\r\nPhone\r\nAA:BB:CC:DD:EE:FF\r\n\r\n\r\n") << "FE"
        << "";
}

// "Datei öffnen" is offered at start; the file opens without a gauge and can then be worked on.
void TestMeasurementFile::openedBeforeAnyGauge() {
    QFETCH(QByteArray, programFile);
    const QString folder = folder_->filePath(QStringLiteral("mes"));
    QVERIFY(QDir().mkpath(folder));
    QFile file(QDir(folder).filePath(QStringLiteral("site.mes")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#  05.12.2026 08:15\r\n\r\n"
               "06.12.2026 14:05:33         1        12,5 \xB5m    FE\r\n"
               "06.12.2026 14:05:40         2        13,0 \xB5m    FE\r\n");
    file.close();
    if (!programFile.isNull()) {
        QFile program(folder_->filePath(QStringLiteral("Program.ini")));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write(programFile);
    }
    model_ = std::make_unique<MainModel>(*prompt_);
    model_->programStart({QString(), folder_->path(), folder_->path()});
    QVERIFY(model_->controls().enabled(cmdOpen));

    prompt_->setFileNames({QStringLiteral("site.mes")});
    model_->cmdOpen_Click();
    QCOMPARE(prompt_->dialogFolder(), folder);
    const std::vector<MeasurementRow> rows = shownRows();
    QCOMPARE(rows.size(), size_t(2));
    QCOMPARE(rows[1].value, 13.0);
    QVERIFY(rows[1].timestamp.isValid());
    QTEST(rows[1].material.trimmed(), "material");
    QTEST(model_->state().gauge.model.measureMode, "measureMode");
    QCOMPARE(model_->controls().caption(optFE), QStringLiteral("site.mes (2)"));
    QVERIFY(model_->controls().enabled(cmdSave));
    QVERIFY(!model_->controls().enabled(cmdLesen));
    QVERIFY(prompt_->shown().isEmpty());
}

QTEST_GUILESS_MAIN(TestMeasurementFile)
#include "tst_measurementfile.moc"
