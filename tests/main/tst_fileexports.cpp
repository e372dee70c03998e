// "MS Excel" and "MS Word" in the main window: the chart question, the save dialog's start, the workbook
// or document written where the user names it, what a cancel and a failure leave, and what the status
// says when no program opens the file. A home of its own holds the documents folder; the dialogs are
// scripted.
#include "OfficeReaders.h"
#include "data/Initialisation.h"
#include "files/TextReport.h"
#include "texts/Texts.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace vexa;
using namespace vexa::ctl;

namespace {

MeasurementRow reading(qint16 number, double value, const QString& unit = QStringLiteral("µm")) {
    MeasurementRow row;
    row.number = number;
    row.value = value;
    row.unit = unit;
    row.material = QStringLiteral("FE");
    row.timestamp = QDateTime(QDate(2026, 3, 5), QTime(7, 8, number % 60));
    row.dateText = QStringLiteral("05.03.2026");
    row.timeText = QStringLiteral("07:08:%1").arg(number % 60, 2, 10, QLatin1Char('0'));
    return row;
}

QStringList sheetsOf(const QString& path) {
    return readWorkbook(path).texts(QStringLiteral("sheets"));
}

// The exports, by the extension of the file they write.
const QString Workbook = QStringLiteral(".xlsx");
const QString Document = QStringLiteral(".docx");

} // namespace

class TestFileExports : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void chartQuestion_data();
    void chartQuestion();
    void documentHoldsTheReport();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void unwritableFolderIsShownAndLogged_data();
    void unwritableFolderIsShownAndLogged();
    void dialogStartsWithADefaultName_data();
    void dialogStartsWithADefaultName();
    void nextExportStartsWhereTheLastWasSaved_data();
    void nextExportStartsWhereTheLastWasSaved();
    void extensionIsAddedWhenMissing_data();
    void extensionIsAddedWhenMissing();
    void statusSaysWhereAnUnopenedFileLies_data();
    void statusSaysWhereAnUnopenedFileLies();

private:
    // The gauge `deviceNumber` connected, `units` read into the memory view, memory `memory` chosen.
    void fill(const QStringList& units, const QString& deviceNumber = QStringLiteral("4711"),
              const QString& memory = QStringLiteral("m001                "));
    QString documents() const { return home_.filePath(QStringLiteral("Documents")); }
    QString today() const { return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")); }
    QString logText() const;
    // The commands the user may give now.
    QStringList enabledCommands() const;
    // The export that writes files with `extension`, as its button gives it.
    void click(const QString& extension);
    // What it asks before its save dialog.
    static QStringList questions(const QString& extension);

    QTemporaryDir home_;
    // Per test: the settings and measurement data (the language chosen is kept there), and where the
    // scripted dialogs save.
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<QTemporaryDir> saveTo_;
    std::unique_ptr<ScriptedPrompt> prompt_;
    std::unique_ptr<MainModel> model_;
    QStringList opened_;      // paths the desktop was asked to open
    bool openerFinds_ = true; // the desktop has a program for them
};

void TestFileExports::initTestCase() {
    // No real folder of the user is looked at: the documents folder is the one below this home.
    qputenv("HOME", QFile::encodeName(home_.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.filePath(QStringLiteral(".config"))));
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(QDir().mkpath(documents()));
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), documents());
}

void TestFileExports::init() {
    model_.reset();
    folder_ = std::make_unique<QTemporaryDir>();
    saveTo_ = std::make_unique<QTemporaryDir>();
    prompt_ = std::make_unique<ScriptedPrompt>();
    model_ = std::make_unique<MainModel>(*prompt_);
    model_->programStart({QString(), folder_->path(), folder_->path()});
    opened_.clear();
    openerFinds_ = true;
    model_->setFileOpener([this](const QString& path) {
        opened_.append(path);
        return openerFinds_;
    });
}

void TestFileExports::cleanup() {
    model_.reset();
    QVERIFY(QDir(documents()).isEmpty());
}

void TestFileExports::fill(const QStringList& units, const QString& deviceNumber, const QString& memory) {
    model_->applyInitialisation(
        decideInitialisation(QStringLiteral("QY-FE"), DeviceInfo{.S = deviceNumber}, model_->state().gauge));
    std::vector<MeasurementRow> rows;
    for (int i = 0; i < units.size(); ++i)
        rows.push_back(reading(static_cast<qint16>(i + 1), 90 + 3 * i, units[i]));
    model_->currentStore().assign(rows);
    model_->chooseMemory(memory);
    model_->Reset_Statistic();
    model_->FillMSFlexOne();
    model_->unblockButtons();
}

