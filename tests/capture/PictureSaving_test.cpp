#include "FullDisk.h"
#include "core/SaveModes.h"
#include "Sandbox.h"
#include "capture/PictureSaving.h"
#include "core/PictureSavingNames.h"
#include "platform/files/BmpFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(8, 15, 30));
constexpr QRgb kGrey = 0xff808080;

QImage greyPicture(int width = 320, int height = 240)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kGrey);
    return image;
}

bool isDark(QRgb c, int tolerance) { return qRed(c) < tolerance && qGreen(c) < tolerance && qBlue(c) < tolerance; }
bool isBright(QRgb c, int tolerance)
{
    return qRed(c) > 255 - tolerance && qGreen(c) > 255 - tolerance && qBlue(c) > 255 - tolerance;
}

struct StampFindings {
    int darkWithBrightUpperLeft = 0;  // black text pixels with the white edge beside them
    int changedBelow = 0;             // pixels changed below the stamp's line
    int firstBrightRow = -1;
    int firstBrightColumn = -1;
};

StampFindings findStamp(const QImage& picture, int tolerance)
{
    StampFindings f;
    const QImage img = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            if (y >= 40 && (isDark(c, 90) || isBright(c, 90)))
                ++f.changedBelow;
            if (isBright(c, tolerance) && (f.firstBrightRow < 0 || y < f.firstBrightRow))
                f.firstBrightRow = y;
            if (isBright(c, tolerance) && (f.firstBrightColumn < 0 || x < f.firstBrightColumn))
                f.firstBrightColumn = x;
            if (x > 0 && y > 0 && isDark(c, tolerance) && isBright(img.pixel(x - 1, y - 1), tolerance + 40))
                ++f.darkWithBrightUpperLeft;
        }
    }
    return f;
}

class SaveImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.DefaultFilename = "Cam";
        s.DateFormat = "yy-mm-dd";
        s.MaxSaveLimit = 99999;
        s.JPGQuality = 75;
        s.SaveBitmapType = 1;
        s.StampText = "Tolvex ";
        s.PicturePath = folder("CamSnapshots");
        s.AutoSavePath = folder("CamAutoPics");
        s.MotionPicsPath = folder("CamMotionPics");
        picture.image = greyPicture();
    }

    QString folder(const QString& name) const
    {
        const QString path = box.root() + "/" + name;
        QDir().mkpath(path);
        return path;
    }

    static QByteArray contentOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QStringList filesIn(const QString& folder)
    {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }

    // A regular file where a folder should be: no user, root included, can write below it.
    QString folderBelowAFile() const
    {
        QFile plain(box.root() + "/plain");
        EXPECT_TRUE(plain.open(QIODevice::WriteOnly));
        return box.root() + "/plain/pictures";
    }

    Sandbox box;
    SettingsModel s;
    WorkPicture picture;
    int32_t counter = 0;
};

}  // namespace

TEST_F(SaveImageTest, CounterNameIsWrittenAndAdvancesTheCounter)
{
    s.SaveFileNameOptions = kNameCounter;
    counter = 7;
    const SaveResult r = saveImage(s, picture, counter, s.PicturePath, kNow);
    ASSERT_TRUE(r.ok) << r.reason.toStdString();
    EXPECT_EQ(r.path, s.PicturePath + "/Cam00007.bmp");
    EXPECT_EQ(counter, 8);
    EXPECT_EQ(platform::readBmp24(r.path).convertToFormat(QImage::Format_RGB32), greyPicture());
    EXPECT_EQ(snapshotNotice(r), "Snapshot Saved");
}

TEST_F(SaveImageTest, FolderFollowsTheModeWhenTheCallerGivesNone)
{
    const struct {
        int mode;
        QString expected;
    } cases[] = {{kModeManual, s.PicturePath}, {kModeAutoSave, s.AutoSavePath}, {kModeMotionSave, s.MotionPicsPath}, {kModeMotionRecord, s.PicturePath}};
    for (const auto& c : cases) {
        s.SaveMode = int16_t(c.mode);
        const SaveResult r = saveImage(s, picture, counter, QString(), kNow);
        ASSERT_TRUE(r.ok) << r.reason.toStdString();
        EXPECT_EQ(QFileInfo(r.path).absolutePath(), c.expected) << "mode " << c.mode;
    }
    s.SaveMode = kModeMotionSave;
    const QString given = folder("elsewhere");
    EXPECT_EQ(QFileInfo(saveImage(s, picture, counter, given, kNow).path).absolutePath(), given);
}

