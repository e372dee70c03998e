#include "widgets/ProcessTree.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <optional>

namespace vexa {

namespace {

struct ProcessStat {
    char state = '?';
    qint64 parent = 0;
};

// /proc/<pid>/stat: "pid (name) state ppid ..."; the name may hold blanks and parentheses, so the
// fields are counted from the last ')'.
std::optional<ProcessStat> readStat(qint64 pid) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray stat = file.readAll();
    const qsizetype nameEnd = stat.lastIndexOf(')');
    if (nameEnd < 0)
        return std::nullopt;
    const QList<QByteArray> fields = stat.mid(nameEnd + 1).simplified().split(' ');
    if (fields.size() < 2 || fields[0].isEmpty())
        return std::nullopt;
    return ProcessStat{fields[0][0], fields[1].toLongLong()};
}

} // namespace

bool processRunning(qint64 pid) {
    if (pid <= 0)
        return false;
    const std::optional<ProcessStat> stat = readStat(pid);
    return stat && stat->state != 'Z' && stat->state != 'X';
}

QSet<qint64> processFamily(qint64 pid) {
    QMultiHash<qint64, qint64> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool number = false;
        const qint64 child = entry.toLongLong(&number);
        if (!number)
            continue;
        if (const std::optional<ProcessStat> stat = readStat(child))
            children.insert(stat->parent, child);
    }
    QSet<qint64> family{pid};
    QList<qint64> unvisited{pid};
    while (!unvisited.isEmpty()) {
        const qint64 parent = unvisited.takeLast();
        for (auto it = children.constFind(parent); it != children.cend() && it.key() == parent; ++it) {
            if (!family.contains(it.value())) {
                family.insert(it.value());
                unvisited.append(it.value());
            }
        }
    }
    return family;
}

} // namespace vexa
