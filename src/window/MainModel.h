#pragma once

#include "data/ChartTable.h"
#include "data/Initialisation.h"
#include "data/MeasurementRow.h"
#include "data/MeasurementSheet.h"
#include "data/MemoryDump.h"
#include "data/SettingsState.h"
#include "data/Statistics.h"
#include "files/GaugeInformation.h"
#include "files/SettingsFiles.h"
#include "files/TransferLog.h"
#include "files/TransferLogEvents.h"
#include "link/bluez/SystemFacts.h"
#include "protocol/RecordRows.h"
#include "window/AppState.h"
#include "window/ControlState.h"
#include "window/InspectionWindowModel.h"
#include "window/KeyForwarder.h"
#include "window/KeyboardWindowModel.h"
#include "window/MeasurementTableModel.h"
#include "window/PrintFailure.h"
#include "window/ProjectWindowModel.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <qcoro/qcorotask.h>

namespace vexa {

class ChartWindowModel;
class Prompt;

// The main window's logic: its shared state, the row stores and what every control shows. It keeps its
// state in typed values and writes the captions from them; the window mirrors `controls()` and forwards
// the user's actions to the operations here.
class MainModel : public QObject {
    Q_OBJECT
public:
    struct StartPaths {
        QString programFolder;
        QString appDataPath;
        QString messDataPath;
    };

    explicit MainModel(Prompt& prompt, QObject* parent = nullptr);

    Prompt& prompt() { return prompt_; }
    AppState& state() { return state_; }
    const AppState& state() const { return state_; }
    ControlState& controls() { return controls_; }
    const ControlState& controls() const { return controls_; }
    RowStores& stores() { return stores_; }
    SettingsState& settings() { return settings_; }
    TransferLog& log() { return *log_; }
    // Where the gauge layer reports what it does: the transfer log.
    GaugeEvents& gaugeEvents() { return logEvents_; }

    // Reads or writes one settings file of the connected gauge; a failure is shown. True when done.
    bool Voreinstellungen(QStringView aktion);
    // What the program remembers beyond the gauges: the language last in effect and the gauge last connected.
    const ProgramSettings& programSettings() const { return programSettings_; }
    // A gauge connected: remembered for the next start; a failed write is shown.
    void rememberGauge(const LastGauge& gauge);

    // The program start, once, after the single-instance check.
    void programStart(const StartPaths& paths);

    // Every language-dependent caption of the main window from the text tables.
    void applyTexts();

    // Every caption in the language, for this run only: the gauge's language file stays as it is.
    void applyLanguage(int languageIndex);
    void englishClick() { switchLanguage(1); }
    void germanClick() { switchLanguage(0); }

    // The command set, disabled while a download or export runs. Until the first connection only what
    // works without a gauge is enabled. Unblocked, a command that needs a gauge
    // stays disabled while none is connected, and one whose feature is not there yet stays disabled.
    void blockButtons();
    void unblockButtons();
    // The link is up or down: the commands that need a gauge follow.
    void setConnected(bool connected);
    // While the clock window asks the gauge, no other command may: they would take its answers.
    void setClockWindowOpen(bool open);

    // --- measurement table and statistics
    MeasurementTableModel& table() { return table_; }
    Statistics& statistics() { return statistics_; }
    RowStore& currentStore() { return stores_[state_.view]; }

    void setupTable();      // headers in the current language
    void FillMSFlexOne();   // the whole table from the current row store, with statistics
    void Reset_Statistic(); // statistics and the list back to nothing counted
    void MSFlex_Click(int row);
    void cmdFlexZeileLoeschen_Click();
    void cmdFlexTabelleloeschen_Click();
    void cmdSort_Click();
    void cmdMaterial_Click();

