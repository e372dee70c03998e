#include "protocol/MemoryList.h"

#include "data/TextAlign.h"
#include "protocol/ProtocolNumbers.h"

#include <algorithm>
#include <limits>

namespace vexa {

QString probeMemoryEntry(QChar memoryLetter, const QString& name, int valueCount) {
    return ausrichten(5, memoryLetter + name) + ausrichten(6, u'(' + QString::number(valueCount) + u')');
}

QChar memoryLetter(int languageIndex) {
    return languageIndex == 1 ? u'M' : u'S';
}

std::optional<ProbeMemoryChoice> parseProbeMemoryEntry(const QString& entry) {
    qsizetype letter = -1;
    for (qsizetype i = 0; i < entry.size() && letter < 0; ++i) {
        if (entry.at(i) == u'S' || entry.at(i) == u'M')
            letter = i;
    }
    const qsizetype open = entry.indexOf(u'(', letter + 1);
    const qsizetype close = entry.indexOf(u')', open + 1);
    if (letter < 0 || open < 0 || close < 0)
        return std::nullopt;
    const QByteArray count = entry.mid(open + 1, close - open - 1).trimmed().toLatin1();
    const qint64 valueCount = std::clamp<qint64>(leadingInteger(count), std::numeric_limits<int>::min(),
                                                 std::numeric_limits<int>::max());
    return ProbeMemoryChoice{entry.mid(letter + 1, open - letter - 1).trimmed(),
                             static_cast<int>(valueCount)};
}

QStringList fileMemoryNames(const QByteArray& listAnswer) {
    constexpr qsizetype Head = 14;
    QStringList names;
    if (listAnswer.size() <= Head + 1)
        return names;
    const QByteArray words = listAnswer.mid(Head, listAnswer.size() - Head - 1);
    for (const QByteArray& part : words.split(' ')) {
        const QString word = QString::fromLatin1(part).trimmed();
        const bool listed = word.startsWith(u'm') || word.startsWith(u's') || word.startsWith(u't');
        if (listed && !word.startsWith(QStringLiteral("se")))
            names.append(word);
    }
    return names;
}

QString fileMemoryEntry(const QString& name) {
    constexpr int EntryWidth = 20;
    return padRight(name, EntryWidth);
}

QStringList fileMemoryEntries(const QByteArray& listAnswer) {
    QStringList entries;
    for (const QString& name : fileMemoryNames(listAnswer))
        entries.append(fileMemoryEntry(name));
    return entries;
}

} // namespace vexa
