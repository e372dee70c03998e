#include "cli/CliOutput.h"

#include "data/PrintableText.h"
#include "files/MemoryExport.h"
#include "files/RowsCsv.h"
#include "files/TextFile.h"
#include "files/WorkbookFile.h"

#include <QTemporaryDir>
#include <cstdio>
#include <unistd.h>

namespace vexa::cli {

void writeOut(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

void writeErrorLine(const QString& text) {
    std::fprintf(stderr, "vexa-connect-cli: %s\n", text.toUtf8().constData());
}

QString oneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    text.replace(u'\r', u' ');
    return text.simplified();
}

std::optional<QString> writeResult(const QString& outputFile, const QString& text) {
    if (outputFile.isEmpty()) {
        writeOut(printableLines(text).toUtf8());
        return std::nullopt;
    }
    return writeResult(outputFile, text.toUtf8());
}

std::optional<QString> writeResult(const QString& outputFile, const QByteArray& bytes) {
    if (outputFile.isEmpty()) {
        writeOut(bytes);
        return std::nullopt;
    }
    if (bytes.isEmpty())
        return QStringLiteral("nothing to write to %1: the memory holds no rows").arg(outputFile);
    if (const std::optional<QString> error = writeFileBytes(outputFile, bytes))
        return QStringLiteral("cannot write %1: %2").arg(outputFile, *error);
    return std::nullopt;
}

std::optional<QString> writeSheet(const MeasurementSheet& sheet, Format format, const QString& outputFile) {
    if (format == Format::Json)
        return writeResult(outputFile, memoryJson(exportedMemory(sheet)) + '\n');
    const QChar separator = csvSeparator(sheet.decimalSeparator);
    return writeResult(outputFile, sheet.showsSeries() ? seriesCsv(sheet, separator)
                                                       : rowsCsv(exportedMemory(sheet).rows, separator));
}

std::optional<QString> workbookRefusedHere(const QString& outputFile) {
    // A workbook's bytes would only garble a terminal; a pipe takes them.
    if (outputFile.isEmpty() && isatty(fileno(stdout)))
        return QStringLiteral("a workbook is not for a terminal: name a file with -o, or pipe it on");
    return std::nullopt;
}

std::optional<QString> writeWorkbookResult(const MeasurementSheet& sheet, const QString& outputFile,
                                           bool chart) {
    const WorkbookCharts charts = chart ? WorkbookCharts::ChartSheet : WorkbookCharts::None;
    if (!outputFile.isEmpty()) {
        if (const std::optional<QString> error = writeWorkbook(sheet, outputFile, charts))
            return QStringLiteral("cannot write %1: %2").arg(outputFile, *error);
        return std::nullopt;
    }
    if (const std::optional<QString> refusal = workbookRefusedHere(outputFile))
        return refusal;
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("workbook.xlsx"));
    if (const std::optional<QString> error = writeWorkbook(sheet, path, charts))
        return QStringLiteral("cannot write the workbook: %1").arg(*error);
    const FileContent written = readFileBytes(path);
    if (written.error)
        return QStringLiteral("cannot read the workbook back: %1").arg(*written.error);
    writeOut(written.bytes);
    return std::nullopt;
}

} // namespace vexa::cli
