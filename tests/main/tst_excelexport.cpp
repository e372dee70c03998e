// "MS Excel" in the main window: the chart question, the save dialog's start, the workbook written where
// the user names it, what a cancel and a failure leave, and what the status says when no program opens
// the file. A home of its own holds the documents folder; the dialogs are scripted.
#include "OfficeReaders.h"
#include "data/Initialisation.h"
#include "texts/Texts.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/ScriptedPrompt.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
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
    const OfficeRead workbook = readWorkbook(path);
    if (!workbook.finished || workbook.exitCode != 0)
        return {QStringLiteral("<unreadable>")};
    QStringList sheets;
    for (const QJsonValue& name : workbook.found[QStringLiteral("sheets")].toArray())
        sheets << name.toString();
    return sheets;
}

} // namespace

class TestExcelExport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void chartQuestion_data();
    void chartQuestion();
    void cancelChangesNothing();
    void unwritableFolderIsShownAndLogged();
    void dialogStartsWithADefaultName_data();
    void dialogStartsWithADefaultName();
    void nextExportStartsWhereTheLastWasSaved();
    void extensionIsAddedWhenMissing_data();
    void extensionIsAddedWhenMissing();
    void statusSaysWhereAnUnopenedWorkbookLies_data();
    void statusSaysWhereAnUnopenedWorkbookLies();

private:
    // The gauge `deviceNumber` connected, `units` read into the memory view, memory `memory` chosen.
    void fill(const QStringList& units, const QString& deviceNumber = QStringLiteral("4711"),
              const QString& memory = QStringLiteral("m001                "));
    QString documents() const { return home_.filePath(QStringLiteral("Documents")); }
    QString today() const { return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")); }
    QString logText() const;
    // The commands the user may give now.
    QStringList enabledCommands() const;

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

void TestExcelExport::initTestCase() {
    // No real folder of the user is looked at: the documents folder is the one below this home.
    qputenv("HOME", QFile::encodeName(home_.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.filePath(QStringLiteral(".config"))));
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(QDir().mkpath(documents()));
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), documents());
}

