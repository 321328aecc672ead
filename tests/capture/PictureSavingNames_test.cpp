#include "capture/PictureSavingNames.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QDateTime kNow(QDate(2026, 12, 9), QTime(8, 15, 30));

SettingsModel namingDefaults()
{
    SettingsModel s;
    s.DefaultFilename = "Cam";
    s.DateFormat = "yy-mm-dd";
    s.MaxSaveLimit = 99999;
    s.PicturePath = "/pics";
    s.AutoSavePath = "/auto";
    s.MotionPicsPath = "/motion";
    return s;
}

struct NameCase {
    int option;
    int bitmapType;
    int32_t counterBefore;
    const char* expected;
    int32_t counterAfter;
};

const NameCase kNameCases[] = {
    {0, 0, 42, "/f/Cam0Pic26-12-09_08.15.30.jpg", 42},
    {0, 1, 42, "/f/Cam0Pic26-12-09_08.15.30.bmp", 42},
    {1, 0, 42, "/f/Cam26-12-09_08.15.30.jpg", 42},
    {2, 0, 42, "/f/Cam00042.jpg", 43},
    {2, 1, 7, "/f/Cam00007.bmp", 8},
    {2, 0, 123456, "/f/Cam123456.jpg", 23458},
    {3, 0, 42, "/f/Burst26-12-09_08.15.30_frame00042.jpg", 43},
    // Other values name like option 0; from 2 up they stamp with the counter.
    {7, 0, 42, "/f/Cam0Pic00042.jpg", 43},
    {-1, 0, 42, "/f/Cam0Pic26-12-09_08.15.30.jpg", 42},
};

}  // namespace

TEST(PictureNaming, NamesEveryOption)
{
    for (const NameCase& c : kNameCases) {
        SettingsModel s = namingDefaults();
        s.SaveFileNameOptions = int16_t(c.option);
        s.SaveBitmapType = int16_t(c.bitmapType);
        int32_t counter = c.counterBefore;
        const PictureName name = nextPictureName(s, "/f", counter, kNow);
        EXPECT_EQ(name.path, QString(c.expected)) << "option " << c.option;
        EXPECT_EQ(counter, c.counterAfter) << "option " << c.option;
        // Only pure counter names form a ring that replaces old pictures.
        EXPECT_EQ(name.replacesExisting, c.option == 2 || c.option == 7) << "option " << c.option;
    }
}

TEST(PictureNaming, DeviceNumberAndUserPatternShowInTheName)
{
    SettingsModel s = namingDefaults();
    s.CaptureDevice = 3;
    s.DefaultFilename = "Door";
    s.DateFormat = "yyyymmdd";
    int32_t counter = 0;
    EXPECT_EQ(nextPictureName(s, "/f", counter, kNow).path, "/f/Door3Pic20261209_08.15.30.jpg");
    s.DateFormat.clear();
    EXPECT_EQ(nextPictureName(s, "/f", counter, kNow).path, "/f/Door3Pic26-12-09_08.15.30.jpg");
}

TEST(PictureNaming, DateSeparatorsNeverMakeSubfolders)
{
    SettingsModel s = namingDefaults();
    s.DateFormat = "dd/mm/yy hh:nn";
    int32_t counter = 0;
    EXPECT_EQ(nextPictureName(s, "/f", counter, kNow).path, "/f/Cam0Pic09-12-26 08-15_08.15.30.jpg");
    s.SaveFileNameOptions = kNameBurst;
    EXPECT_EQ(nextPictureName(s, "/f", counter, kNow).path,
              "/f/Burst09-12-26 08-15_08.15.30_frame00000.jpg");
}

TEST(PictureNaming, CounterTextHasAtLeastFiveDigits)
{
    EXPECT_EQ(counterText(0), "00000");
    EXPECT_EQ(counterText(42), "00042");
    EXPECT_EQ(counterText(99999), "99999");
    EXPECT_EQ(counterText(100000), "100000");
    EXPECT_EQ(counterText(-5), "-00005");
}

TEST(PictureNaming, CounterWrapsAtTheLimit)
{
    EXPECT_EQ(advanceCounter(41, 99999), 42);
    EXPECT_EQ(advanceCounter(99998, 99999), 0);
    EXPECT_EQ(advanceCounter(9, 10), 0);
    EXPECT_EQ(advanceCounter(0, 1), 0);
    // A limit that no repaired settings file holds falls back to the default one.
    EXPECT_EQ(advanceCounter(5, 0), 6);
    EXPECT_EQ(advanceCounter(99998, -3), 0);
    EXPECT_EQ(advanceCounter(INT32_MAX, INT32_MAX), 1);
}

TEST(PictureNaming, LimitOfOneNamesEveryPictureWithZero)
{
    SettingsModel s = namingDefaults();
    s.SaveFileNameOptions = kNameCounter;
    s.MaxSaveLimit = 1;
    int32_t counter = 0;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(nextPictureName(s, "/f", counter, kNow).path, "/f/Cam00000.jpg");
    EXPECT_EQ(counter, 0);
}

TEST(PictureNaming, LastCounterValueIsUsedThenWraps)
{
    SettingsModel s = namingDefaults();
    s.SaveFileNameOptions = kNameCounter;
    s.MaxSaveLimit = 500;
    int32_t counter = 499;
    EXPECT_EQ(nextPictureName(s, "/f", counter, kNow).path, "/f/Cam00499.jpg");
    EXPECT_EQ(counter, 0);
}

TEST(PictureNaming, FolderFollowsTheCallerThenTheMode)
{
    const struct {
        int mode;
        const char* folder;
    } cases[] = {{0, "/pics"}, {1, "/auto"}, {2, "/motion"}, {3, "/pics"}, {9, "/pics"}};
    for (const auto& c : cases) {
        SettingsModel s = namingDefaults();
        s.SaveMode = int16_t(c.mode);
        EXPECT_EQ(pictureFolder(s, QString()), QString(c.folder)) << "mode " << c.mode;
        EXPECT_EQ(pictureFolder(s, "/given"), "/given") << "mode " << c.mode;
    }
}

TEST(PictureNaming, FirstFreePathCountsPastTakenNames)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Cam0Pic26-12-09_08.15.30.jpg");
    EXPECT_EQ(firstFreePath(path), path);
    auto touch = [](const QString& p) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    touch(path);
    EXPECT_EQ(firstFreePath(path), dir.filePath("Cam0Pic26-12-09_08.15.30-01.jpg"));
    touch(dir.filePath("Cam0Pic26-12-09_08.15.30-01.jpg"));
    EXPECT_EQ(firstFreePath(path), dir.filePath("Cam0Pic26-12-09_08.15.30-02.jpg"));
}
