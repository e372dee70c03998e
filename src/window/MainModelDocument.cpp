// The documents of the sheet shown: the text report as a Word document, and the PDF inspection report;
// each saved where the user names it and handed to the desktop's program for it.
#include "files/DocxFile.h"
#include "window/MainModel.h"

namespace vexa {

void MainModel::cmdWord_Click() {
    blockButtons();
    const MeasurementSheet sheet = reportSheet();
    // As the word processor's own failures were, a failure to write the document is named in the box.
    saveExport({QStringLiteral(".docx"), QStringLiteral("Word (*.docx)"), QStringLiteral("Open Word:"), true},
               [&](const QString& path) { return writeDocx(sheet, path); });
}

void MainModel::cmdPdfReport_Click() {
    if (!writePdfReport_)
        return;
    blockButtons();
    const MeasurementSheet sheet = reportSheet();
    saveExport({QStringLiteral(".pdf"), QStringLiteral("PDF (*.pdf)"), QStringLiteral("Open PDF:")},
               [&](const QString& path) { return writePdfReport_(sheet, path); });
}

} // namespace vexa
