#include "platform/files/InstanceLock.h"

#include <QLockFile>

namespace platform {

InstanceLock::InstanceLock() = default;
InstanceLock::~InstanceLock() = default;

QString InstanceLock::lockFileName(const QString& programFolder)
{
    return programFolder + "/.tolvex.lock";
}

bool InstanceLock::acquire(const QString& programFolder)
{
    auto lock = std::make_unique<QLockFile>(lockFileName(programFolder));
    lock->setStaleLockTime(0);  // only a lock whose process is gone is stale
    if (lock->tryLock(0)) {
        lock_ = std::move(lock);
        return true;
    }
    return lock->error() != QLockFile::LockFailedError;
}

bool InstanceLock::held() const
{
    return lock_ && lock_->isLocked();
}

}  // namespace platform
