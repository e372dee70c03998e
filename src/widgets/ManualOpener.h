#pragma once

#include <QString>

namespace vexa {

// Opens the manual PDF with the desktop's viewer. A missing PDF is first rendered from the manual that
// ships inside the program, so the menu entry works on a fresh install; false when the file can neither
// be written nor opened.
bool openManual(const QString& pdfPath, int languageIndex);

// The manual PDF exists at `pdfPath`, rendered now when it was missing; false when it cannot be written.
bool ensureManualPdf(const QString& pdfPath, int languageIndex);

} // namespace vexa
