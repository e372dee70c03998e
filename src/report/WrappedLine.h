#pragma once

#include <QString>
#include <QStringList>

namespace vexa {

// `line` as lines of at most `columns` characters: broken after the last word that fits, the blanks at
// the break dropped, each further line indented a little deeper than the line it continues. A word wider
// than a line is cut where the line ends. A line that fits stays as it is.
QStringList wrappedLine(const QString& line, int columns);

} // namespace vexa
