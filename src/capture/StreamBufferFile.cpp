#include "capture/StreamBufferFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace {

constexpr qint64 kHeadersSize = 54;
constexpr quint32 kInfoHeaderSize = 40;
constexpr quint16 kBitsPerPixel = 24;

template <typename T>
T at(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

// Nothing there (the pump makes it), or a bitmap the pump wrote before.
bool usable(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    return isBufferBitmap(path);
}

}  // namespace

bool isBufferBitmap(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile() || info.size() < kHeadersSize)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(kHeadersSize);
    return head.size() == kHeadersSize && head.startsWith("BM") && at<quint32>(head, 2) == info.size()
           && at<quint32>(head, 14) == kInfoHeaderSize && at<quint16>(head, 28) == kBitsPerPixel
           && at<quint32>(head, 30) == 0;
}

BufferFileChoice chooseBufferFile(const QString& setting, const QString& appPath)
{
    const QString fallback = appPath + "/" + kDefaultBufferFileName;
    if (setting.isEmpty())
        return {usable(fallback) ? fallback : QString(), {}, {}};
    if (usable(setting))
        return {setting, {}, {}};
    const QString passedOver =
        QStringLiteral("the stream buffer file %1 exists and is not a buffer bitmap of this program").arg(setting);
    if (setting != fallback && usable(fallback))
        return {fallback, passedOver + QStringLiteral("; using %1 instead").arg(fallback),
                QStringLiteral("Stream buffer: using %1").arg(kDefaultBufferFileName)};
    return {QString(), passedOver + QStringLiteral("; no buffer file is used"), {}};
}

const BufferFileChoice& StreamBufferFiles::choose(const QString& setting, const QString& appPath, bool& isNew)
{
    isNew = !chosen_ || setting != setting_ || appPath != appPath_;
    if (isNew) {
        chosen_ = true;
        setting_ = setting;
        appPath_ = appPath;
        choice_ = chooseBufferFile(setting, appPath);
    }
    return choice_;
}

void StreamBufferFiles::markWritten(const QString& path)
{
    if (!written_.contains(path))
        written_.append(path);
}

void StreamBufferFiles::removeWritten()
{
    for (const QString& path : written_)
        if (isBufferBitmap(path))
            QFile::remove(path);
    written_.clear();
}
