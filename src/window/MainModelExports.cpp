// What the exports share: where their save dialog starts, and the way from the dialog to the file opened.
#include "files/SafeFileName.h"
#include "files/TransferLog.h"
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

void MainModel::saveExport(const ExportFile& file, const std::function<ExportWriter>& write) {
    const QString start = exportStartPath(file.extension);
    const QString chosen = prompt_.saveFileName(start, file.filter);
    if (chosen.isEmpty()) {
        unblockButtons();
        return;
    }
    QString path = QFileInfo(start).dir().absoluteFilePath(chosen);
    if (!path.endsWith(file.extension, Qt::CaseInsensitive))
        path += file.extension;

    const std::optional<QString> error = write(path);
    unblockButtons();
    const int lang = state_.languageIndex;
    if (error) {
        const QString shownPath = QDir::toNativeSeparators(path);
        log().WriteLog(file.logPrefix + shownPath + QStringLiteral(": ") + *error);
        const QString named = file.boxNamesIt ? file.logPrefix + u' ' : QString();
        prompt_.message(named + Texts::notice(Notice::FileNotSaved, lang) + shownPath +
                            QStringLiteral("\r\n") + *error,
                        PromptIcon::Critical);
        return;
    }
    rememberExportFolder(path);
    if (!openFile_ || !openFile_(path)) {
        showStatus(Texts::notice(Notice::ExportSaved, lang).arg(QDir::toNativeSeparators(path)));
        controls_.show(txtSpeicher);
    }
}

} // namespace vexa
