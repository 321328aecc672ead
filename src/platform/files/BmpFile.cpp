#include "platform/files/BmpFile.h"

#include "platform/files/FilesLog.h"
#include "platform/files/SaveFile.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

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

void putHeaders(QByteArray& buf, int width, int height, quint32 pixelBytes)
{
    buf[0] = 'B';
    buf[1] = 'M';
    put<quint32>(buf, 2, kHeadersSize + pixelBytes);
    put<quint32>(buf, 10, kHeadersSize);
    put<quint32>(buf, 14, kInfoHeaderSize);
    put<qint32>(buf, 18, width);
    put<qint32>(buf, 22, height);  // positive: the bottom row comes first; negative: top-down
    put<quint16>(buf, 26, 1);
    put<quint16>(buf, 28, 24);
    put<quint32>(buf, 34, pixelBytes);
}

// Bytes of the file handed to the writer at a time.
constexpr qint64 kChunkBytes = 256 * 1024;

QImage pixelsFrom(const QByteArray& data, const BmpLayout& layout)
{
    QImage image(layout.width, layout.rows, QImage::Format_BGR888);
    if (image.isNull())
        return {};
    for (int y = 0; y < layout.rows; ++y)
        std::memcpy(image.scanLine(y), data.constData() + layout.rowOffset(y), qsizetype(layout.width) * 3);
    return image;
}

// The rows bottom-up, a chunk of rows at a time, each converted into the chunk.
bool writeRows(QIODevice& file, const QImage& source, BmpRowEncoder encode)
{
    const qint64 stride = rowStride(source.width());
    const int rowsPerChunk = int(std::max<qint64>(1, kChunkBytes / stride));
    std::vector<uchar> chunk(size_t(stride) * size_t(std::min(rowsPerChunk, source.height())), 0);
    for (int done = 0; done < source.height(); done += rowsPerChunk) {
        const int rows = std::min(rowsPerChunk, source.height() - done);
        for (int i = 0; i < rows; ++i)
            encode(source.constScanLine(source.height() - 1 - (done + i)), chunk.data() + stride * i,
                   source.width());
        const qint64 bytes = stride * rows;
        if (file.write(reinterpret_cast<const char*>(chunk.data()), bytes) != bytes)
            return false;
    }
    return true;
}

void bmpRowFromBgr888(const uchar* src, uchar* dst, int width)
{
    std::memcpy(dst, src, size_t(width) * 3);
}

quint32 load32(const uchar* at)
{
    quint32 word;
    std::memcpy(&word, at, sizeof word);
    return qFromLittleEndian(word);
}

void store32(uchar* at, quint32 word)
{
    word = qToLittleEndian(word);
    std::memcpy(at, &word, sizeof word);
}

// Red and blue change places. Four pixels (three words) at a time, as byte by byte
// this is the slowest part of writing a frame.
void swapRedBlueWords(const uchar* src, uchar* dst, int width)
{
    int x = 0;
    for (; x + 4 <= width; x += 4, src += 12, dst += 12) {
        const quint32 a = load32(src);      // R0 G0 B0 R1
        const quint32 b = load32(src + 4);  // G1 B1 R2 G2
        const quint32 c = load32(src + 8);  // B2 R3 G3 B3
        store32(dst, ((a >> 16) & 0xff) | (a & 0xff00) | ((a & 0xff) << 16) | (((b >> 8) & 0xff) << 24));
        store32(dst + 4, (b & 0xff) | (((a >> 24) & 0xff) << 8) | ((c & 0xff) << 16) | (b & 0xff000000));
        store32(dst + 8, ((b >> 16) & 0xff) | (((c >> 24) & 0xff) << 8) | (c & 0xff0000) | (((c >> 8) & 0xff) << 24));
    }
    for (; x < width; ++x, src += 3, dst += 3) {
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = src[0];
    }
}

#if defined(__x86_64__) || defined(__i386__)
// Five pixels per byte shuffle: as fast as a plain copy, where the words above take
// five times as long on a 1920x1080 frame.
__attribute__((target("ssse3"))) void swapRedBlueSsse3(const uchar* src, uchar* dst, int width)
{
    const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
    int x = 0;
    // Each step reads and writes 16 bytes for 15: one more pixel must follow.
    for (; x + 6 <= width; x += 5, src += 15, dst += 15) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_shuffle_epi8(pixels, order));
    }
    swapRedBlueWords(src, dst, width - x);
}
#endif

