// The Word export: the text report of the sheet shown as a .docx document, saved where the user names it
// and handed to the desktop's word processor.
#include "files/DocxFile.h"
#include "window/MainModel.h"

namespace vexa {

void MainModel::cmdWord_Click() {
    blockButtons();
    const MeasurementSheet sheet = reportSheet();
    saveExport({QStringLiteral(".docx"), QStringLiteral("Word (*.docx)"), QStringLiteral("Open Word:")},
               [&](const QString& path) { return writeDocx(sheet, path); });
}

} // namespace vexa
