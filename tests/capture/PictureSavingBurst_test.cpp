#include "Sandbox.h"
#include "core/SaveModes.h"
#include "capture/PictureSaving.h"
#include "capture/PictureSavingBurst.h"
#include "core/PictureSavingNames.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(8, 15, 30));

SettingsModel burstSettings(const Sandbox& box)
{
    SettingsModel s;
    s.DefaultFilename = "Cam";
    s.DateFormat = "yy-mm-dd";
    s.MaxSaveLimit = 99999;
    s.SaveBitmapType = 1;
    s.MaxBurstFrames = 10;
    s.PicturePath = box.root() + "/CamSnapshots";
    s.MotionPicsPath = box.root() + "/CamMotionPics";
    QDir().mkpath(s.PicturePath);
    QDir().mkpath(s.MotionPicsPath);
    return s;
}

}  // namespace

TEST(BurstNaming, TenFramesFromCounterFiveLeaveCounterAndOptionAlone)
{
    Sandbox box;
    SettingsModel s = burstSettings(box);
    s.FileCounter = 5;
    s.SaveFileNameOptions = kNameDateTime;
    WorkPicture picture;
    picture.image = QImage(16, 16, QImage::Format_RGB32);
    picture.image.fill(Qt::gray);
    QStringList written;
    {
        BurstNaming burst(s);
        EXPECT_EQ(s.SaveFileNameOptions, kNameBurst);
        for (int i = 0; i < burst.frameCount(); ++i) {
            int32_t copy = burst.frameCounter(i);
            const SaveResult r = saveImage(s, picture, copy, burst.frameFolder(), kNow);
            ASSERT_TRUE(r.ok) << r.reason.toStdString();
            written << QDir(s.PicturePath).relativeFilePath(r.path);
        }
    }
    QStringList expected;
    for (int n = 5; n <= 14; ++n)
        expected << QString("Burst26-12-09_08.15.30_frame%1.bmp").arg(n, 5, 10, QChar('0'));
    EXPECT_EQ(written, expected);
    EXPECT_EQ(QDir(s.PicturePath).entryList(QDir::Files, QDir::Name), expected);
    EXPECT_EQ(s.FileCounter, 5);
    EXPECT_EQ(s.SaveFileNameOptions, kNameDateTime);
}

TEST(BurstNaming, TooFewFramesBecomeTenAndTheNoticeSaysHowMany)
{
    SettingsModel s;
    s.MaxBurstFrames = 1;
    BurstNaming burst(s);
    EXPECT_EQ(burst.frameCount(), 10);
    EXPECT_EQ(s.MaxBurstFrames, 10);
    EXPECT_EQ(burst.noticeText(), "Burst (taking 10 pictures)...");
    s.MaxBurstFrames = 4;  // counted once, at the start
    EXPECT_EQ(burst.frameCount(), 10);
}

TEST(BurstNaming, MotionSaveBurstsGoToTheMotionFolder)
{
    Sandbox box;
    SettingsModel s = burstSettings(box);
    const struct {
        int mode;
        int useBurst;
        QString folder;
    } cases[] = {{kModeMotionSave, 1, s.MotionPicsPath}, {kModeMotionSave, 0, s.PicturePath}, {kModeAutoSave, 1, s.PicturePath}, {kModeManual, 1, s.PicturePath}};
    for (const auto& c : cases) {
        s.SaveMode = int16_t(c.mode);
        s.UseBurstAsSnapshot = int16_t(c.useBurst);
        EXPECT_EQ(BurstNaming(s).frameFolder(), c.folder) << c.mode << "/" << c.useBurst;
    }
}

TEST(BurstNaming, TwoBurstsInOneSecondKeepEveryFrame)
{
    Sandbox box;
    SettingsModel s = burstSettings(box);
    s.MaxBurstFrames = 2;
    WorkPicture picture;
    picture.image = QImage(8, 8, QImage::Format_RGB32);
    picture.image.fill(Qt::gray);
    for (int run = 0; run < 2; ++run) {
        BurstNaming burst(s);
        for (int i = 0; i < burst.frameCount(); ++i) {
            int32_t copy = burst.frameCounter(i);
            ASSERT_TRUE(saveImage(s, picture, copy, burst.frameFolder(), kNow).ok);
        }
    }
    EXPECT_EQ(QDir(s.PicturePath).entryList(QDir::Files).size(), 4);
}
