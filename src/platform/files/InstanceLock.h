#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace platform {

// Tells whether another copy of the program with the same program folder runs. The
// first copy holds a lock file in the program folder for as long as it lives; a lock
// left by a crashed copy is stale and taken over.
class InstanceLock {
public:
    InstanceLock();
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Tries to become the copy that owns programFolder. Returns false when another
    // live copy already owns it. A folder where no lock can be made counts as free.
    bool acquire(const QString& programFolder);
    bool held() const;

    static QString lockFileName(const QString& programFolder);

private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace platform
