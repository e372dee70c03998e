#pragma once

#include <QChar>
#include <QString>

// Fixed-width text columns for the table, the statistics list, the limits caption and the reports.
namespace vexa {

// Right-aligns: a shorter text is preceded by `fill` up to `maxLength`; a longer one is cut to its first
// `maxLength` characters only when `truncate` is set.
QString ausrichten(int maxLength, const QString& text, QChar fill = u' ', bool truncate = false);

// Left-aligns: the text without surrounding blanks, followed by blanks, cut to exactly `maxLength`.
QString ausrichtenL(int maxLength, const QString& text);

// The gauge-format name of ausrichten().
inline QString padLeft(int width, const QString& text, QChar pad, bool truncate) {
    return ausrichten(width, text, pad, truncate);
}

// The text followed by `pad` up to `width`; a longer text stays whole.
QString padRight(const QString& text, int width, QChar pad = u' ');

// The text with its character at 1-based `position` replaced by `replacement` (which may be longer or
// empty); a position outside the text leaves it unchanged.
QString replaceCharAt(const QString& text, int position, const QString& replacement);

} // namespace vexa
