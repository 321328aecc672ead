#include "viewer/DibAccess.h"

#include <algorithm>
#include <cstring>

namespace {

QImage asRgb32(const QImage& picture)
{
    if (picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32)
        return picture;
    return picture.convertToFormat(QImage::Format_RGB32);
}

// Transfer size of a picture: stride x H bytes, the amount the platform moves.
size_t transferBytes(const QImage& picture)
{
    return size_t(DibAccess::stride(picture.width())) * size_t(picture.height());
}

void readRows(const QImage& source, uint8_t* out)
{
    const QImage rgb = asRgb32(source);
    const int w = rgb.width();
    const int h = rgb.height();
    const size_t stride = size_t(DibAccess::stride(w));
    for (int row = 0; row < h; ++row) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(h - 1 - row));
        uint8_t* dst = out + stride * size_t(row);
        for (int x = 0; x < w; ++x) {
            dst[3 * x] = uint8_t(qBlue(in[x]));
            dst[3 * x + 1] = uint8_t(qGreen(in[x]));
            dst[3 * x + 2] = uint8_t(qRed(in[x]));
        }
        std::memset(dst + 3 * size_t(w), 0, stride - 3 * size_t(w));
    }
}

// Draws as many whole pixels as `size` bytes hold, bottom row first.
bool writeRows(QImage& destination, const uint8_t* in, size_t size)
{
    if (destination.isNull())
        return false;
    if (destination.format() != QImage::Format_RGB32 && destination.format() != QImage::Format_ARGB32)
        destination = destination.convertToFormat(QImage::Format_RGB32);
    const int w = destination.width();
    const int h = destination.height();
    const size_t stride = size_t(DibAccess::stride(w));
    for (int row = 0; row < h; ++row) {
        const size_t start = stride * size_t(row);
        if (start >= size)
            break;
        const int pixels = int(std::min<size_t>(size_t(w), (size - start) / 3));
        auto* out = reinterpret_cast<QRgb*>(destination.scanLine(h - 1 - row));
        const uint8_t* src = in + start;
        for (int x = 0; x < pixels; ++x)
            out[x] = (out[x] & 0xFF000000u) | (qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]) & 0x00FFFFFFu);
    }
    return true;
}

}  // namespace

int DibAccess::GetImageWidth(const QImage& picture) { return picture.width(); }

int DibAccess::GetImageHeight(const QImage& picture) { return picture.height(); }

int64_t DibAccess::GetImageStreamLength(const QImage& picture)
{
    return (int64_t(picture.height()) + 1) * picture.width() * 3;
}

int64_t DibAccess::stride(int width) { return ((24 * int64_t(width) + 31) / 32) * 4; }

void DibAccess::GetImageDataStream(const QImage& source, std::vector<uint8_t>& stream)
{
    stream.clear();
    if (source.isNull())
        return;
    const size_t length = size_t(GetImageStreamLength(source)) + 1;
    stream.assign(std::max(length, transferBytes(source)), 0);
    readRows(source, stream.data());
}

bool DibAccess::SetImageDataStream(QImage& destination, const std::vector<uint8_t>& stream)
{
    return writeRows(destination, stream.data(), stream.size());
}

void DibAccess::GetImageData(const QImage& source, ImageData& data)
{
    data = ImageData{};
    if (source.isNull())
        return;
    data.width = source.width();
    data.rows = source.height() + 1;
    const size_t length = 3 * size_t(data.width) * size_t(data.rows);
    data.bytes.assign(std::max(length, transferBytes(source)), 0);
    readRows(source, data.bytes.data());
}

bool DibAccess::SetImageData(QImage& destination, const ImageData& data)
{
    return writeRows(destination, data.bytes.data(), data.bytes.size());
}
