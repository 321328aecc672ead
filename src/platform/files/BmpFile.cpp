#include "platform/files/BmpFile.h"

#include "platform/files/FilesLog.h"
#include "platform/files/SaveFile.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <cstring>
#include <limits>

namespace platform {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kHeadersSize = kFileHeaderSize + kInfoHeaderSize;

qint64 rowStride(qint64 width) { return (width * 3 + 3) / 4 * 4; }

// Every failure here is logged once, where it is found.
void setError(QString* error, const QString& text)
{
    qCWarning(lcFiles).noquote() << text;
    if (error)
        *error = text;
}

template <typename T>
void put(QByteArray& buf, qsizetype at, T value)
{
    qToLittleEndian(value, buf.data() + at);
}

template <typename T>
T get(const QByteArray& buf, qsizetype at)
{
    return qFromLittleEndian<T>(buf.constData() + at);
}

void putHeaders(QByteArray& buf, int width, int height, quint32 pixelBytes)
{
    buf[0] = 'B';
    buf[1] = 'M';
    put<quint32>(buf, 2, kHeadersSize + pixelBytes);
    put<quint32>(buf, 10, kHeadersSize);
    put<quint32>(buf, 14, kInfoHeaderSize);
    put<qint32>(buf, 18, width);
    put<qint32>(buf, 22, height);  // positive: the bottom row comes first
    put<quint16>(buf, 26, 1);
    put<quint16>(buf, 28, 24);
    put<quint32>(buf, 34, pixelBytes);
}

// BGR888 rows are already in the byte order of the file.
void putPixels(QByteArray& buf, const QImage& bgr)
{
    const qint64 stride = rowStride(bgr.width());
    const qsizetype rowBytes = qsizetype(bgr.width()) * 3;
    for (int y = 0; y < bgr.height(); ++y) {
        char* dst = buf.data() + kHeadersSize + stride * (bgr.height() - 1 - y);
        std::memcpy(dst, bgr.constScanLine(y), rowBytes);
    }
}


QImage pixelsFrom(const QByteArray& data, int width, int height, quint32 offset)
{
    const bool bottomUp = height > 0;
    const int rows = bottomUp ? height : -height;
    const qint64 stride = rowStride(width);
    if (qint64(offset) + stride * rows > data.size())
        return {};
    QImage image(width, rows, QImage::Format_BGR888);
    if (image.isNull())
        return {};
    for (int y = 0; y < rows; ++y) {
        const int fileRow = bottomUp ? rows - 1 - y : y;
        std::memcpy(image.scanLine(y), data.constData() + offset + stride * fileRow,
                    qsizetype(width) * 3);
    }
    return image;
}

}  // namespace

bool writeBmp24(const QImage& image, const QString& path, QString* error)
{
    if (image.isNull()) {
        setError(error, QStringLiteral("there is no picture to write"));
        return false;
    }
    const qint64 pixelBytes = rowStride(image.width()) * image.height();
    if (kHeadersSize + pixelBytes > std::numeric_limits<quint32>::max()) {
        setError(error, QStringLiteral("the picture is too large for a bitmap file"));
        return false;
    }
    QByteArray bytes(kHeadersSize + pixelBytes, '\0');
    putHeaders(bytes, image.width(), image.height(), quint32(pixelBytes));
    putPixels(bytes, image.convertToFormat(QImage::Format_BGR888));
    const Result written = platform::writeFileSafely(path, bytes);
    if (!written && error)
        *error = written.reason;  // logged by the safe writer
    return written.ok;
}

QImage readBmp24(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
        return {};
    }
    const QByteArray data = file.readAll();
    if (data.size() < kHeadersSize || !data.startsWith("BM") ||
        get<quint16>(data, 28) != 24 || get<quint32>(data, 30) != 0) {
        setError(error, QStringLiteral("%1 is not an uncompressed 24-bit bitmap").arg(path));
        return {};
    }
    const qint32 width = get<qint32>(data, 18);
    const qint32 height = get<qint32>(data, 22);
    const bool sane = width > 0 && height != 0 && height != std::numeric_limits<qint32>::min();
    QImage image = sane
                       ? pixelsFrom(data, width, height, get<quint32>(data, 10))
                       : QImage();
    if (image.isNull())
        setError(error, QStringLiteral("%1 is cut short or malformed").arg(path));
    return image;
}

}  // namespace platform
