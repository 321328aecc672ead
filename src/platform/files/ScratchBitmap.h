#pragma once

#include "platform/base/Result.h"

#include <QImage>
#include <QString>

#include <array>
#include <vector>

#include <sys/types.h>

namespace platform {

// The program's own scratch bitmap, such as the stream buffer file that the frame
// pump writes and reads back on every tick. The file stays open between calls and is
// rewritten in place, and the memory of the bytes and of the pictures read is kept
// for the next call, so a tick neither replaces a file nor touches fresh memory.
// Never for a user's file: a write that fails half-way leaves this file cut short.
class ScratchBitmap {
public:
    ScratchBitmap() = default;
    ~ScratchBitmap();
    ScratchBitmap(const ScratchBitmap&) = delete;
    ScratchBitmap& operator=(const ScratchBitmap&) = delete;

    // Makes the file at path a 24-bit bitmap of the picture (top row first). Only a
    // regular file is written; a FIFO or a device in its place is refused.
    Result write(const QImage& image, const QString& path);

    // Reads the 24-bit bitmap at path into frame. The picture's memory is one this
    // object kept from an earlier read, when nothing else holds it any more.
    Result read(const QString& path, QImage& frame);

private:
    Result open(const QString& path, bool forWriting);
    void close();
    bool writeRows(const QImage& source, qint64 stride, qint64 at);
    QImage& freeFrame(int width, int rows);

    int fd_ = -1;
    bool writable_ = false;
    QString path_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    qint64 fileSize_ = 0;
    std::vector<uchar> bytes_;
    struct Kept {
        QImage image;
        quint64 lastUse = 0;
    };
    std::array<Kept, 4> frames_;
    quint64 uses_ = 0;
};

}  // namespace platform