TEST_F(SaveImageTest, StampIsBlackWithAWhiteEdgeAtTheTopLeftOfTheBmp)
{
    s.EmbedTime = 1;
    const SaveResult r = saveImage(s, picture, counter, QString(), kNow);
    ASSERT_TRUE(r.ok) << r.reason.toStdString();
    const StampFindings f = findStamp(platform::readBmp24(r.path), 40);
    EXPECT_GT(f.darkWithBrightUpperLeft, 20);
    EXPECT_LE(f.firstBrightRow, 3);
    EXPECT_LE(f.firstBrightColumn, 3);
    EXPECT_EQ(f.changedBelow, 0);
    // The stamp went into the work picture itself, as drawing on it is persistent.
    EXPECT_NE(picture.image, greyPicture());
}

// A stamped picture lends its memory to the next frame the work picture takes, so a
// save does not fill fresh memory each time; the frame shared with the preview is
// never drawn on.
TEST_F(SaveImageTest, StampReusesTheWorkPicturesMemoryAndLeavesTheFrameAlone)
{
    s.EmbedTime = 1;
    const QImage frame = greyPicture();
    picture.take(frame);
    ASSERT_TRUE(saveImage(s, picture, counter, QString(), kNow).ok);
    const uchar* memory = picture.image.constBits();
    for (int save = 0; save < 3; ++save) {
        picture.take(frame);
        const SaveResult r = saveImage(s, picture, counter, QString(), kNow);
        ASSERT_TRUE(r.ok) << r.reason.toStdString();
        EXPECT_EQ(picture.image.constBits(), memory);
        EXPECT_GT(findStamp(platform::readBmp24(r.path), 40).darkWithBrightUpperLeft, 20);
    }
    EXPECT_EQ(frame, greyPicture());

    // A stamped picture that someone else still holds keeps its pixels.
    const QImage held = picture.image;
    const QImage heldCopy = held.copy();
    picture.take(greyPicture(320, 240));
    ASSERT_TRUE(saveImage(s, picture, counter, QString(), kNow).ok);
    EXPECT_EQ(held, heldCopy);
}

// Each kind of picture the program saves is written as the same bitmap, whether its
// rows are written directly or converted first.
TEST_F(SaveImageTest, BmpOfEveryPictureFormatReadsBackEqual)
{
    QImage source(37, 11, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(x * 7 % 256, y * 23 % 256, (x + y) * 5 % 256));
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_RGB888,
                                        QImage::Format_BGR888, QImage::Format_RGB16, QImage::Format_ARGB32_Premultiplied}) {
        SCOPED_TRACE(int(format));
        const QImage converted = source.convertToFormat(format);
        picture.take(converted);
        const SaveResult r = saveImage(s, picture, counter, QString(), kNow);
        ASSERT_TRUE(r.ok) << r.reason.toStdString();
        EXPECT_EQ(platform::readBmp24(r.path).convertToFormat(QImage::Format_RGB32),
                  converted.convertToFormat(QImage::Format_RGB32));
    }
}

TEST_F(SaveImageTest, NoStampWhenItIsSwitchedOff)
{
    const SaveResult r = saveImage(s, picture, counter, QString(), kNow);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(platform::readBmp24(r.path).convertToFormat(QImage::Format_RGB32), greyPicture());
}

TEST_F(SaveImageTest, EmptyStampTextBecomesTolvex)
{
    s.EmbedTime = 1;
    s.StampText.clear();
    ASSERT_TRUE(saveImage(s, picture, counter, QString(), kNow).ok);
    EXPECT_EQ(s.StampText, "Tolvex ");
    EXPECT_TRUE(stampText(s, kNow).startsWith("Tolvex "));
}

TEST_F(SaveImageTest, StampFontChangesPersistOnTheWorkPicture)
{
    s.EmbedTime = 1;
    s.EmbedFontBold = 1;
    s.EmbedFontSize = 20;
    ASSERT_TRUE(saveImage(s, picture, counter, QString(), kNow).ok);
    EXPECT_TRUE(picture.font.bold());
    EXPECT_EQ(picture.font.pointSize(), 20);
    s.EmbedFontBold = 0;
    s.EmbedFontSize = 7;
    picture.image = greyPicture();
    ASSERT_TRUE(saveImage(s, picture, counter, QString(), kNow).ok);
    EXPECT_TRUE(picture.font.bold());
    EXPECT_EQ(picture.font.pointSize(), 20);
}

