#include "window/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace vexa {

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath.isEmpty() ? defaultLockPath() : lockPath)) {
    // Only a lock whose process has gone counts as stale, however long the first instance runs.
    lock_->setStaleLockTime(0);
    first_ = lock_->tryLock(0);
}

QString SingleInstance::defaultLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/vexa-connect.lock");
}

} // namespace vexa
