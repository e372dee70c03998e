#include "widgets/ManualOpener.h"

#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

// The manual's resource lives in a static library: it has to be registered by name before use.
static void registerManualResource() {
    Q_INIT_RESOURCE(manual);
}

namespace vexa {

namespace {

bool renderManual(const QString& pdfPath, int languageIndex) {
    registerManualResource();
    QFile source(languageIndex != 0 ? QStringLiteral(":/manual/en.md") : QStringLiteral(":/manual/de.md"));
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QTextDocument document;
    document.setMarkdown(QString::fromUtf8(source.readAll()));

    // Written beside the target and renamed, so a half-written manual never stays behind.
    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    writer.setTitle(QFileInfo(pdfPath).completeBaseName());
    document.setPageSize(writer.pageLayout().paintRectPixels(writer.resolution()).size());
    document.print(&writer);
    return file.commit();
}

} // namespace

bool ensureManualPdf(const QString& pdfPath, int languageIndex) {
    return QFileInfo::exists(pdfPath) || renderManual(pdfPath, languageIndex);
}

ManualOutcome openManual(const QString& pdfPath, int languageIndex, const DocumentViewer& view) {
    if (!ensureManualPdf(pdfPath, languageIndex))
        return ManualOutcome::NotWritten;
    return view(QUrl::fromLocalFile(pdfPath)) ? ManualOutcome::Opened : ManualOutcome::NoViewer;
}

} // namespace vexa
