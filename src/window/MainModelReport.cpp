// The report of all that is shown, handed on as it is: onto the clipboard or onto paper.
#include "files/TextReport.h"
#include "texts/Texts.h"
#include "window/MainModel.h"

namespace vexa {

void MainModel::cmdClipboard_Click() {
    // Built before the clipboard is touched, so that what the user copied last stays should this fail.
    const QString report = buildReport(reportSheet(), ReportMode::All);
    emit copyToClipboard(report);
}

QStringList MainModel::printedReport() {
    return reportLines(reportSheet(), ReportMode::All);
}

void MainModel::reportNotPrinted(PrintFailure failure, const QString& printer) {
    const int lang = state_.languageIndex;
    QString reason;
    switch (failure) {
    case PrintFailure::PrinterRefused:
        reason = Texts::notice(Notice::PrinterRefused, lang).arg(printer);
        break;
    case PrintFailure::FileNotWritable:
        reason = Texts::notice(Notice::PrintFileNotWritable, lang).arg(printer);
        break;
    case PrintFailure::Interrupted:
        reason = Texts::notice(Notice::PrintInterrupted, lang);
        break;
    }
    tell(Texts::notice(Notice::NotPrinted, lang).arg(reason));
}

} // namespace vexa
