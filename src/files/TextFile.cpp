#include "files/TextFile.h"

#include "files/TextEncoding.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

namespace vexa {

FileContent readFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    FileContent content{file.readAll(), std::nullopt};
    if (file.error() != QFileDevice::NoError)
        content.error = file.errorString();
    return content;
}

namespace {

// A FIFO, a device or a terminal takes the bytes as they come: renaming a file over it would replace it
// (as root, the system's /dev/null) and leave a reader of the FIFO waiting for ever.
std::optional<QString> writeInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes) != bytes.size())
        return file.errorString();
    return std::nullopt;
}

} // namespace

std::optional<QString> writeFileBytes(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    if (target.isDir())
        return QStringLiteral("Is a directory");
    if (target.exists() && !target.isFile())
        return writeInPlace(path, bytes);
    QSaveFile file(path);
    // Unbuffered, so a short write (disk full, file size limit) shows in the count written: a buffered
    // QSaveFile commits the truncated file without complaint.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int systemError = errno;
        const QString error = file.error() != QFileDevice::NoError ? file.errorString()
                              : systemError != 0 ? QString::fromLocal8Bit(std::strerror(systemError))
                                                 : QStringLiteral("The file could not be written completely");
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

std::optional<QString> writeTextFile(const QString& path, const QStringList& lines) {
    return writeFileBytes(path, encodeLines(lines));
}

} // namespace vexa
