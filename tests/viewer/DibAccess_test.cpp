#include "viewer/DibAccess.h"

#include "PictureFixtures.h"

#include <gtest/gtest.h>

namespace {

TEST(DibAccess, StreamOfTwoByTwoIsBottomUpBgrWithPaddedRows)
{
    const QImage picture = pictureOf({
        {qRgb(1, 2, 3), qRgb(4, 5, 6)},
        {qRgb(7, 8, 9), qRgb(10, 11, 12)},
    });
    std::vector<uint8_t> stream;
    DibAccess::GetImageDataStream(picture, stream);
    // Rows of 6 bytes padded to 8; indexes 0 to (2 + 1) x 2 x 3 = 18.
    const std::vector<uint8_t> expected = {
        9, 8, 7, 12, 11, 10, 0, 0,  // bottom row first
        3, 2, 1, 6, 5, 4, 0, 0,     // top row
        0, 0, 0,                    // the spare bytes up to index 18
    };
    EXPECT_EQ(stream, expected);
}

TEST(DibAccess, LengthsAndStrides)
{
    struct Case {
        int w, h;
        int64_t length, stride;
    };
    const Case cases[] = {
        {640, 480, 923'520, 1920},
        {641, 480, 481 * 641 * 3, 1924},
        {5, 20, 21 * 15, 16},
        {1, 1, 6, 4},
        {2, 2, 18, 8},
    };
    for (const Case& c : cases) {
        const QImage picture(c.w, c.h, QImage::Format_RGB32);
        EXPECT_EQ(DibAccess::GetImageStreamLength(picture), c.length) << c.w << "x" << c.h;
        EXPECT_EQ(DibAccess::stride(c.w), c.stride) << c.w;
        EXPECT_EQ(DibAccess::GetImageWidth(picture), c.w);
        EXPECT_EQ(DibAccess::GetImageHeight(picture), c.h);
    }
}

// Tall, narrow pictures move more bytes (stride x H) than the stream's n + 1; the
// buffer must hold the whole transfer. Run under AddressSanitizer as well.
TEST(DibAccess, StreamRoundTripGivesBackThePicture)
{
    const QSize sizes[] = {{641, 480}, {5, 20}, {1, 7}, {2, 2}, {640, 480}, {3, 200}};
    for (const QSize& size : sizes) {
        const QImage picture = patternPicture(size.width(), size.height());
        std::vector<uint8_t> stream;
        DibAccess::GetImageDataStream(picture, stream);
        EXPECT_GE(stream.size(), size_t(DibAccess::stride(size.width()) * size.height()));
        EXPECT_GE(stream.size(), size_t(DibAccess::GetImageStreamLength(picture) + 1));
        QImage copy(size, QImage::Format_RGB32);
        copy.fill(Qt::black);
        ASSERT_TRUE(DibAccess::SetImageDataStream(copy, stream));
        EXPECT_EQ(pixelsOf(copy), pixelsOf(picture)) << size.width() << "x" << size.height();
    }
}

TEST(DibAccess, DestinationLargerThanStreamDrawsOnlyWhatTheStreamHolds)
{
    const QImage small = pictureOf({
        {qRgb(1, 2, 3), qRgb(4, 5, 6)},
        {qRgb(7, 8, 9), qRgb(10, 11, 12)},
    });
    std::vector<uint8_t> stream;
    DibAccess::GetImageDataStream(small, stream);  // 19 bytes
    QImage big = uniformPicture(4, 4, qRgb(50, 50, 50));
    ASSERT_TRUE(DibAccess::SetImageDataStream(big, stream));
    // Rows of a 4-wide picture are 12 bytes: the bottom row takes bytes 0..11, the
    // next one the 7 bytes left (two whole pixels); the upper rows keep their pixels.
    EXPECT_EQ(big.pixel(0, 3) & 0xFFFFFF, qRgb(7, 8, 9) & 0xFFFFFF);
    EXPECT_EQ(big.pixel(1, 3) & 0xFFFFFF, qRgb(10, 11, 12) & 0xFFFFFF);
    EXPECT_EQ(big.pixel(2, 3) & 0xFFFFFF, qRgb(3, 0, 0) & 0xFFFFFF);  // bytes 0, 0, 3
    EXPECT_EQ(big.pixel(3, 3) & 0xFFFFFF, qRgb(6, 1, 2) & 0xFFFFFF);  // bytes 2, 1, 6
    EXPECT_EQ(big.pixel(0, 2) & 0xFFFFFF, qRgb(0, 4, 5) & 0xFFFFFF);  // bytes 5, 4, 0
    EXPECT_EQ(big.pixel(1, 2) & 0xFFFFFF, qRgb(0, 0, 0) & 0xFFFFFF);  // the spare bytes
    EXPECT_EQ(big.pixel(2, 2) & 0xFFFFFF, qRgb(50, 50, 50) & 0xFFFFFF);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(big.pixel(x, 1) & 0xFFFFFF, qRgb(50, 50, 50) & 0xFFFFFF);
        EXPECT_EQ(big.pixel(x, 0) & 0xFFFFFF, qRgb(50, 50, 50) & 0xFFFFFF);
    }
}

TEST(DibAccess, NullPicturesMoveNothing)
{
    std::vector<uint8_t> stream = {1, 2, 3};
    DibAccess::GetImageDataStream(QImage(), stream);
    EXPECT_TRUE(stream.empty());
    QImage none;
    EXPECT_FALSE(DibAccess::SetImageDataStream(none, {1, 2, 3}));
}

TEST(DibAccess, ThreeDimensionalFormIndexesAsItsStorageSays)
{
    // Width a multiple of 4: every row lies where the indexes say.
    const QImage even = patternPicture(640, 480);
    DibAccess::ImageData data;
    DibAccess::GetImageData(even, data);
    EXPECT_EQ(data.bytes.size(), size_t(3 * 640 * 481));
    for (int row : {0, 1, 240, 479}) {
        const QRgb pixel = even.pixel(17, 479 - row);
        EXPECT_EQ(data.at(0, 17, row), qBlue(pixel));
        EXPECT_EQ(data.at(1, 17, row), qGreen(pixel));
        EXPECT_EQ(data.at(2, 17, row), qRed(pixel));
    }
    // 641 wide: row r of the transfer starts r bytes past where the indexes put it.
    const QImage odd = patternPicture(641, 480);
    DibAccess::GetImageData(odd, data);
    for (int row : {1, 2, 100}) {
        const QRgb pixel = odd.pixel(3, 479 - row);
        EXPECT_EQ(data.bytes[data.index(0, 3, row) + size_t(row)], qBlue(pixel));
        EXPECT_EQ(data.bytes[data.index(2, 3, row) + size_t(row)], qRed(pixel));
    }
    QImage back(641, 480, QImage::Format_RGB32);
    ASSERT_TRUE(DibAccess::SetImageData(back, data));
    EXPECT_EQ(pixelsOf(back), pixelsOf(odd));
}

TEST(DibAccess, ThreeDimensionalFormOfTallNarrowPictureHoldsTheTransfer)
{
    const QImage tall = patternPicture(5, 20);
    DibAccess::ImageData data;
    DibAccess::GetImageData(tall, data);
    EXPECT_GE(data.bytes.size(), size_t(16 * 20));
    QImage back(5, 20, QImage::Format_RGB32);
    ASSERT_TRUE(DibAccess::SetImageData(back, data));
    EXPECT_EQ(pixelsOf(back), pixelsOf(tall));
}

}  // namespace
