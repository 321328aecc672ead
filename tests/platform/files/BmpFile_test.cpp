#include "platform/files/BmpFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

QImage pattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 40 % 256, y * 70 % 256, (x + y) * 25 % 256));
    return image;
}

quint32 u32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
qint32 s32(const QByteArray& b, int at) { return qFromLittleEndian<qint32>(b.constData() + at); }

}  // namespace

// Odd widths need row padding, where a wrong stride shears the picture.
TEST(BmpFile, RoundTripsPixelsForEveryRowPadding)
{
    QTemporaryDir dir;
    for (const QSize size : {QSize(1, 1), QSize(2, 3), QSize(3, 2), QSize(4, 4), QSize(5, 3)}) {
        const QImage original = pattern(size.width(), size.height());
        const QString path = dir.filePath("p.bmp");
        QString error;
        ASSERT_TRUE(platform::writeBmp24(original, path, &error)) << error.toStdString();
        const QImage back = platform::readBmp24(path, &error);
        ASSERT_FALSE(back.isNull()) << error.toStdString();
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), original) << size.width() << "x" << size.height();
    }
}

TEST(BmpFile, WritesABottomUp24BitHeader)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("h.bmp");
    QImage image = pattern(3, 2);
    image.setPixel(0, 1, qRgb(1, 2, 3));  // bottom left: the first pixel in the file
    ASSERT_TRUE(platform::writeBmp24(image, path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray b = file.readAll();
    const int stride = 12;  // 3 pixels * 3 bytes, padded to 12
    EXPECT_TRUE(b.startsWith("BM"));
    EXPECT_EQ(u32(b, 2), quint32(b.size()));
    EXPECT_EQ(b.size(), 54 + 2 * stride);
    EXPECT_EQ(u32(b, 10), 54u);
    EXPECT_EQ(u32(b, 14), 40u);
    EXPECT_EQ(s32(b, 18), 3);
    EXPECT_EQ(s32(b, 22), 2);
    EXPECT_EQ(qFromLittleEndian<quint16>(b.constData() + 28), 24);
    EXPECT_EQ(u32(b, 30), 0u);
    EXPECT_EQ(b.mid(54, 3), QByteArray("\x03\x02\x01", 3));
}

TEST(BmpFile, DropsAlphaAndReplacesAnExistingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.bmp");
    ASSERT_TRUE(platform::writeBmp24(pattern(8, 8), path));
    QImage translucent(2, 2, QImage::Format_ARGB32);
    translucent.fill(qRgba(10, 20, 30, 255));
    translucent.setPixel(1, 1, qRgba(200, 100, 50, 255));
    ASSERT_TRUE(platform::writeBmp24(translucent, path));
    const QImage back = platform::readBmp24(path);
    ASSERT_EQ(back.size(), QSize(2, 2));
    EXPECT_EQ(back.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(back.pixel(1, 1), qRgb(200, 100, 50));
}

TEST(BmpFile, ReportsWhyAWriteFails)
{
    QTemporaryDir dir;
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    QString error;
    EXPECT_FALSE(platform::writeBmp24(pattern(4, 4), dir.filePath("plain/sub/x.bmp"), &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(platform::writeBmp24(QImage(), dir.filePath("x.bmp"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("x.bmp")));
}

TEST(BmpFile, ReaderRejectsCutAndForeignFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("c.bmp");
    ASSERT_TRUE(platform::writeBmp24(pattern(6, 6), path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.resize(file.size() - 10);
    file.close();
    QString error;
    EXPECT_TRUE(platform::readBmp24(path, &error).isNull());
    EXPECT_FALSE(error.isEmpty());

    pattern(6, 6).save(dir.filePath("p.png"));
    EXPECT_TRUE(platform::readBmp24(dir.filePath("p.png")).isNull());
    EXPECT_TRUE(platform::readBmp24(dir.filePath("missing.bmp")).isNull());
}

// A header whose sizes multiply past 64 bits (width and height 0x7fffffff, found by
// fuzzing) is refused; the arithmetic itself is trapped on overflow in this program.
TEST(BmpFile, ReaderRefusesSizesThatOverflowTheirProduct)
{
    QTemporaryDir dir;
    struct Sizes {
        qint32 width;
        qint32 height;
    };
    for (const Sizes sizes : {Sizes{0x7fffffff, 0x7fffffff}, Sizes{0x7fffffff, -0x7fffffff},
                              Sizes{0x40000000, 0x7fffffff}}) {
        QByteArray header(54 + 16, '\0');
        header[0] = 'B';
        header[1] = 'M';
        qToLittleEndian<quint32>(54, header.data() + 10);
        qToLittleEndian<quint32>(40, header.data() + 14);
        qToLittleEndian<qint32>(sizes.width, header.data() + 18);
        qToLittleEndian<qint32>(sizes.height, header.data() + 22);
        qToLittleEndian<quint16>(1, header.data() + 26);
        qToLittleEndian<quint16>(24, header.data() + 28);
        const QString path = dir.filePath("huge.bmp");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(header);
        file.close();
        QString error;
        EXPECT_TRUE(platform::readBmp24(path, &error).isNull());
        EXPECT_FALSE(error.isEmpty());
    }
}

// Rows of each format the writer takes without a converted copy, at every width up
// to a few steps of its widest pixel group, so each tail of a row is covered.
TEST(BmpFile, RowsOfEveryDirectFormatAndWidthReadBackEqual)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("w.bmp");
    for (const QImage::Format format :
         {QImage::Format_RGB888, QImage::Format_BGR888, QImage::Format_RGB32, QImage::Format_ARGB32}) {
        for (int width = 1; width <= 23; ++width) {
            SCOPED_TRACE(testing::Message() << "format " << format << " width " << width);
            const QImage original = pattern(width, 3).convertToFormat(format);
            ASSERT_TRUE(platform::writeBmp24(original, path));
            EXPECT_EQ(platform::readBmp24(path).convertToFormat(QImage::Format_RGB32),
                      original.convertToFormat(QImage::Format_RGB32));
        }
    }
}
