#include "window/SingleInstance.h"

#include <QDir>

namespace vexa {

SingleInstance::SingleInstance(const QString& settingsFolder)
    : lock_(std::make_unique<QLockFile>(QDir(settingsFolder).filePath(QStringLiteral("vexa-connect.lock")))) {
    // Only a lock whose process has gone counts as stale, however long the first instance runs.
    lock_->setStaleLockTime(0);
    first_ = lock_->tryLock(0);
}

} // namespace vexa
