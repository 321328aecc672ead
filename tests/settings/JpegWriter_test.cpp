#include "settings/JpegWriter.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Four quadrants of plain colour: red, green / blue, white.
QImage quadrants(int w, int h, QImage::Format format = QImage::Format_RGB32)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(0, 0, w / 2, h / 2, QColor(220, 30, 30));
    p.fillRect(w / 2, 0, w - w / 2, h / 2, QColor(30, 200, 40));
    p.fillRect(0, h / 2, w / 2, h - h / 2, QColor(20, 40, 210));
    p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, Qt::white);
    p.end();
    return img.convertToFormat(format);
}

QImage noise(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QRandomGenerator rng(7);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb((x * 3) & 255, (y * 5) & 255, rng.bounded(256)));
    return img;
}

bool near(QRgb a, QColor b, int tolerance = 24)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
        && std::abs(qBlue(a) - b.blue()) <= tolerance;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(JpegWriter, RoundTripKeepsSizeOrientationAndColours)
{
    QTemporaryDir dir;
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_ARGB32_Premultiplied,
                                  QImage::Format_RGB888, QImage::Format_Grayscale8}) {
        const QString path = dir.filePath(QString("pic%1.jpg").arg(int(format)));
        ASSERT_TRUE(SavePictureAsJPG(path, 75, quadrants(352, 288, format))) << format;
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), "jpeg");
        const QImage back = reader.read();
        ASSERT_EQ(back.size(), QSize(352, 288)) << format;
        const QImage expected = quadrants(352, 288, format).convertToFormat(QImage::Format_RGB32);
        for (QPoint corner : {QPoint(4, 4), QPoint(347, 4), QPoint(4, 283), QPoint(347, 283)})
            EXPECT_TRUE(near(back.pixel(corner), expected.pixelColor(corner)))
                << "format " << format << " at " << corner.x() << "," << corner.y() << ": "
                << QColor(back.pixel(corner)).name().toStdString();
    }
}

TEST(JpegWriter, QualityChangesTheFileAndIsClamped)
{
    QTemporaryDir dir;
    const QImage img = noise(320, 240);
    auto save = [&](int quality) {
        const QString path = dir.filePath(QString("q%1.jpg").arg(quality));
        EXPECT_TRUE(SavePictureAsJPG(path, quality, img)) << quality;
        return readAll(path);
    };
    const QByteArray q75 = save(75), q100 = save(100), q1 = save(1);
    EXPECT_LT(q75.size(), q100.size());
    EXPECT_LT(q1.size(), q75.size());
    EXPECT_EQ(save(0), q1);
    EXPECT_EQ(save(-20), q1);
    EXPECT_EQ(save(500), q100);
}

TEST(JpegWriter, NonAsciiNameIsWrittenExactly)
{
    QTemporaryDir dir;
    const QString name = QString::fromUtf8("Schnappschuss äöü カメラ €.jpg");
    ASSERT_TRUE(SavePictureAsJPG(dir.filePath(name), 75, quadrants(64, 48)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({name}));
    EXPECT_EQ(QImage(dir.filePath(name)).size(), QSize(64, 48));
}

TEST(JpegWriter, ExistingFileIsReplaced)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.jpg");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(200000, 'x'));
    }
    ASSERT_TRUE(SavePictureAsJPG(path, 75, quadrants(100, 80)));
    const QByteArray now = readAll(path);
    EXPECT_LT(now.size(), 200000);
    EXPECT_TRUE(now.startsWith("\xFF\xD8"));
    EXPECT_EQ(QImage(path).size(), QSize(100, 80));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"old.jpg"}));
}

TEST(JpegWriter, FailedSavesReportAndLeaveNoFile)
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath("not-a-folder");
    {
        QFile f(blocker);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    for (const QString& path : {blocker + "/pic.jpg", QString("/proc/tolvex-test.jpg")}) {
        const JpegResult r = SavePictureAsJPG(path, 75, quadrants(64, 48));
        EXPECT_FALSE(r) << path.toStdString();
        EXPECT_EQ(r.error, JpegError::WriteFailed) << path.toStdString();
        EXPECT_TRUE(r.reason.contains(path)) << r.reason.toStdString();
        EXPECT_TRUE(r.boxText().isEmpty());
        EXPECT_FALSE(QFileInfo::exists(path));
    }
    EXPECT_EQ(readAll(blocker), "x");

    const QString kept = dir.filePath("kept.jpg");
    ASSERT_TRUE(SavePictureAsJPG(kept, 75, quadrants(64, 48)));
    const QByteArray before = readAll(kept);
    EXPECT_EQ(SavePictureAsJPG(kept, 75, QImage()).error, JpegError::NoPicture);
    EXPECT_EQ(readAll(kept), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"kept.jpg", "not-a-folder"}));
}

TEST(JpegWriter, OnlyAMissingEncoderHasABox)
{
    EXPECT_EQ(JpegResult{JpegError::EncoderUnavailable}.boxText(), "Error loading GDI+!");
    for (JpegError e : {JpegError::None, JpegError::NoPicture, JpegError::EncodeFailed, JpegError::WriteFailed})
        EXPECT_TRUE(JpegResult{e}.boxText().isEmpty());
}

TEST(GDIPlusJPGConvertor, PaddedRowsAreHonoured)
{
    // A 3-pixel-wide picture in rows of 16 bytes; the padding holds a loud colour
    // that must not leak into the picture.
    std::vector<uint32_t> pixels(4 * 2, 0xFFFF00FF);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            pixels[y * 4 + x] = 0xFF208040;
    GDIPlusJPGConvertor convertor;
    ASSERT_TRUE(convertor.isReady());
    const QByteArray jpeg =
        convertor.encode({3, 2, 16, reinterpret_cast<const unsigned char*>(pixels.data())}, 90);
    const QImage back = QImage::fromData(jpeg, "JPEG");
    ASSERT_EQ(back.size(), QSize(3, 2));
    for (int x = 0; x < 3; ++x)
        EXPECT_TRUE(near(back.pixel(x, 1), QColor(0x20, 0x80, 0x40), 40)) << x;
    EXPECT_TRUE(convertor.encode({3, 2, 8, reinterpret_cast<const unsigned char*>(pixels.data())}, 90).isEmpty());
}

}  // namespace
