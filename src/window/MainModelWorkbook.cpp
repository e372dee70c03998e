// The Excel export: the sheet shown as an .xlsx workbook, saved where the user names it and handed to the
// desktop's spreadsheet program.
#include "files/SafeFileName.h"
#include "files/TransferLog.h"
#include "files/WorkbookFile.h"
#include "texts/Texts.h"
#include "window/MainControls.h"
#include "window/MainModel.h"
#include "window/Prompt.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vexa {

using namespace ctl;

namespace {

const QString WorkbookFilter = QStringLiteral("Excel (*.xlsx)");
const QString WorkbookExtension = QStringLiteral(".xlsx");

// The user's documents folder; the home folder when the desktop names none or it is not there.
QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

QString MainModel::exportStartPath(const QString& extension) const {
    const QString folder = !lastExportFolder_.isEmpty() && QFileInfo(lastExportFolder_).isDir()
                               ? lastExportFolder_
                               : documentsFolder();
    // What the table shows: the online readings, a measurement file opened, or the memory chosen.
    QString shown;
    if (state_.view == View::Online)
        shown = Texts::message(Msg::Online, state_.languageIndex);
    else if (state_.openedFromFile)
        shown = QFileInfo(memoryViewText_).completeBaseName();
    else
        shown = state_.selectedMemory;
    QStringList parts;
    for (const QString& part : {state_.gauge.deviceNumber(), shown.simplified(),
                                QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))})
        if (!part.trimmed().isEmpty())
            parts.append(safeFileName(part.trimmed()));
    return QDir(folder).filePath(parts.join(u'_') + extension);
}

void MainModel::rememberExportFolder(const QString& path) {
    lastExportFolder_ = QFileInfo(path).absolutePath();
}

void MainModel::cmdExcel_Click() {
    blockButtons();
    const MeasurementSheet sheet = reportSheet();
    const int lang = state_.languageIndex;
    // Readings of different units give no statistics and no chart: nothing to ask.
    const bool mixedUnits = !sheet.materials.empty() && sheet.materials.front().state().mixedUnits;
    const bool chart =
        !mixedUnits && prompt_.question(Texts::message(Msg::ExcelWithChartQuestion, lang),
                                        Texts::message(Msg::YesText, lang), Texts::message(Msg::NoText, lang),
                                        PromptIcon::Question, PromptDefault::Yes);

    const QString start = exportStartPath(WorkbookExtension);
    const QString chosen = prompt_.saveFileName(start, WorkbookFilter);
    if (chosen.isEmpty()) {
        unblockButtons();
        return;
    }
    QString path = QFileInfo(start).dir().absoluteFilePath(chosen);
    if (!path.endsWith(WorkbookExtension, Qt::CaseInsensitive))
        path += WorkbookExtension;

    const std::optional<QString> error =
        writeWorkbook(sheet, path, chart ? WorkbookCharts::ChartSheet : WorkbookCharts::None);
    unblockButtons();
    if (error) {
        const QString shownPath = QDir::toNativeSeparators(path);
        log().WriteLog(QStringLiteral("Open Excel:") + shownPath + QStringLiteral(": ") + *error);
        prompt_.message(Texts::notice(Notice::FileNotSaved, lang) + shownPath + QStringLiteral("\r\n") +
                            *error,
                        PromptIcon::Critical);
        return;
    }
    rememberExportFolder(path);
    if (!openFile_ || !openFile_(path)) {
        showStatus(Texts::notice(Notice::WorkbookSaved, lang).arg(QDir::toNativeSeparators(path)));
        controls_.show(txtSpeicher);
    }
}

} // namespace vexa