QString TestFileExports::logText() const {
    QFile log(model_->log().filePath());
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

QStringList TestFileExports::enabledCommands() const {
    QStringList enabled;
    for (const QString& name : commandSet())
        if (model_->controls().enabled(name))
            enabled << name;
    return enabled;
}

void TestFileExports::click(const QString& extension) {
    if (extension == Document)
        model_->cmdWord_Click();
    else
        model_->cmdExcel_Click();
}

QStringList TestFileExports::questions(const QString& extension) {
    return extension == Document ? QStringList()
                                 : QStringList{QStringLiteral("Excel inklusive Chart erstellen?")};
}

void TestFileExports::chartQuestion_data() {
    QTest::addColumn<QStringList>("units");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QStringList>("sheets");

    const QStringList same{"µm", "µm", "µm", "µm"};
    QTest::newRow("yes: with the chart sheet")
        << same << true << true << QStringList{"Chart", "Messwerte", "Linien"};
    QTest::newRow("no: the data sheet alone") << same << false << true << QStringList{"Messwerte"};
    // A yes would be given, were the question asked.
    QTest::newRow("mixed units: no question, no chart")
        << QStringList{"µm", "mils", "µm", "µm"} << true << false << QStringList{"Messwerte"};
}

void TestFileExports::chartQuestion() {
    QFETCH(QStringList, units);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    fill(units);
    QVERIFY(model_->controls().enabled(cmdExcel));
    const QStringList commands = enabledCommands();
    prompt_->setAnswers({answer});
    prompt_->setDefaultAnswer(answer);
    const QString path = saveTo_->filePath(QStringLiteral("chart.xlsx"));
    prompt_->setFileNames({path});

    model_->cmdExcel_Click();
    const QString question = QStringLiteral("Excel inklusive Chart erstellen?");
    QCOMPARE(prompt_->shown(), asked ? QStringList{question} : QStringList());
    if (asked) {
        QCOMPARE(prompt_->defaultButtons(), QList<PromptDefault>{PromptDefault::Yes});
        const QList<QStringList> captions{{QStringLiteral("Ja"), QStringLiteral("Nein ")}};
        QCOMPARE(prompt_->buttonCaptions(), captions);
    }
    QTEST(sheetsOf(path), "sheets");
    QCOMPARE(opened_, QStringList{path});
    QCOMPARE(enabledCommands(), commands);
}

// A paragraph for every line of the report of the sheet shown, as "Save to File" writes it.
void TestFileExports::documentHoldsTheReport() {
    fill({"µm", "µm", "µm"});
    QVERIFY(model_->controls().enabled(cmdWord));
    const QStringList commands = enabledCommands();
    const QString path = saveTo_->filePath(QStringLiteral("report.docx"));
    prompt_->setFileNames({path});

    model_->cmdWord_Click();
    QCOMPARE(prompt_->shown(), QStringList());
    const QStringList paragraphs = readDocx(path).texts(QStringLiteral("paragraphs"));
    const QStringList report = reportLines(model_->reportSheet(), ReportMode::All);
    QCOMPARE(paragraphs.size(), report.size());
    QCOMPARE(paragraphs.first(), report.first());
    QCOMPARE(opened_, QStringList{path});
    QCOMPARE(enabledCommands(), commands);
}

void TestFileExports::cancelChangesNothing_data() {
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("filter");
    QTest::newRow("workbook") << Workbook << "Excel (*.xlsx)";
    QTest::newRow("document") << Document << "Word (*.docx)";
}

void TestFileExports::cancelChangesNothing() {
    QFETCH(QString, extension);
    fill({"µm", "µm", "µm"});
    const QStringList commands = enabledCommands();
    const QString status = model_->controls().caption(txtSpeicher);
    const QString log = logText();
    prompt_->setAnswers({true});
    prompt_->setFileNames({});

    click(extension);
    QCOMPARE(prompt_->shown(), questions(extension));
    QTEST(prompt_->dialogFilter(), "filter");
    QCOMPARE(enabledCommands(), commands);
    QCOMPARE(model_->controls().caption(txtSpeicher), status);
    QCOMPARE(logText(), log);
    QCOMPARE(opened_, QStringList());
    QVERIFY(QDir(saveTo_->path()).isEmpty());
    // The next dialog starts where the first did: nothing was saved.
    QCOMPARE(prompt_->dialogFolder(), model_->exportStartPath(extension));
    QCOMPARE(QFileInfo(model_->exportStartPath(extension)).path(), documents());
}

void TestFileExports::unwritableFolderIsShownAndLogged_data() {
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("logged");
    QTest::addColumn<QString>("boxStart");
    QTest::newRow("workbook") << Workbook << "Open Excel:"
                              << "";
    QTest::newRow("document: the box names it as well") << Document << "Open Word:"
                                                        << "Open Word: ";
}

// A folder that cannot take the file (here a plain file, which holds nothing even for root): the box
// names the file and the reason, the log says which export failed, no file (and no part of one) is left,
// and the commands are given back.
void TestFileExports::unwritableFolderIsShownAndLogged() {
    QFETCH(QString, extension);
    QFETCH(QString, logged);
    QFETCH(QString, boxStart);
    fill({"µm", "µm", "µm"});
    const QStringList commands = enabledCommands();
    const QString blocked = saveTo_->filePath(QStringLiteral("blocked"));
    QFile plain(blocked);
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString path = blocked + QStringLiteral("/export") + extension;
    prompt_->setAnswers({true});
    prompt_->setFileNames({path});

    click(extension);
    QCOMPARE(prompt_->shown().size(), questions(extension).size() + 1);
    const QString message = prompt_->shown().last();
    QVERIFY2(
        message.startsWith(boxStart + Texts::notice(Notice::FileNotSaved, 0) + path + QStringLiteral("\r\n")),
        qPrintable(message));
    const QString reason = message.mid(message.indexOf(u'\n') + 1);
    QVERIFY(!reason.isEmpty());
    QVERIFY2(logText().contains(logged + path + QStringLiteral(": ") + reason), qPrintable(logText()));
    QCOMPARE(QDir(saveTo_->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("blocked")});
    QCOMPARE(opened_, QStringList());
    QCOMPARE(enabledCommands(), commands);
    // A failed export is not where the next one starts.
    QCOMPARE(QFileInfo(model_->exportStartPath(extension)).path(), documents());
}

void TestFileExports::dialogStartsWithADefaultName_data() {
    QTest::addColumn<QString>("deviceNumber");
    QTest::addColumn<QString>("memory");
    QTest::addColumn<QString>("shown"); // "memory", "online", or "file" (a measurement file opened)
    QTest::addColumn<bool>("documentsFolder");
    QTest::addColumn<QString>("name"); // before the date
    QTest::addColumn<QString>("extension");

    const QString m001 = QStringLiteral("m001                ");
    QTest::newRow("memory file") << "4711" << m001 << "memory" << true << "4711_m001_" << Workbook;
    QTest::newRow("online view") << "4711" << m001 << "online" << true << "4711_Online_" << Workbook;
    QTest::newRow("measurement file opened")
        << "4711" << m001 << "file" << true << "4711_site_B_" << Workbook;
    QTest::newRow("device number holding a slash")
        << "47/11" << m001 << "memory" << true << "47_11_m001_" << Workbook;
    QTest::newRow("probe memory entry") << "4711"
                                        << "   S1   (7)"
                                        << "memory" << true << "4711_S1__7__" << Workbook;
    QTest::newRow("no memory chosen") << "4711"
                                      << ""
                                      << "memory" << true << "4711_" << Workbook;
    QTest::newRow("no documents folder: the home folder")
        << "4711" << m001 << "memory" << false << "4711_m001_" << Workbook;
    QTest::newRow("a Word document") << "4711" << m001 << "memory" << true << "4711_m001_" << Document;
}

void TestFileExports::dialogStartsWithADefaultName() {
    QFETCH(QString, deviceNumber);
    QFETCH(QString, memory);
    QFETCH(QString, shown);
    QFETCH(bool, documentsFolder);
    QFETCH(QString, name);
    QFETCH(QString, extension);
    fill({"µm", "µm"}, deviceNumber, memory);
    if (shown == u"online") {
        model_->optOnline_Click();
        model_->currentStore().assign({reading(1, 92), reading(2, 97.5)});
        model_->FillMSFlexOne();
        model_->unblockButtons();
    } else if (shown == u"file") {
        const QString file = saveTo_->filePath(QStringLiteral("site B.mes"));
        QVERIFY(model_->saveMeasurementFile(file));
        QVERIFY(model_->openMeasurementFile(file));
    }
    if (!documentsFolder)
        QVERIFY(QDir(documents()).removeRecursively());
    prompt_->setAnswers({false});
    const QString before = today();

    click(extension);
    const QString folder = documentsFolder ? documents() : home_.path();
    const QString start = prompt_->dialogFolder();
    QVERIFY2(start == QDir(folder).filePath(name + before + extension) ||
                 start == QDir(folder).filePath(name + today() + extension),
             qPrintable(start));
    QCOMPARE(model_->exportStartPath(extension), start);
    if (!documentsFolder)
        QVERIFY(QDir().mkpath(documents()));
}

void TestFileExports::nextExportStartsWhereTheLastWasSaved_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("next");
    QTest::newRow("workbook, then workbook") << Workbook << Workbook;
    QTest::newRow("document, then workbook") << Document << Workbook;
    QTest::newRow("workbook, then document") << Workbook << Document;
}