    // --- charts
    // The compact chart in place of the statistics list, or the list back in place of the chart. With
    // nothing to chart, or rows in units that do not go together, the list stays.
    void cmdChart_Click();
    // The chart window over the main window, which swaps chart and list first; with nothing to chart,
    // nothing happens.
    void cmdGross_Click();
    // A series memory just read: the compact chart and the chart window.
    void showSeriesChart();
    // The chart the compact chart shows, as built when it was shown.
    const ChartTable& compactChart() const { return compactChart_; }
    // The logic of a chart window of what the table shows now; none when there is nothing to chart.
    std::unique_ptr<ChartWindowModel> chartWindow();
    // Row `storeRow` of the current store appended to the table as it arrives: coloured, counted and shown
    // without rebuilding the table.
    void AppendOnlineRow(int storeRow);
    // A record's row into the row at the next row index of the current store, appended to the table; online
    // rows take the next online number. False when the record gives no row (value and number 0), and, with
    // a message, when its date is none.
    bool FillMessdaten(const RecordRow& record);

    // A decoded memory into the memory view's row store, the table and the statistics (or, for a series,
    // the series statistics). False when the memory holds no record: the status field then says so.
    bool FillMessdatenDatei(const DecodedMemory& memory);
    // The memory view no longer shows what a memory file held: its header, name and samples are gone.
    void forgetDecodedMemory();
    // The memory shown holds more rows than the table: said, logged and kept for the outputs.
    void showMemoryCut();

    // --- the memory list
    // The gauge's memories; the first (or `empty` when there is none) is chosen.
    void showMemoryList(const QStringList& entries, const QString& empty = {});
    // The list emptied while it is read anew; the memory chosen stays.
    void clearMemoryList();
    // A memory the program chose, shown in the list's text.
    void chooseMemory(const QString& entry);
    // The user picked or typed a memory.
    void cmbSpeicher_Change(const QString& text);

    // --- measurement files
    // "Save to File": the report of the current memory into a file the user names in the device folder.
    void cmdSave_Click();
    // "Open Data File": a measurement file into the memory view's row store and the table.
    void cmdOpen_Click();
    // The report written to `path` (".mes" appended when the name lacks it); a failure is shown and logged.
    bool saveMeasurementFile(const QString& path);
    // The rows of the file at `path` into the memory view's row store, shown in the memory view; a file that
    // cannot be read is shown and logged, and changes nothing.
    bool openMeasurementFile(const QString& path);
    // The gauge's measurement-file folder, created when missing; empty when it cannot be created.
    QString measurementFolder();
    // The project data and their labels read anew from their files, for the reports.
    void reloadProjectData();

    // --- the project dialog
    // "Projektdaten": the labels and the gauge's project data read anew (a failure is shown) into the
    // project dialog, which is then shown.
    void cmdProjekt_Click();
    ProjectWindowModel& projectWindow() { return projectWindow_; }

    // --- online readings typed into another program
    KeyForwarder& keyForwarder() { return keyForwarder_; }
    KeyboardWindowModel& keyboardWindow() { return keyboardWindow_; }

    // --- the inspection window
    InspectionWindowModel& inspectionWindow() { return inspectionWindow_; }

    // Readings downloaded or measured online and not saved since, in either view.
    bool hasUnsavedReadings() const { return unsaved_.memory || unsaved_.online; }
    // Leaving the program: asks once whether to leave when readings are unsaved; true to leave.
    bool mayLeave();

    // The sheet of what the table shows; building it changes nothing the window shows.
    MeasurementSheet sheet(const QString& address = {}) const;
    // The same with the project data read anew, as every report takes it.
    MeasurementSheet reportSheet();

    // --- the information window
    // "Info": the information window when a gauge is known or connected, else the program's version.
    void mnuInfo_Click();
    // The information window's texts for the gauge known last, in the current language.
    InformationTexts information() const;

    // --- the Bluetooth diagnostics
    // "Diagnose kopieren": the report `vexa-connect-cli diagnostics` prints, onto the clipboard; the prompt
    // says it is there. BlueZ that does not answer holds it up for the facts' deadline, not the window.
    QCoro::Task<> mnuDiagnose_Click();
    // Where the facts come from: this machine's unless a test names others.
    void setDiagnosticsSources(bluez::FactSources sources) { diagnosticsSources_ = std::move(sources); }

