#pragma once

#include <QString>

namespace vexa {

struct DataFolders {
    QString appDataPath;  // settings and transfer log
    QString messDataPath; // measurement files
};

// The per-user configuration and data folders of the program, created when missing: settings and the
// log would otherwise vanish silently on a fresh account.
DataFolders prepareDataFolders();

} // namespace vexa
