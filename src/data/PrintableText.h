#pragma once

#include <QString>
#include <QStringView>

namespace vexa {

// A text from a gauge made safe for a terminal: every control character (C0, DEL, C1) becomes "?". A
// device name with a line end would otherwise forge a line of its own, an escape sequence in a memory
// name would clear the screen.
QString printableText(QStringView text);

// printableText() of each line; the lines' own ends (LF, CR LF) stay.
QString printableLines(QStringView text);

// A text from a gauge as keys may type it: without its control characters, which would press Return,
// Tab or Escape in the program typed into.
QString typableText(QStringView text);

} // namespace vexa
