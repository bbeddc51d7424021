#include "app/single_instance.h"

#include <unistd.h>

#include <QDir>
#include <QStandardPaths>

namespace tw::app {

QString SingleInstance::defaultLockPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    // The runtime directory is per user already; the uid keeps the temp fallback per user too.
    return QDir(dir).filePath(QString("tunewright-%1.lock").arg(::getuid()));
}

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath)) {
    lock_->setStaleLockTime(0);  // only a dead owner makes the lock stale, never its age
    acquired_ = lock_->tryLock(0);
}

}  // namespace tw::app