TEST_F(SaveImageTest, MissingFolderIsAFailureNotASilentLoss)
{
    const QString missing = folderBelowAFile();
    const struct {
        QString target;
        const char* notice;
    } cases[] = {
        {missing, "Snapshot NOT saved: the folder does not exist"},
        {QString(), "Snapshot NOT saved: no folder is set"},
    };
    for (const auto& c : cases) {
        s.PicturePath = c.target;
        const SaveResult r = saveImage(s, picture, counter, QString(), kNow);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(snapshotNotice(r), c.notice);
        EXPECT_TRUE(r.reason.contains(c.target)) << r.reason.toStdString();  // the log has the whole path
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(SaveImageTest, FullDiskIsToldInAFewWordsAndTheOldPictureStays)
{
    s.SaveFileNameOptions = kNameCounter;
    for (int16_t bitmap : {int16_t(1), int16_t(0)}) {
        s.SaveBitmapType = bitmap;
        const QString path = s.PicturePath + (bitmap ? "/Cam00000.bmp" : "/Cam00000.jpg");
        QFile::remove(path);
        counter = 0;
        ASSERT_TRUE(saveImage(s, picture, counter, QString(), kNow).ok);
        const QByteArray before = contentOf(path);
        picture.image = greyPicture(640, 480);
        picture.image.fill(Qt::blue);
        counter = 0;
        SaveResult r;
        {
            FileSizeLimitScope fullDisk(4096);
            r = saveImage(s, picture, counter, QString(), kNow);
        }
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.failure, SaveFailure::DiskFull) << r.reason.toStdString();
        EXPECT_EQ(snapshotNotice(r), "Snapshot NOT saved: disk full");
        EXPECT_TRUE(r.reason.contains(path)) << r.reason.toStdString();
        EXPECT_EQ(contentOf(path), before);
        picture.image = greyPicture();
    }
}

TEST_F(SaveImageTest, WriteFailureKindsFromTheSystemsReason)
{
    const QString here = s.PicturePath;
    const QString gone = box.root() + "/gone";
    const auto reason = [](int number) { return "cannot write /x/Cam00000.jpg: " + qt_error_string(number); };
    const struct {
        QString folder;
        QString reason;
        SaveFailure kind;
        const char* text;
    } cases[] = {
        {gone, reason(ENOSPC), SaveFailure::FolderMissing, "the folder does not exist"},
        {here, reason(EACCES), SaveFailure::NoPermission, "no permission"},
        {here, reason(EPERM), SaveFailure::NoPermission, "no permission"},
        {here, reason(EROFS), SaveFailure::NoPermission, "no permission"},
        {here, reason(ENOSPC), SaveFailure::DiskFull, "disk full"},
        {here, reason(EFBIG), SaveFailure::DiskFull, "disk full"},
        {here, reason(EDQUOT), SaveFailure::DiskFull, "disk full"},
        {here, reason(EISDIR), SaveFailure::WriteFailed, "write error"},
        {here, QString(), SaveFailure::WriteFailed, "write error"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(writeFailureKind(c.folder, c.reason), c.kind) << c.reason.toStdString();
        EXPECT_EQ(saveFailureText(c.kind), c.text);
    }
}

TEST_F(SaveImageTest, BurstNoticeCountsTheSavedFrames)
{
    EXPECT_EQ(burstFailureNotice(10, 10, SaveFailure::None), "");
    EXPECT_EQ(burstFailureNotice(0, 10, SaveFailure::FolderMissing), "Burst: 0 of 10 saved, the folder does not exist");
    EXPECT_EQ(burstFailureNotice(3, 10, SaveFailure::DiskFull), "Burst: 3 of 10 saved, disk full");
}

TEST_F(SaveImageTest, FailedWriteIsReported)
{
    s.SaveFileNameOptions = kNameCounter;
    QDir().mkpath(s.PicturePath + "/Cam00000.bmp");  // a folder sits where the file should go
    const SaveResult r = saveImage(s, picture, counter, QString(), kNow);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.path, s.PicturePath + "/Cam00000.bmp");
    EXPECT_FALSE(r.reason.isEmpty());
}

namespace {

QStringList g_warnings;

void keepWarnings(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtWarningMsg)
        g_warnings.append(text);
}

}  // namespace