    // --- the report handed on
    // "Clipboard": the report of all that is shown onto the clipboard, with its CR LF line ends.
    void cmdClipboard_Click();
    // The report's lines as "Drucken" / "Print" puts them on paper.
    QStringList printedReport();
    // The report did not reach `printer` (its name, or the file printed into): said and logged.
    void reportNotPrinted(PrintFailure failure, const QString& printer);

    // --- the Excel and Word exports
    // Hands a file to the program the desktop opens it with; false when there is none.
    using FileOpener = std::function<bool(const QString& path)>;
    // The window puts the desktop's handler in here; without one a saved export is only said.
    void setFileOpener(FileOpener open) { openFile_ = std::move(open); }
    // "MS Excel": the sheet shown as a workbook (with a chart sheet when the user asks for one and the
    // units agree), saved where the user names it and opened with the desktop's program; the status field
    // says where it lies when no program opened it. A cancelled dialog changes nothing; a failure is shown
    // and logged as "Open Excel:".
    void cmdExcel_Click();
    // "MS Word": the text report of the sheet shown as a Word document, saved and opened as "MS Excel"
    // saves and opens its workbook; a failure is logged as "Open Word:".
    void cmdWord_Click();
    // Draws a sheet as a PDF inspection report into a file; the reason when it could not.
    using PdfReportWriter =
        std::function<std::optional<QString>(const MeasurementSheet& sheet, const QString& path)>;
    // The window puts the report's drawing in here: it needs Qt's painting, which this logic does without.
    void setPdfReportWriter(PdfReportWriter write) { writePdfReport_ = std::move(write); }
    // "PDF report": the sheet shown as a PDF inspection report, saved and opened as "MS Excel" saves and
    // opens its workbook; a failure is logged as "Open PDF:".
    void cmdPdfReport_Click();
    // Where the save dialog of an export (a workbook, a document, a chart) starts: the folder of the export
    // saved last in this run, else the user's documents folder (the home folder when there is none), with
    // the name it proposes: the device number, the memory chosen or "Online" in the online view, today's
    // date, and `extension`.
    QString exportStartPath(const QString& extension) const;

    // --- limits
    // The limits button shows the limits in effect.
    void refreshLimitsCaption();
    // "Speichern" in the limits dialog: the table is evaluated anew and the limits file written.
    void saveLimits();
    // A limit taken in the limits dialog: the rows shown are coloured and counted by it at once, and keep
    // their marks and order.
    void limitsAccepted();

    // --- views and command state
    void optFE_Click();
    void optOnline_Click();
    void Focus_setzen();
    void Button_setzen_Init();
    void Button_setzen();
    // The memory view's button: `text`, and the row count in brackets when there is one.
    void labelMemoryView(const QString& text, std::optional<int> rowCount);
    // The memory view's caption in the new language, after a language change.
    void relabelMemoryView();
    // The path of the manual in the current language, the message when it cannot be written and the one
    // when no program can show it.
    QString manualPath() const;
    QString manualNotFoundMessage() const;
    QString manualWithoutViewerMessage() const;
    // The status field.
    void showStatus(const QString& text);
    // A text the user must get to read ("Speicher leer"): for StatusHold a passing text waits behind it.
    void showHeldStatus(const QString& text);
    // A text that the next one replaces anyway, such as a live reading: shown once no held text is up.
    void showPassingStatus(const QString& text);
    static constexpr std::chrono::milliseconds StatusHold{2000};
    // What the connect button does, and its caption.
    void setConnectAction(ConnectAction action);
    // The link status field.
    void showLinkStatus(LinkStatus status);

