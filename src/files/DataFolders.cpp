#include "files/DataFolders.h"

#include "texts/Program.h"

#include <QDir>
#include <QStandardPaths>

namespace vexa {

DataFolders prepareDataFolders() {
    DataFolders folders{
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
            ProgramName,
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/') +
            ProgramName,
    };
    QDir().mkpath(folders.appDataPath);
    QDir().mkpath(folders.messDataPath);
    return folders;
}

} // namespace vexa
