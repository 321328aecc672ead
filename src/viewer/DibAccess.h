#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

// Moves a picture's pixels to and from a byte array in one go, as a 24-bit
// bottom-up bitmap: three bytes per pixel (blue, green, red), rows from the bottom
// of the picture up, each row padded to a multiple of four bytes. An effect then
// changes every byte in memory instead of touching one pixel at a time.
//
// The object keeps no picture: every call reads the size of the picture it is
// given. Arrays are always made large enough for the whole transfer (stride x H
// bytes), so tall, narrow pictures never run past their end.
class DibAccess {
public:
    // The 3-D form: element (channel, column, row) is byte channel + 3 x column +
    // 3 x W x row of the storage, while the transfer lays rows out at the padded
    // stride. The two agree only for widths that are a multiple of four.
    struct ImageData {
        int width = 0;
        int rows = 0;  // the picture's height plus one spare row
        std::vector<uint8_t> bytes;

        uint8_t& at(int channel, int column, int row) { return bytes[index(channel, column, row)]; }
        uint8_t at(int channel, int column, int row) const { return bytes[index(channel, column, row)]; }
        size_t index(int channel, int column, int row) const
        {
            return size_t(channel) + 3 * size_t(column) + 3 * size_t(width) * size_t(row);
        }
    };

    static int GetImageWidth(const QImage& picture);
    static int GetImageHeight(const QImage& picture);
    // (H + 1) x W x 3: the stream's last index; the stream holds one byte more.
    static int64_t GetImageStreamLength(const QImage& picture);
    // Bytes of one padded row: 3 x W rounded up to a multiple of 4.
    static int64_t stride(int width);

    // Fills the stream from the picture: indexes 0 to GetImageStreamLength, or the
    // whole transfer when that is longer. A null picture gives an empty stream.
    static void GetImageDataStream(const QImage& source, std::vector<uint8_t>& stream);
    // Draws the stream into the destination at the destination's own size. Rows the
    // stream is too short for keep their pixels. False for a null destination.
    static bool SetImageDataStream(QImage& destination, const std::vector<uint8_t>& stream);

    static void GetImageData(const QImage& source, ImageData& data);
    static bool SetImageData(QImage& destination, const ImageData& data);
};
