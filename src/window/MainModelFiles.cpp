// Measurement files: the report saved under a name the user picks, and read back into the table; the
// project data read anew for the reports and the project dialog.
#include "files/MeasurementFile.h"
#include "files/SafeFileName.h"
#include "files/TextEncoding.h"
#include "files/TextFile.h"
#include "files/TextReport.h"
#include "files/TransferLog.h"
#include "texts/Texts.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/Prompt.h"

#include <QDir>
#include <QFileInfo>

namespace vexa {

using namespace ctl;

namespace {

const QString FileFilter = QStringLiteral("Messdaten (*.mes)");
const QString Extension = QStringLiteral(".mes");

} // namespace

QString MainModel::measurementFolder() {
    // Before any gauge was met: the folder above every gauge's folder.
    const QString folder = QDir::cleanPath(state_.messDataPath + QStringLiteral("/mes/") +
                                           safeFileName(state_.gauge.deviceNumber()));
    if (!QDir().mkpath(folder))
        return {};
    return folder;
}

void MainModel::reportFileError(const QString& text, const QString& path, const QString& reason) {
    log().WriteLog(text + path + QStringLiteral(" ") + reason);
    prompt_.message(text + path + QStringLiteral("\r\n") + reason, PromptIcon::Critical);
}

void MainModel::reloadProjectData() {
    if (!settingsFiles_)
        return;
    settings_.languageIndex = state_.languageIndex;
    for (const QString& failure : settingsFiles_->reloadProjectData(state_.gauge.deviceNumber(), settings_))
        prompt_.message(failure);
}

void MainModel::cmdProjekt_Click() {
    reloadProjectData();
    projectWindow_.open();
    emit projectWindowRequested();
}

MeasurementSheet MainModel::sheet(const QString& address) const {
    SheetContent content;
    content.gauge = state_.gauge;
    content.address = address;
    content.languageIndex = state_.languageIndex;
    content.decimalSeparator = state_.decimalSeparator;
    content.view = state_.view;
    const RowStore& store = stores_[state_.view];
    const int count = store.presentCount();
    content.rows.reserve(static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i)
        content.rows.push_back(store[i]);
    content.memoryListText = state_.selectedMemory;
    content.memoryCaption = memoryCaption();
    content.openedFromFile = state_.openedFromFile;
    content.memoryKind = lastMemory_.kind;
    content.memoryEmpty = lastMemory_.empty;
    content.rowsCut = memoryCut_;
    content.memoryHeader = lastMemory_.header;
    content.seriesValues = lastMemory_.seriesValues;
    content.seriesStatistics = lastMemory_.seriesStatistics;
    content.limits = settings_.limits;
    content.project = settings_.project;
    content.labels = settings_.labels;
    content.inspection = inspectionWindow_.chosenRule();
    return buildSheet(std::move(content), materialButton_);
}

MeasurementSheet MainModel::reportSheet() {
    MeasurementSheet shown = sheet();
    // A series memory's report has no project section.
    if (shown.showsSeries())
        return shown;
    reloadProjectData();
    shown.project = settings_.project;
    shown.labels = settings_.labels;
    return shown;
}

void MainModel::cmdSave_Click() {
    const QString folder = measurementFolder();
    const QString name = prompt_.saveFileName(folder, FileFilter);
    if (name.isEmpty() || name == u" ")
        return;
    saveMeasurementFile(QDir(folder).absoluteFilePath(name));
}

bool MainModel::saveMeasurementFile(const QString& path) {
    const QString target = QFileInfo(path).fileName().contains(Extension) ? path : path + Extension;
    QStringList lines = reportLines(reportSheet(), ReportMode::All);
    lines.append(QString());
    const std::optional<QString> error = writeTextFile(target, lines);
    if (error) {
        reportFileError(Texts::notice(Notice::FileNotSaved, state_.languageIndex), target, *error);
        return false;
    }
    unsaved_[state_.view] = false;
    return true;
}

bool MainModel::mayLeave() {
    if (!hasUnsavedReadings())
        return true;
    const int lang = state_.languageIndex;
    return prompt_.question(Texts::notice(Notice::LeaveWithUnsavedReadings, lang),
                            Texts::message(Msg::YesText, lang), Texts::message(Msg::NoText, lang),
                            PromptIcon::Question, PromptDefault::No);
}

void MainModel::cmdOpen_Click() {
    const QString folder = measurementFolder();
    const QString name = prompt_.openFileName(folder, FileFilter);
    if (name.isEmpty())
        return;
    openMeasurementFile(QDir(folder).absoluteFilePath(name));
}

bool MainModel::openMeasurementFile(const QString& path) {
    const FileContent content = readFileBytes(path);
    if (content.error) {
        reportFileError(Texts::notice(Notice::FileNotRead, state_.languageIndex), path, *content.error);
        return false;
    }
    // The file goes into the memory view's store; the online store keeps its readings.
    if (state_.view != View::Memory)
        optFE_Click();
    currentStore().clear();
    forgetDecodedMemory();
    table_.clear();
    Reset_Statistic();
    const QString text = decodeFileText(content.bytes);
    // No gauge met in this run: the file is read as the gauge connected last would read it, else as its
    // layout shows.
    if (state_.gauge.deviceName.isEmpty()) {
        const std::optional<LastGauge>& last = programSettings_.lastGauge;
        state_.gauge = identityForMeasurementFile(last ? last->model : QString(), text);
    }
    const std::vector<MeasurementRow> rows = readMeasurementFile(text, state_.gauge.traits);
    currentStore().assign(rows);
    unsaved_.memory = false;
    state_.nextRowIndex = static_cast<int>(rows.size()) + 1;
    state_.openedFromFile = true;
    controls_.show(optFE);
    labelMemoryView(QFileInfo(path).fileName(), static_cast<int>(rows.size()));
    FillMSFlexOne();
    showCopyCommands();
    // What was opened without a gauge can be looked at, changed and saved.
    if (commandAccess_ == CommandAccess::WithoutGauge)
        unblockButtons();
    return true;
}

} // namespace vexa
