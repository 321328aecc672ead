#include "platform/files/BmpFile.h"
#include "platform/files/ScratchBitmap.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QImage rgbPattern(int width, int height, int seed = 0)
{
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 40 + seed) % 256, (y * 70 + seed) % 256, (x + y) * 25 % 256));
    return image;
}

ino_t inodeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

QImage asRgb32(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

// The buffer file is rewritten in place on every tick: the same file, no temporary
// beside it, and a smaller picture leaves no stale tail.
TEST(ScratchBitmap, RewritesTheSameFileInPlace)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cap$$$.tmp");
    platform::ScratchBitmap writer;
    platform::ScratchBitmap reader;
    ASSERT_TRUE(writer.write(rgbPattern(7, 5), path));
    const ino_t first = inodeOf(path);
    QImage frame;
    for (int seed = 1; seed < 4; ++seed) {
        const QImage picture = rgbPattern(7, 5, seed);
        ASSERT_TRUE(writer.write(picture, path));
        EXPECT_EQ(inodeOf(path), first);
        ASSERT_TRUE(reader.read(path, frame));
        EXPECT_EQ(asRgb32(frame), asRgb32(picture));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"cap$$$.tmp"});

    const QImage small = rgbPattern(3, 2);
    ASSERT_TRUE(writer.write(small, path));
    EXPECT_EQ(QFile(path).size(), 54 + 2 * 12);
    ASSERT_TRUE(reader.read(path, frame));
    EXPECT_EQ(asRgb32(frame), asRgb32(small));
    // Any bitmap reader reads it: the top row comes first, as a negative height says.
    EXPECT_EQ(asRgb32(platform::readBmp24(path)), asRgb32(small));
    EXPECT_EQ(asRgb32(QImage(path, "BMP")), asRgb32(small));

    // A bitmap with the bottom row first, put in the file's place by another writer.
    const QImage other = rgbPattern(5, 4, 9);
    ASSERT_TRUE(platform::writeBmp24(other, path));
    ASSERT_TRUE(reader.read(path, frame));
    EXPECT_EQ(asRgb32(frame), asRgb32(other));
}

// A frame that no one shows any more lends its memory to the next one; a frame that
// is still held (shown, or taken for a save) is never written over.
TEST(ScratchBitmap, ReusesTheMemoryOfFramesNoOneHolds)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("buffer.bmp");
    platform::ScratchBitmap writer;
    platform::ScratchBitmap reader;
    QImage shown;
    const uchar* memory[4] = {};
    for (int tick = 0; tick < 4; ++tick) {
        ASSERT_TRUE(writer.write(rgbPattern(16, 9, tick), path));
        QImage frame;
        ASSERT_TRUE(reader.read(path, frame));
        memory[tick] = frame.constBits();
        shown = frame;  // the preview drops the frame before
    }
    EXPECT_EQ(memory[2], memory[0]);
    EXPECT_EQ(memory[3], memory[1]);

    const QImage kept = shown;
    const QImage keptCopy = kept.copy();
    QImage held;
    for (int tick = 0; tick < 3; ++tick) {
        ASSERT_TRUE(writer.write(rgbPattern(16, 9, 50 + tick), path));
        ASSERT_TRUE(reader.read(path, held));
    }
    EXPECT_EQ(kept, keptCopy);
    EXPECT_EQ(asRgb32(held), asRgb32(rgbPattern(16, 9, 52)));
}

// The file deleted or replaced between ticks is made again; a FIFO or a folder in its
// place is refused at once instead of being waited on or written into.
TEST(ScratchBitmap, FollowsTheFileAndRefusesWhatIsNotARegularFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("buffer.bmp");
    platform::ScratchBitmap writer;
    platform::ScratchBitmap reader;
    QImage frame;
    ASSERT_TRUE(writer.write(rgbPattern(4, 4, 1), path));
    ASSERT_TRUE(reader.read(path, frame));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(writer.write(rgbPattern(4, 4, 2), path));
    ASSERT_TRUE(reader.read(path, frame));
    EXPECT_EQ(asRgb32(frame), asRgb32(rgbPattern(4, 4, 2)));

    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    alarm(20);  // waiting on the pipe ends the test
    const platform::Result written = writer.write(rgbPattern(4, 4), path);
    const platform::Result read = reader.read(path, frame);
    alarm(0);
    EXPECT_FALSE(written);
    EXPECT_FALSE(read);
    EXPECT_TRUE(read.reason.contains(path));

    QFile(path + "x").open(QIODevice::WriteOnly);
    EXPECT_FALSE(reader.read(path + "x", frame));  // empty: no bitmap
    EXPECT_FALSE(reader.read(dir.filePath("missing.bmp"), frame));
}