void TestExcelExport::init() {
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

void TestExcelExport::cleanup() {
    model_.reset();
    QVERIFY(QDir(documents()).isEmpty());
}

void TestExcelExport::fill(const QStringList& units, const QString& deviceNumber, const QString& memory) {
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

QString TestExcelExport::logText() const {
    QFile log(model_->log().filePath());
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

QStringList TestExcelExport::enabledCommands() const {
    QStringList enabled;
    for (const QString& name : commandSet())
        if (model_->controls().enabled(name))
            enabled << name;
    return enabled;
}

void TestExcelExport::chartQuestion_data() {
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

void TestExcelExport::chartQuestion() {
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

void TestExcelExport::cancelChangesNothing() {
    fill({"µm", "µm", "µm"});
    const QStringList commands = enabledCommands();
    const QString status = model_->controls().caption(txtSpeicher);
    const QString log = logText();
    prompt_->setAnswers({true});
    prompt_->setFileNames({});

    model_->cmdExcel_Click();
    QCOMPARE(prompt_->shown(), QStringList{QStringLiteral("Excel inklusive Chart erstellen?")});
    QCOMPARE(enabledCommands(), commands);
    QCOMPARE(model_->controls().caption(txtSpeicher), status);
    QCOMPARE(logText(), log);
    QCOMPARE(opened_, QStringList());
    QVERIFY(QDir(saveTo_->path()).isEmpty());
    // The next dialog starts where the first did: nothing was saved.
    QCOMPARE(prompt_->dialogFolder(), model_->exportStartPath(QStringLiteral(".xlsx")));
    QCOMPARE(QFileInfo(model_->exportStartPath(QStringLiteral(".xlsx"))).path(), documents());
}

// A folder that cannot take the file (here a plain file, which holds nothing even for root): the box
// names the file and the reason, the log has "Open Excel:", no file (and no part of one) is left, and
// the commands are given back.
void TestExcelExport::unwritableFolderIsShownAndLogged() {
    fill({"µm", "µm", "µm"});
    const QStringList commands = enabledCommands();
    const QString blocked = saveTo_->filePath(QStringLiteral("blocked"));
    QFile plain(blocked);
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString path = blocked + QStringLiteral("/workbook.xlsx");
    prompt_->setAnswers({true});
    prompt_->setFileNames({path});

    model_->cmdExcel_Click();
    QCOMPARE(prompt_->shown().size(), 2);
    const QString message = prompt_->shown().at(1);
    QVERIFY2(message.startsWith(Texts::notice(Notice::FileNotSaved, 0) + path + QStringLiteral("\r\n")),
             qPrintable(message));
    const QString reason = message.mid(message.indexOf(u'\n') + 1);
    QVERIFY(!reason.isEmpty());
    QVERIFY2(logText().contains(QStringLiteral("Open Excel:") + path + QStringLiteral(": ") + reason),
             qPrintable(logText()));
    QCOMPARE(QDir(saveTo_->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("blocked")});
    QCOMPARE(opened_, QStringList());
    QCOMPARE(enabledCommands(), commands);
    // A failed export is not where the next one starts.
    QCOMPARE(QFileInfo(model_->exportStartPath(QStringLiteral(".xlsx"))).path(), documents());
}

void TestExcelExport::dialogStartsWithADefaultName_data() {
    QTest::addColumn<QString>("deviceNumber");
    QTest::addColumn<QString>("memory");
    QTest::addColumn<QString>("shown"); // "memory", "online", or "file" (a measurement file opened)
    QTest::addColumn<bool>("documentsFolder");
    QTest::addColumn<QString>("name"); // before the date

    const QString m001 = QStringLiteral("m001                ");
    QTest::newRow("memory file") << "4711" << m001 << "memory" << true << "4711_m001_";
    QTest::newRow("online view") << "4711" << m001 << "online" << true << "4711_Online_";
    QTest::newRow("measurement file opened") << "4711" << m001 << "file" << true << "4711_site_B_";
    QTest::newRow("device number holding a slash") << "47/11" << m001 << "memory" << true << "47_11_m001_";
    QTest::newRow("probe memory entry") << "4711"
                                        << "   S1   (7)"
                                        << "memory" << true << "4711_S1__7__";
    QTest::newRow("no memory chosen") << "4711"
                                      << ""
                                      << "memory" << true << "4711_";
    QTest::newRow("no documents folder: the home folder")
        << "4711" << m001 << "memory" << false << "4711_m001_";
}

void TestExcelExport::dialogStartsWithADefaultName() {
    QFETCH(QString, deviceNumber);
    QFETCH(QString, memory);
    QFETCH(QString, shown);
    QFETCH(bool, documentsFolder);
    QFETCH(QString, name);
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

    model_->cmdExcel_Click();
    const QString folder = documentsFolder ? documents() : home_.path();
    const QString start = prompt_->dialogFolder();
    QVERIFY2(start == QDir(folder).filePath(name + before + QStringLiteral(".xlsx")) ||
                 start == QDir(folder).filePath(name + today() + QStringLiteral(".xlsx")),
             qPrintable(start));
    QCOMPARE(model_->exportStartPath(QStringLiteral(".xlsx")), start);
    if (!documentsFolder)
        QVERIFY(QDir().mkpath(documents()));
}

// The folder of the workbook saved last in this run is where the next dialog starts; a new run (a new
// window logic) starts in the documents folder again.
void TestExcelExport::nextExportStartsWhereTheLastWasSaved() {
    fill({"µm", "µm"});
    const QString elsewhere = saveTo_->filePath(QStringLiteral("site A"));
    QVERIFY(QDir().mkpath(elsewhere));
    prompt_->setAnswers({false, false});
    prompt_->setFileNames({elsewhere + QStringLiteral("/first.xlsx")});
    model_->cmdExcel_Click();
    QVERIFY(QFileInfo::exists(elsewhere + QStringLiteral("/first.xlsx")));
    QCOMPARE(QFileInfo(prompt_->dialogFolder()).path(), documents());

    model_->cmdExcel_Click();
    QCOMPARE(QFileInfo(prompt_->dialogFolder()).path(), elsewhere);
    QCOMPARE(QFileInfo(prompt_->dialogFolder()).fileName(),
             QStringLiteral("4711_m001_") + today() + QStringLiteral(".xlsx"));

    init();
    fill({"µm", "µm"});
    QCOMPARE(QFileInfo(model_->exportStartPath(QStringLiteral(".xlsx"))).path(), documents());
}

void TestExcelExport::extensionIsAddedWhenMissing_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("without") << "report"
                             << "report.xlsx";
    QTest::newRow("with") << "report.xlsx"
                          << "report.xlsx";
    QTest::newRow("in capitals") << "REPORT.XLSX"
                                 << "REPORT.XLSX";
    QTest::newRow("another one") << "report.xls"
                                 << "report.xls.xlsx";
}

void TestExcelExport::extensionIsAddedWhenMissing() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    fill({"µm", "µm"});
    prompt_->setAnswers({false});
    prompt_->setFileNames({saveTo_->filePath(chosen)});
    model_->cmdExcel_Click();
    QCOMPARE(QDir(saveTo_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{written});
    QCOMPARE(opened_, QStringList{saveTo_->filePath(written)});
}

void TestExcelExport::statusSaysWhereAnUnopenedWorkbookLies_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("opener");      // the window put one in
    QTest::addColumn<bool>("openerFinds"); // it found a program
    QTest::addColumn<QString>("status");   // before the path; empty: the status stays as it was

    QTest::newRow("opened") << 0 << true << true << "";
    QTest::newRow("no program for it, German") << 0 << true << false << "Gespeichert: ";
    QTest::newRow("no program for it, English") << 1 << true << false << "Saved: ";
    QTest::newRow("no opener") << 0 << false << false << "Gespeichert: ";
}

void TestExcelExport::statusSaysWhereAnUnopenedWorkbookLies() {
    QFETCH(int, language);
    QFETCH(bool, opener);
    QFETCH(QString, status);
    QFETCH(bool, openerFinds);
    openerFinds_ = openerFinds;
    if (!opener)
        model_->setFileOpener({});
    fill({"µm", "µm"});
    if (language != 0)
        model_->englishClick();
    const QString before = model_->controls().caption(txtSpeicher);
    const QString path = saveTo_->filePath(QStringLiteral("site.xlsx"));
    prompt_->setAnswers({true});
    prompt_->setFileNames({path});

    model_->cmdExcel_Click();
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(opened_, opener ? QStringList{path} : QStringList());
    QCOMPARE(model_->controls().caption(txtSpeicher), status.isEmpty() ? before : status + path);
    if (!status.isEmpty())
        QVERIFY(model_->controls().visible(txtSpeicher));
    QCOMPARE(prompt_->shown().size(), 1);
}

QTEST_GUILESS_MAIN(TestExcelExport)
#include "tst_excelexport.moc"