// The folder of the export saved last in this run is where the next dialog starts, whichever export;
// a new run (a new window logic) starts in the documents folder again.
void TestFileExports::nextExportStartsWhereTheLastWasSaved() {
    QFETCH(QString, first);
    QFETCH(QString, next);
    fill({"µm", "µm"});
    const QString elsewhere = saveTo_->filePath(QStringLiteral("site A"));
    QVERIFY(QDir().mkpath(elsewhere));
    prompt_->setAnswers({false, false});
    prompt_->setFileNames({elsewhere + QStringLiteral("/first") + first});
    click(first);
    QVERIFY(QFileInfo::exists(elsewhere + QStringLiteral("/first") + first));
    QCOMPARE(QFileInfo(prompt_->dialogFolder()).path(), documents());

    click(next);
    QCOMPARE(QFileInfo(prompt_->dialogFolder()).path(), elsewhere);
    QCOMPARE(QFileInfo(prompt_->dialogFolder()).fileName(), QStringLiteral("4711_m001_") + today() + next);

    init();
    fill({"µm", "µm"});
    QCOMPARE(QFileInfo(model_->exportStartPath(next)).path(), documents());
}

void TestFileExports::extensionIsAddedWhenMissing_data() {
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("without") << Workbook << "report"
                             << "report.xlsx";
    QTest::newRow("with") << Workbook << "report.xlsx"
                          << "report.xlsx";
    QTest::newRow("in capitals") << Workbook << "REPORT.XLSX"
                                 << "REPORT.XLSX";
    QTest::newRow("another one") << Workbook << "report.xls"
                                 << "report.xls.xlsx";
    QTest::newRow("document without") << Document << "report"
                                      << "report.docx";
    QTest::newRow("document in capitals") << Document << "REPORT.DOCX"
                                          << "REPORT.DOCX";
    QTest::newRow("document named as the older format") << Document << "report.doc"
                                                        << "report.doc.docx";
}

