#include "files/ProgramDataFolder.h"

#include <QDir>
#include <QFileInfo>

namespace vexa {

QString programDataFolder(const QString& programFileFolder) {
    const QString installed =
        QDir::cleanPath(QDir(programFileFolder).filePath(QStringLiteral(VEXA_DATA_FROM_PROGRAM)));
    return QFileInfo(installed).isDir() ? installed : programFileFolder;
}

} // namespace vexa
