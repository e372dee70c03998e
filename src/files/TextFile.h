#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Whole-file reads and writes of the program's small text files.
namespace vexa {

struct FileContent {
    QByteArray bytes;
    std::optional<QString> error; // the system's description when the file could not be read
};

FileContent readFileBytes(const QString& path);

// Writes `bytes` to a temporary file and renames it over `path`, so a failed write leaves the previous
// file as it was. A path that exists and is no regular file (a FIFO, a device, a terminal) is written
// directly, and a folder is refused. Returns the system's description of a failure.
std::optional<QString> writeFileBytes(const QString& path, const QByteArray& bytes);

// writeFileBytes() of `lines` (see encodeLines).
std::optional<QString> writeTextFile(const QString& path, const QStringList& lines);

} // namespace vexa
