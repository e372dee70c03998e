#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

// How settings and measurement files turn into text and back.
namespace vexa {

// UTF-8 when the bytes are valid UTF-8 (a byte-order mark is dropped); otherwise Windows-1252, the code
// page of files carried over from Windows PCs.
QString decodeFileText(const QByteArray& bytes);

// Windows-1252; the five bytes that code page leaves unassigned keep their own code points.
QString decodeWindows1252(const QByteArray& bytes);

// Lines ended by CR LF, LF or a lone CR; a line end at the very end adds no empty line.
QStringList splitLines(QStringView text);

// UTF-8 with every line ended by CR LF.
QByteArray encodeLines(const QStringList& lines);

} // namespace vexa
