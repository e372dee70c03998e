#pragma once

#include <QString>
#include <QUrl>
#include <functional>

namespace vexa {

// Hands a file to the program the desktop opens it with; false when there is none.
using DocumentViewer = std::function<bool(const QUrl&)>;

enum class ManualOutcome { Opened, NotWritten, NoViewer };

// Opens the manual PDF with `view`. A missing PDF is first rendered from the manual that ships inside the
// program, so the menu entry works on a fresh install.
ManualOutcome openManual(const QString& pdfPath, int languageIndex, const DocumentViewer& view);

// The manual PDF exists at `pdfPath`, rendered now when it was missing; false when it cannot be written.
bool ensureManualPdf(const QString& pdfPath, int languageIndex);

} // namespace vexa
