#pragma once

#include <QString>


namespace platform {

// Tells whether another copy of the program with the same program folder runs. The
// first copy holds a lock on a file in the program folder for as long as it lives
// and removes the file when it ends; the system drops the lock of a copy that
// crashed, so its file is taken over. Taking the lock writes nothing to the disk,
// so the start-up does not wait for it.
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
    void release();

    int fd_ = -1;
    QString path_;
};

}  // namespace platform
