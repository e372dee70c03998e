#include "report/WrappedLine.h"

#include <QStringView>
#include <algorithm>

namespace vexa {

namespace {

// Deep enough to tell a continuation from a line of its own, as "(c) " stands before a criterion's text.
constexpr qsizetype ContinuationIndent = 4;

qsizetype leadingBlanks(QStringView text) {
    qsizetype blanks = 0;
    while (blanks < text.size() && text[blanks] == u' ')
        ++blanks;
    return blanks;
}

QStringView withoutTrailingBlanks(QStringView text) {
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}

} // namespace

QStringList wrappedLine(const QString& line, int columns) {
    const qsizetype width = std::max(columns, 1);
    if (line.size() <= width)
        return {line};
    // Half the width at most, so an indented line still takes words after its break.
    const QString indent(std::min(leadingBlanks(line) + ContinuationIndent, width / 2), u' ');
    QStringList pieces;
    QString prefix;
    QStringView rest(line);
    while (prefix.size() + rest.size() > width) {
        const qsizetype room = width - prefix.size();
        qsizetype cut = rest.left(room + 1).lastIndexOf(u' ');
        if (cut <= leadingBlanks(rest))
            cut = room;
        pieces.append(prefix + withoutTrailingBlanks(rest.left(cut)).toString());
        rest = rest.mid(cut);
        rest = rest.mid(leadingBlanks(rest));
        prefix = indent;
    }
    if (!rest.isEmpty())
        pieces.append(prefix + rest.toString());
    return pieces;
}

} // namespace vexa
