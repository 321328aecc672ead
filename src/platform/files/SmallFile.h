#pragma once

#include "platform/base/Result.h"

#include <QByteArray>
#include <QString>

namespace platform {

// Far above any settings file or store the program writes (a few kilobytes).
inline constexpr qint64 kSmallFileLimit = qint64(1) << 20;

struct SmallFileRead {
    Result result;
    QByteArray bytes;
    bool missing = false;  // nothing at the path (result holds the reason)
};

// Reads a regular file of at most maxBytes whole. Anything else in its place (a
// folder, a FIFO, a device, a link to one, a larger file) is refused with the reason
// and without waiting on it or reading more than the limit.
SmallFileRead readSmallFile(const QString& path, qint64 maxBytes = kSmallFileLimit);

// Why the file at path is not one readSmallFile would read, or empty text when it
// is, or when nothing is there yet.
QString smallFileProblem(const QString& path, qint64 maxBytes = kSmallFileLimit);

// What is at a path, enough to tell that the file there was changed or replaced
// since: the same stamp means the same content.
struct FileStamp {
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// smallFileProblem, also giving the stamp of what is at the path.
QString smallFileProblem(const QString& path, FileStamp& stamp, qint64 maxBytes = kSmallFileLimit);

}  // namespace platform