TEST_F(SaveImageTest, AFailedWriteIsLoggedOnceInBothFormats)
{
    s.SaveFileNameOptions = kNameCounter;
    for (const int16_t type : {int16_t(kSaveAsBitmap), int16_t(kSaveAsJpeg)}) {
        s.SaveBitmapType = type;
        const QString file = s.PicturePath + (type == kSaveAsJpeg ? "/Cam00000.jpg" : "/Cam00000.bmp");
        QDir().mkpath(file);  // a folder sits where the file should go
        counter = 0;
        g_warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(keepWarnings);
        const SaveResult r = saveImage(s, picture, counter, QString(), kNow);
        qInstallMessageHandler(previous);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(g_warnings.filter(file).size(), 1) << g_warnings.join('\n').toStdString();
    }
}

TEST_F(SaveImageTest, NothingToSaveIsAFailure)
{
    picture.image = QImage();
    s.EmbedTime = 1;
    const SaveResult r = saveImage(s, picture, counter, QString(), kNow);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(filesIn(s.PicturePath).isEmpty());
}

TEST_F(SaveImageTest, TwoPicturesInOneSecondGiveTwoFiles)
{
    for (int option : {kNameDeviceDateTime, kNameDateTime}) {
        s.SaveFileNameOptions = int16_t(option);
        const QString into = folder(QString("option%1").arg(option));
        picture.image = greyPicture();
        const SaveResult first = saveImage(s, picture, counter, into, kNow);
        picture.image.fill(Qt::blue);
        const SaveResult second = saveImage(s, picture, counter, into, kNow);
        ASSERT_TRUE(first.ok && second.ok);
        EXPECT_EQ(filesIn(into).size(), 2) << "option " << option;
        EXPECT_EQ(second.path, first.path.chopped(4) + "-01.bmp");
        EXPECT_EQ(platform::readBmp24(first.path).pixel(5, 5), kGrey);
    }
}

TEST_F(SaveImageTest, CounterRingReplacesTheOldestPicture)
{
    s.SaveFileNameOptions = kNameCounter;
    s.MaxSaveLimit = 1;
    ASSERT_TRUE(saveImage(s, picture, counter, QString(), kNow).ok);
    picture.image.fill(Qt::blue);
    const SaveResult second = saveImage(s, picture, counter, QString(), kNow);
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(filesIn(s.PicturePath), QStringList{"Cam00000.bmp"});
    EXPECT_EQ(platform::readBmp24(second.path).pixel(5, 5), QColor(Qt::blue).rgb());
    EXPECT_EQ(counter, 0);
}

TEST_F(SaveImageTest, JpegCounterNameAndStamp)
{
    s.SaveBitmapType = 0;
    s.SaveFileNameOptions = kNameCounter;
    s.EmbedTime = 1;
    counter = 7;
    const SaveResult r = saveImage(s, picture, counter, s.PicturePath, kNow);
    ASSERT_TRUE(r.ok) << r.reason.toStdString();
    EXPECT_EQ(r.path, s.PicturePath + "/Cam00007.jpg");
    EXPECT_EQ(counter, 8);
    const QImage back(r.path, "JPEG");
    ASSERT_EQ(back.size(), QSize(320, 240));
    const StampFindings f = findStamp(back, 70);
    EXPECT_GT(f.darkWithBrightUpperLeft, 10);
    EXPECT_LE(f.firstBrightRow, 3);
    EXPECT_LE(f.firstBrightColumn, 3);
    EXPECT_EQ(f.changedBelow, 0);
}

TEST_F(SaveImageTest, FailedJpegWriteIsReported)
{
    s.SaveBitmapType = 0;
    s.SaveFileNameOptions = kNameCounter;
    QDir().mkpath(s.PicturePath + "/Cam00000.jpg");
    const SaveResult r = saveImage(s, picture, counter, QString(), kNow);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.reason.contains("Cam00000.jpg")) << r.reason.toStdString();
    EXPECT_TRUE(r.boxText.isEmpty());
}