void bmpRowFromRgb888(const uchar* src, uchar* dst, int width)
{
#if defined(__x86_64__) || defined(__i386__)
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (ssse3) {
        swapRedBlueSsse3(src, dst, width);
        return;
    }
#endif
    swapRedBlueWords(src, dst, width);
}

void dropAlphaPixels(const uchar* src, uchar* dst, int width)
{
    const auto* pixels = reinterpret_cast<const QRgb*>(src);
    for (int x = 0; x < width; ++x, dst += 3) {
        const QRgb p = pixels[x];
        dst[0] = uchar(qBlue(p));
        dst[1] = uchar(qGreen(p));
        dst[2] = uchar(qRed(p));
    }
}

#if defined(__x86_64__) || defined(__i386__)
// Four pixels per byte shuffle (the bytes of a 32-bit pixel lie blue, green, red,
// alpha in memory on this processor).
__attribute__((target("ssse3"))) void dropAlphaSsse3(const uchar* src, uchar* dst, int width)
{
    const __m128i order = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int x = 0;
    // Each step writes 16 bytes for 12: two more pixels must follow.
    for (; x + 6 <= width; x += 4, src += 16, dst += 12) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_shuffle_epi8(pixels, order));
    }
    dropAlphaPixels(src, dst, width - x);
}
#endif

void bmpRowFromXrgb32(const uchar* src, uchar* dst, int width)
{
#if defined(__x86_64__) || defined(__i386__)
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (ssse3) {
        dropAlphaSsse3(src, dst, width);
        return;
    }
#endif
    dropAlphaPixels(src, dst, width);
}

}  // namespace

BmpRowEncoder bmpRowEncoder(QImage::Format format)
{
    switch (format) {
    case QImage::Format_BGR888:
        return bmpRowFromBgr888;
    case QImage::Format_RGB888:
        return bmpRowFromRgb888;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:  // the alpha channel is dropped
        return bmpRowFromXrgb32;
    default:
        return nullptr;
    }
}

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
    // Formats whose rows convert on their own are written from the picture itself;
    // only the others need a converted copy first.
    const QImage source = bmpRowEncoder(image.format()) ? image : image.convertToFormat(QImage::Format_BGR888);
    const BmpRowEncoder encode = bmpRowEncoder(source.format());
    const QByteArray headers = bmpHeaders(source.width(), source.height());
    const Result written = platform::writeFileSafely(path, [&](QIODevice& file) {
        return file.write(headers) == headers.size() && writeRows(file, source, encode);
    });
    if (!written && error)
        *error = written.reason;  // logged by the safe writer
    return written.ok;
}

std::optional<BmpLayout> bmpLayout(const uchar* headers, qint64 fileSize)
{
    if (fileSize < kHeadersSize || headers[0] != 'B' || headers[1] != 'M' ||
        qFromLittleEndian<quint16>(headers + 28) != 24 || qFromLittleEndian<quint32>(headers + 30) != 0)
        return std::nullopt;
    const qint32 width = qFromLittleEndian<qint32>(headers + 18);
    const qint32 height = qFromLittleEndian<qint32>(headers + 22);
    if (width <= 0 || height == 0 || height == std::numeric_limits<qint32>::min())
        return std::nullopt;
    BmpLayout layout;
    layout.width = width;
    layout.rows = height > 0 ? height : -height;
    layout.bottomUp = height > 0;
    layout.offset = qFromLittleEndian<quint32>(headers + 10);
    layout.stride = rowStride(width);
    // Checked by division, as a hostile header (width and height near 2^31) would
    // overflow offset + stride * rows.
    if (layout.offset > fileSize || (fileSize - qint64(layout.offset)) / layout.stride < layout.rows)
        return std::nullopt;
    return layout;
}

QByteArray bmpHeaders(int width, int height)
{
    QByteArray headers(kHeadersSize, '\0');
    putHeaders(headers, width, height, quint32(rowStride(width) * std::abs(qint64(height))));
    return headers;
}

qint64 bmpRowStride(int width)
{
    return rowStride(width);
}

QImage readBmp24(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
        return {};
    }
    const QByteArray data = file.readAll();
    const auto layout = data.size() >= kHeadersSize
                            ? bmpLayout(reinterpret_cast<const uchar*>(data.constData()), data.size())
                            : std::nullopt;
    const QImage image = layout ? pixelsFrom(data, *layout) : QImage();
    if (image.isNull())
        setError(error, QStringLiteral("%1 is not an uncompressed 24-bit bitmap, or is cut short or malformed").arg(path));
    return image;
}

}  // namespace platform