void TestFileExports::extensionIsAddedWhenMissing() {
    QFETCH(QString, extension);
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    fill({"µm", "µm"});
    prompt_->setAnswers({false});
    prompt_->setFileNames({saveTo_->filePath(chosen)});
    click(extension);
    QCOMPARE(QDir(saveTo_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{written});
    QCOMPARE(opened_, QStringList{saveTo_->filePath(written)});
}

void TestFileExports::statusSaysWhereAnUnopenedFileLies_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("opener");      // the window put one in
    QTest::addColumn<bool>("openerFinds"); // it found a program
    QTest::addColumn<QString>("status");   // before the path; empty: the status stays as it was
    QTest::addColumn<QString>("extension");

    QTest::newRow("opened") << 0 << true << true << "" << Workbook;
    QTest::newRow("no program for it, German") << 0 << true << false << "Gespeichert: " << Workbook;
    QTest::newRow("no program for it, English") << 1 << true << false << "Saved: " << Workbook;
    QTest::newRow("no opener") << 0 << false << false << "Gespeichert: " << Workbook;
    QTest::newRow("a document opened") << 0 << true << true << "" << Document;
    QTest::newRow("a document without a program for it") << 0 << true << false << "Gespeichert: " << Document;
}

void TestFileExports::statusSaysWhereAnUnopenedFileLies() {
    QFETCH(int, language);
    QFETCH(bool, opener);
    QFETCH(QString, status);
    QFETCH(bool, openerFinds);
    QFETCH(QString, extension);
    openerFinds_ = openerFinds;
    if (!opener)
        model_->setFileOpener({});
    fill({"µm", "µm"});
    if (language != 0)
        model_->englishClick();
    const QString before = model_->controls().caption(txtSpeicher);
    const QString path = saveTo_->filePath(QStringLiteral("site") + extension);
    prompt_->setAnswers({true});
    prompt_->setFileNames({path});

    click(extension);
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(opened_, opener ? QStringList{path} : QStringList());
    QCOMPARE(model_->controls().caption(txtSpeicher), status.isEmpty() ? before : status + path);
    if (!status.isEmpty())
        QVERIFY(model_->controls().visible(txtSpeicher));
    QCOMPARE(prompt_->shown().size(), questions(extension).size());
}

QTEST_GUILESS_MAIN(TestFileExports)
#include "tst_fileexports.moc"
