#include "cli/CliOpen.h"

#include "cli/CliInspection.h"
#include "cli/CliOutput.h"
#include "data/LocaleTexts.h"
#include "data/MeasurementSheet.h"
#include "files/MeasurementFile.h"
#include "files/TextEncoding.h"
#include "files/TextFile.h"

#include <QFileInfo>

namespace vexa::cli {

namespace {

// The sheet of the file the request names, with the notes the limits gave; nothing when the run failed,
// which is said.
std::optional<MeasurementSheet> openedSheet(const CliRequest& request, QStringList& notes) {
    const FileContent file = readFileBytes(request.measurementFile);
    if (file.error) {
        writeErrorLine(QStringLiteral("cannot read %1: %2").arg(request.measurementFile, *file.error));
        return std::nullopt;
    }
    const QString text = decodeFileText(file.bytes);

    SheetContent content;
    content.gauge = identityForMeasurementFile(request.model, text);
    content.languageIndex = request.languageIndex.value_or(0);
    content.decimalSeparator = decimalSeparator();
    content.rows = readMeasurementFile(text, content.gauge.traits);
    const QString name = QFileInfo(request.measurementFile).fileName();
    // Headed as the window's memory option shows an opened file: its name and row count.
    content.memoryCaption = QStringLiteral("%1 (%2)").arg(name).arg(content.rows.size());
    content.openedFromFile = true;

    if (request.limits) {
        const TypedLimits typed = limitsFromFields(*request.limits, content.languageIndex);
        notes = typed.messages;
        if (typed.refused) {
            writeErrorLine(notes.isEmpty()
                               ? QStringLiteral("the limits were refused")
                               : QStringLiteral("the limits were refused: ") + oneLine(notes.last()));
            return std::nullopt;
        }
        content.limits = typed.limits;
    }

    // Counted as the window counts a file opened with no memory chosen. Only then does the sheet name the
    // file: a memory named with "s" or "t" in front counts both materials together, and so would
    // "saved.mes".
    MeasurementSheet sheet = buildSheet(std::move(content));
    sheet.memoryListText = name;
    return sheet;
}

} // namespace

int openMeasurementFile(const CliRequest& request) {
    QStringList notes;
    const std::optional<MeasurementSheet> sheet = openedSheet(request, notes);
    if (!sheet)
        return Failure;
    const std::optional<QString> error = request.command == Command::Evaluate
                                             ? writeInspection(*request.inspection, *sheet, request.format)
                                             : writeSheet(*sheet, request.format, request.outputFile);
    if (error) {
        writeErrorLine(*error);
        return Failure;
    }
    for (const QString& note : notes)
        if (!oneLine(note).isEmpty())
            writeErrorLine(QStringLiteral("note: ") + oneLine(note));
    return Success;
}

} // namespace vexa::cli
