#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>

// The entries of the memory list, built from the gauge's answers and read back when one is chosen.
namespace vexa {

// A probe-memory gauge's entry: memory letter and name right-aligned in 5, then "(" count ")"
// right-aligned in 6, e.g. "   S1  (25)". Longer texts are never cut.
QString probeMemoryEntry(QChar memoryLetter, const QString& name, int valueCount);

// The memory letter of the language: "S" German (0), "M" English (1).
QChar memoryLetter(int languageIndex);

struct ProbeMemoryChoice {
    QString name; // trimmed; may be no number
    int valueCount = 0;
    bool operator==(const ProbeMemoryChoice&) const = default;
};

// Reads an entry back: the name between the first memory letter (either language's) and "(", the count
// between "(" and ")". None when the entry lacks one of the three. Counts of four or more digits fill
// their six places, so the name is not found by position.
std::optional<ProbeMemoryChoice> parseProbeMemoryEntry(const QString& entry);

// A file-memory gauge's memories from its "$ls" answer: the answer without its first 14 characters and its
// last, split at blanks; every word starting with "m", "s" or "t" but not "se".
QStringList fileMemoryNames(const QByteArray& listAnswer);

// A file memory's entry: its name padded to 20 characters (a longer name stays whole).
QString fileMemoryEntry(const QString& name);

// The entries of every memory named in a "$ls" answer.
QStringList fileMemoryEntries(const QByteArray& listAnswer);

} // namespace vexa