    // The window dressing of the device initialisation, once the gauge's identity is known; it also
    // loads the gauge's language and key-event settings.
    void applyInitialisation(const Initialisation& init);
    void showBattery(double volts);

signals:
    // The table's last row should become its top visible row.
    void scrollToLastRow();
    // The captions were set anew (another language): other windows follow.
    void textsApplied();
    // The compact chart is to draw compactChart() anew.
    void compactChartBuilt();
    // The chart window should be shown, modally, with chartWindow().
    void chartWindowRequested();
    // The information window should be shown (not modal) with information().
    void informationWindowRequested();
    // The project dialog should be shown (not modal) with projectWindow().
    void projectWindowRequested();
    // `text` is to replace what the clipboard holds.
    void copyToClipboard(const QString& text);

private:
    TableRow tableRow(int storeRow) const;
    StatisticsContext statisticsContext() const;
    StatisticsListHeader statisticsHeader();
    QString memoryCaption() const;
    // One statistics step for a row of the current store, with the list rebuilt when `showList`.
    void addToStatistics(const MeasurementRow& row, bool showList);
    void showStatisticsList();
    void refreshStatisticsList();
    void showMaterialButton();
    void showStatisticsPanel(bool statistics);
    bool showCompactChart();
    void showStatisticsInsteadOfChart();
    // The next export's dialog starts in the folder of `path`.
    void rememberExportFolder(const QString& path);
    // What sets one export's file apart: the extension added to a name that lacks it, the save dialog's
    // filter, and what the log line of a failure starts with.
    struct ExportFile {
        QString extension;
        QString filter;
        QString logPrefix;
        bool boxNamesIt = false; // the message box, too, starts with `logPrefix`
    };
    // Writes an export to `path`; the description of a failure.
    using ExportWriter = std::optional<QString>(const QString& path);
    // The rest of an export once the commands are blocked: the save dialog, the file written, a failure
    // shown and logged, else the file opened or its place said; the commands are unblocked in every case.
    void saveExport(const ExportFile& file, const std::function<ExportWriter>& write);
    void labelViews();
    void removeStoreRows(int storeRow, int count);
    void applyDesign();
    void applyCommandState();
    void showCopyCommands();
    void reportFileError(const QString& text, const QString& path, const QString& reason);
    // A message that also goes into the transfer log.
    void tell(const QString& text);
    void switchLanguage(int languageIndex);
    void writeProgramSettings();
    void checkLanguageMenu();
    QString pictureFile(const QString& fileName) const;

    Prompt& prompt_;
    AppState state_;
    // Which commands the user may give, before the link state and the features built narrow them.
    enum class CommandAccess { WithoutGauge, None, All };
    CommandAccess commandAccess_ = CommandAccess::None;
    bool clockWindowOpen_ = false;
    ControlState controls_;
    RowStores stores_;
    MeasurementTableModel table_;
    Statistics statistics_;
    // What the material button offers: the material the statistics leave out while it is shown.
    MaterialButton materialButton_;
    // The memory view's button: its text and the row count after it, when it shows one.
    QString memoryViewText_;
    std::optional<int> memoryViewCount_;
    int rowCountShown_ = 0;    // the count the next Button_setzen writes
    DecodedMemory lastMemory_; // header and series of the memory shown
    ChartTable compactChart_;
    bool memoryCut_ = false; // the memory shown held more rows than the table
    SettingsState settings_;
    ProjectWindowModel projectWindow_{*this};
    KeyForwarder keyForwarder_{*this};
    KeyboardWindowModel keyboardWindow_{*this, keyForwarder_};
    InspectionWindowModel inspectionWindow_{*this};
    // The held status text's time, and the passing text that waits for it to end.
    QTimer statusHold_;
    QString passingStatus_;
    std::unique_ptr<TransferLog> log_;
    TransferLogEvents logEvents_;
    std::unique_ptr<SettingsFiles> settingsFiles_;
    ProgramSettings programSettings_;
    bluez::FactSources diagnosticsSources_;
    FileOpener openFile_;
    PdfReportWriter writePdfReport_;
    QString lastExportFolder_; // where an export was saved last in this run; empty before
    struct UnsavedReadings {
        bool memory = false;
        bool online = false;
        bool& operator[](View view) { return view == View::Online ? online : memory; }
    } unsaved_;
};

} // namespace vexa
