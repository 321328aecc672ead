#include "platform/files/ScratchBitmap.h"

#include "platform/files/BmpFile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Small enough to stay in the processor's cache between converting and writing.
constexpr qint64 kChunkBytes = 128 * 1024;

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

Result failure(const QString& what, const QString& path, int error)
{
    return Result::failure(QStringLiteral("%1 %2: %3").arg(what, path, systemReason(error)));
}

bool samePlace(const struct stat& a, dev_t device, ino_t inode)
{
    return a.st_dev == device && a.st_ino == inode;
}

bool writeAll(int fd, const uchar* data, qint64 size, qint64 at)
{
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, data, size_t(size), off_t(at));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        at += written;
        size -= written;
    }
    return true;
}

// Bytes read, fewer only at the end of the file; -1 on an error.
qint64 readAll(int fd, uchar* data, qint64 size, qint64 at)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, data + done, size_t(size - done), off_t(at + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

}  // namespace

ScratchBitmap::~ScratchBitmap()
{
    close();
}

void ScratchBitmap::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    path_.clear();
}

// Keeps the open file while the path still names it; a changed path, or a file
// deleted or replaced since, is opened anew.
Result ScratchBitmap::open(const QString& path, bool forWriting)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (fd_ >= 0 && path == path_ && (writable_ || !forWriting) && ::stat(name.constData(), &st) == 0
        && samePlace(st, device_, inode_))
        return Result::success();
    close();
    // Non-blocking, so a FIFO in the file's place is refused instead of waited on.
    const int flags = (forWriting ? O_RDWR | O_CREAT : O_RDONLY) | O_NONBLOCK | O_CLOEXEC;
    const int fd = ::open(name.constData(), flags, 0600);
    if (fd < 0)
        return failure(QStringLiteral("cannot open"), path, errno);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Result::failure(QStringLiteral("%1 is not a regular file").arg(path));
    }
    fd_ = fd;
    writable_ = forWriting;
    path_ = path;
    device_ = st.st_dev;
    inode_ = st.st_ino;
    fileSize_ = st.st_size;
    return Result::success();
}

Result ScratchBitmap::write(const QImage& image, const QString& path)
{
    const BmpRowEncoder encode = bmpRowEncoder(image.format());
    const QImage source = encode ? image : image.convertToFormat(QImage::Format_BGR888);
    if (source.isNull())
        return Result::failure(QStringLiteral("there is no picture to write"));
    if (Result opened = open(path, true); !opened)
        return opened;
    const qint64 stride = bmpRowStride(source.width());
    const QByteArray headers = bmpHeaders(source.width(), -source.height());
    const qint64 size = headers.size() + stride * source.height();
    if (!writeAll(fd_, reinterpret_cast<const uchar*>(headers.constData()), headers.size(), 0)
        || !writeRows(source, stride, headers.size())) {
        const int error = errno;
        close();
        return failure(QStringLiteral("cannot write"), path, error);
    }
    if (fileSize_ > size && ::ftruncate(fd_, off_t(size)) != 0)
        return failure(QStringLiteral("cannot shorten"), path, errno);
    fileSize_ = size;
    return Result::success();
}

// The rows a chunk at a time through a small kept buffer that stays in the cache,
// rather than the whole picture converted in memory first.
bool ScratchBitmap::writeRows(const QImage& source, qint64 stride, qint64 at)
{
    const BmpRowEncoder encode = bmpRowEncoder(source.format());
    const int rowsPerChunk = int(std::max<qint64>(1, kChunkBytes / stride));
    bytes_.resize(size_t(stride * std::min(rowsPerChunk, source.height())));  // keeps its memory
    for (int done = 0; done < source.height(); done += rowsPerChunk) {
        const int rows = std::min(rowsPerChunk, source.height() - done);
        for (int i = 0; i < rows; ++i)
            encode(source.constScanLine(done + i), bytes_.data() + stride * i, source.width());
        if (!writeAll(fd_, bytes_.data(), stride * rows, at + stride * done))
            return false;
    }
    return true;
}

// A kept picture of the size that only this object holds; else the least recently
// used kept picture gives way to a new one (whoever still holds it keeps their copy).
// Several are kept, as a frame may stay held for a while besides the one on show
// (the work picture of the last save, the viewer's latest picture).
QImage& ScratchBitmap::freeFrame(int width, int rows)
{
    ++uses_;
    size_t oldest = 0;
    for (size_t i = 0; i < frames_.size(); ++i) {
        Kept& kept = frames_[i];
        if (kept.image.isDetached() && kept.image.width() == width && kept.image.height() == rows) {
            kept.lastUse = uses_;
            return kept.image;
        }
        if (kept.lastUse < frames_[oldest].lastUse)
            oldest = i;
    }
    frames_[oldest].lastUse = uses_;
    frames_[oldest].image = QImage(width, rows, QImage::Format_BGR888);
    return frames_[oldest].image;
}

Result ScratchBitmap::read(const QString& path, QImage& frame)
{
    if (Result opened = open(path, false); !opened)
        return opened;
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        return failure(QStringLiteral("cannot read"), path, errno);
    std::array<uchar, 54> headers{};
    if (readAll(fd_, headers.data(), qint64(headers.size()), 0) != qint64(headers.size()))
        return Result::failure(QStringLiteral("%1 is cut short").arg(path));
    const auto layout = bmpLayout(headers.data(), st.st_size);
    if (!layout)
        return Result::failure(QStringLiteral("%1 is not an uncompressed 24-bit bitmap, or is cut short").arg(path));
    QImage& target = freeFrame(layout->width, layout->rows);
    if (target.isNull())
        return Result::failure(QStringLiteral("%1 is too large a picture").arg(path));
    const qint64 pixels = layout->stride * layout->rows;
    if (!layout->bottomUp && target.bytesPerLine() == layout->stride) {
        // Rows top-down with the picture's own padding: straight into the picture.
        if (readAll(fd_, target.bits(), pixels, layout->offset) != pixels)
            return Result::failure(QStringLiteral("%1 is cut short").arg(path));
    } else {
        bytes_.resize(size_t(pixels));
        if (readAll(fd_, bytes_.data(), pixels, layout->offset) != pixels)
            return Result::failure(QStringLiteral("%1 is cut short").arg(path));
        for (int y = 0; y < layout->rows; ++y)
            std::memcpy(target.scanLine(y), bytes_.data() + (layout->rowOffset(y) - layout->offset),
                        size_t(layout->width) * 3);
    }
    frame = target;
    return Result::success();
}

}  // namespace platform
