#include "platform/capture/BmpWriter.h"

#include <QSaveFile>
#include <QtEndian>

#include <cstring>

namespace platform::capture {

namespace {

constexpr int kFileHeader = 14;
constexpr int kInfoHeader = 40;
constexpr qint32 kPixelsPerMetre = 2835;  // 72 dpi

void put16(char*& p, quint16 v)
{
    qToLittleEndian(v, p);
    p += 2;
}

void put32(char*& p, quint32 v)
{
    qToLittleEndian(v, p);
    p += 4;
}

void writeHeaders(char* p, int width, int height, quint32 imageBytes)
{
    put16(p, 0x4D42);  // "BM"
    put32(p, kFileHeader + kInfoHeader + imageBytes);
    put32(p, 0);
    put32(p, kFileHeader + kInfoHeader);
    put32(p, kInfoHeader);
    put32(p, quint32(width));
    put32(p, quint32(height));  // positive: the bottom row comes first
    put16(p, 1);
    put16(p, 24);
    put32(p, 0);
    put32(p, imageBytes);
    put32(p, kPixelsPerMetre);
    put32(p, kPixelsPerMetre);
    put32(p, 0);
    put32(p, 0);
}

}  // namespace

QByteArray encodeBmp24(const QImage& image)
{
    // The file keeps blue, green, red in each pixel; Qt's swap of the channels is
    // much faster than a loop over the pixels.
    const QImage bgr = (image.format() == QImage::Format_RGB888 ? image : image.convertToFormat(QImage::Format_RGB888))
                           .rgbSwapped();
    const int width = bgr.width();
    const int height = bgr.height();
    const int stride = (width * 3 + 3) & ~3;
    const quint32 imageBytes = quint32(stride) * quint32(height);
    QByteArray bmp(kFileHeader + kInfoHeader + int(imageBytes), '\0');
    writeHeaders(bmp.data(), width, height, imageBytes);
    char* pixels = bmp.data() + kFileHeader + kInfoHeader;
    for (int y = 0; y < height; ++y)
        std::memcpy(pixels + std::size_t(y) * std::size_t(stride), bgr.constScanLine(height - 1 - y),
                    std::size_t(width) * 3);
    return bmp;
}

bool writeBmp24(const QImage& image, const QString& path)
{
    if (image.isNull())
        return false;
    const QByteArray bmp = encodeBmp24(image);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bmp) != bmp.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace platform::capture
