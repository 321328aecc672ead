#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace platform {

// Writes the picture as an uncompressed 24-bit Windows bitmap, rows bottom-up and
// padded to four bytes. The file appears complete or not at all; an existing file
// is replaced. Any alpha channel is dropped. On failure `error` (when given) says why.
bool writeBmp24(const QImage& image, const QString& path, QString* error = nullptr);

// Turns one row of a picture into the blue-green-red bytes of a bitmap row.
using BmpRowEncoder = void (*)(const uchar* source, uchar* row, int width);
// The encoder for rows of this format, or null when the picture must be converted first.
BmpRowEncoder bmpRowEncoder(QImage::Format format);

// Where the rows of a 24-bit bitmap lie, read from its 54 bytes of headers.
struct BmpLayout {
    int width = 0;
    int rows = 0;
    bool bottomUp = true;
    quint32 offset = 0;  // of the first row in the file
    qint64 stride = 0;   // bytes per row, padded to four

    // Where picture row y (0 at the top) starts in the file.
    qint64 rowOffset(int y) const { return offset + stride * (bottomUp ? rows - 1 - y : y); }
};
// The layout of an uncompressed 24-bit bitmap whose pixels fit in fileSize bytes;
// nothing for any other file.
std::optional<BmpLayout> bmpLayout(const uchar* headers, qint64 fileSize);
// The headers of a 24-bit bitmap (a negative height: the top row first).
QByteArray bmpHeaders(int width, int height);
qint64 bmpRowStride(int width);

// Reads an uncompressed 24-bit bitmap (bottom-up or top-down). A null image on
// failure, with the reason in `error`.
QImage readBmp24(const QString& path, QString* error = nullptr);

}  // namespace platform
