#include "cli/CliOutput.h"

#include "data/PrintableText.h"
#include "files/DocxFile.h"
#include "files/MemoryExport.h"
#include "files/RowsCsv.h"
#include "files/TextFile.h"
#include "files/WorkbookFile.h"
#include "report/InspectionReport.h"

#include <QTemporaryDir>
#include <cstdio>
#include <functional>
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

bool isFileFormat(Format format) {
    return format == Format::Xlsx || format == Format::Docx || format == Format::Pdf;
}

namespace {

QString fileKind(Format format) {
    switch (format) {
    case Format::Docx:
        return QStringLiteral("document");
    case Format::Pdf:
        return QStringLiteral("PDF report");
    default:
        return QStringLiteral("workbook");
    }
}

using FileWriter = std::optional<QString>(const QString& path);

// A workbook or document written by `write`, into `outputFile` or, through a file of its own, to standard
// output.
std::optional<QString> writeFileResult(Format format, const QString& outputFile,
                                       const std::function<FileWriter>& write) {
    if (!outputFile.isEmpty()) {
        if (const std::optional<QString> error = write(outputFile))
            return QStringLiteral("cannot write %1: %2").arg(outputFile, *error);
        return std::nullopt;
    }
    if (const std::optional<QString> refusal = refusedForTerminal(format, outputFile))
        return refusal;
    const QTemporaryDir folder;
    const QString path = folder.filePath(fileKind(format));
    if (const std::optional<QString> error = write(path))
        return QStringLiteral("cannot write the %1: %2").arg(fileKind(format), *error);
    const FileContent written = readFileBytes(path);
    if (written.error)
        return QStringLiteral("cannot read the %1 back: %2").arg(fileKind(format), *written.error);
    writeOut(written.bytes);
    return std::nullopt;
}

} // namespace

std::optional<QString> refusedForTerminal(Format format, const QString& outputFile) {
    // A file's bytes would only garble a terminal; a pipe takes them.
    if (isFileFormat(format) && outputFile.isEmpty() && isatty(fileno(stdout)))
        return QStringLiteral("a %1 is not for a terminal: name a file with -o, or pipe it on")
            .arg(fileKind(format));
    return std::nullopt;
}

std::optional<QString> writeWorkbookResult(const MeasurementSheet& sheet, const QString& outputFile,
                                           bool chart) {
    const WorkbookCharts charts = chart ? WorkbookCharts::ChartSheet : WorkbookCharts::None;
    return writeFileResult(Format::Xlsx, outputFile,
                           [&](const QString& path) { return writeWorkbook(sheet, path, charts); });
}

std::optional<QString> writeDocxResult(const MeasurementSheet& sheet, const QString& outputFile) {
    return writeFileResult(Format::Docx, outputFile,
                           [&](const QString& path) { return writeDocx(sheet, path); });
}

std::optional<QString> writePdfReportResult(const MeasurementSheet& sheet, const QString& outputFile) {
    return writeFileResult(Format::Pdf, outputFile,
                           [&](const QString& path) { return writeInspectionReport(sheet, path); });
}

} // namespace vexa::cli
