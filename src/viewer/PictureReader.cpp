#include "viewer/PictureReader.h"

#include "viewer/ViewerLog.h"

#include <QImageReader>

#include <algorithm>
#include <limits>
#include <unistd.h>

namespace {

constexpr qint64 kMb = 1024 * 1024;
constexpr qint64 kMinimumLimit = 256 * kMb;

qint64 physicalMemory()
{
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    return pages > 0 && pageSize > 0 ? qint64(pages) * pageSize : 0;
}

}  // namespace

qint64 pictureByteLimit(qint64 physicalMemoryBytes)
{
    return std::max(kMinimumLimit, physicalMemoryBytes / 4);
}

bool pictureFits(const QSize& size, qint64 byteLimit)
{
    return size.isValid() && qint64(size.width()) * size.height() * 4 <= byteLimit;
}

PictureRead readPicture(const QString& path)
{
    static const qint64 limit = pictureByteLimit(physicalMemory());
    return readPicture(path, limit);
}

PictureRead readPicture(const QString& path, qint64 byteLimit)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && !pictureFits(size, byteLimit)) {
        const QString reason = QStringLiteral("%1 x %2 pixels is more than this computer can hold")
                                   .arg(size.width()).arg(size.height());
        qCWarning(lcViewer) << "cannot read" << path << ":" << reason;
        return {QImage(), reason};
    }
    // Qt's reader refuses pictures above its allocation limit (128 MB by default);
    // the limit is raised to this picture's need, within the machine's limit.
    const int neededMb = int(std::min<qint64>(byteLimit / kMb + 1, std::numeric_limits<int>::max()));
    if (QImageReader::allocationLimit() != 0 && QImageReader::allocationLimit() < neededMb)
        QImageReader::setAllocationLimit(neededMb);
    QImage picture = reader.read();
    if (picture.isNull()) {
        const QString reason = reader.errorString();
        qCWarning(lcViewer) << "cannot read" << path << ":" << reason;
        return {QImage(), reason};
    }
    return {picture, QString()};
}

QString unreadablePictureText(const QString& reason)
{
    return QStringLiteral("Cannot show this picture: ") + reason;
}
