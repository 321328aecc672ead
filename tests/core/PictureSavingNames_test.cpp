#include "core/PictureSavingNames.h"
#include "core/SaveModes.h"

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
    } cases[] = {{kModeManual, "/pics"}, {kModeAutoSave, "/auto"}, {kModeMotionSave, "/motion"}, {kModeMotionRecord, "/pics"}, {9, "/pics"}};
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

// A new run starts after the newest counter-named picture or video, so it never
// replaces what the last run saved; the ring still wraps at the limit.
TEST(PictureNaming, ARunStartsAfterTheNewestCounterNamedFile)
{
    const QDateTime t0(QDate(2026, 12, 8), QTime(10, 0, 0));
    const auto at = [&](int seconds) { return t0.addSecs(seconds); };
    const struct {
        const char* what;
        QList<SavedFileEntry> files;
        int32_t limit;
        int32_t expected;
    } rows[] = {
        {"empty folders", {}, 99999, 0},
        {"two pictures", {{"Cam00000.jpg", at(0)}, {"Cam00001.jpg", at(1)}}, 99999, 2},
        {"a video shares the counter", {{"Cam00003.jpg", at(0)}, {"Cam00004.avi", at(5)}}, 99999, 5},
        {"bitmaps and any case", {{"Cam00010.BMP", at(9)}, {"Cam00002.jpg", at(1)}}, 99999, 11},
        {"the newest, not the highest, after a wrap", {{"Cam00008.jpg", at(1)}, {"Cam00009.jpg", at(2)},
                                                       {"Cam00000.jpg", at(3)}, {"Cam00001.jpg", at(4)}},
         10, 2},
        {"the newest is the last of the ring", {{"Cam00009.jpg", at(9)}, {"Cam00003.jpg", at(3)}}, 10, 0},
        {"same moment: the higher number came last", {{"Cam00006.jpg", at(1)}, {"Cam00007.jpg", at(1)}}, 99999, 8},
        {"more than five digits", {{"Cam123456.jpg", at(1)}}, 999999, 123457},
        {"device and Pic or Video before the counter", {{"Cam0Pic00041.jpg", at(1)}, {"Cam2Video00042.avi", at(2)}},
         99999, 43},
        {"date names, bursts and other files do not count",
         {{"Cam0Pic26-12-09_08.15.30.jpg", at(9)}, {"Cam26-12-09_08.15.30.avi", at(9)},
          {"Burst26-12-09_08.15.30_frame00077.jpg", at(9)}, {"Cam00005.png", at(9)}, {"Cam0042.jpg", at(9)},
          {"MyImage00050.jpg", at(9)}, {"Cam00005.jpg.bak", at(9)}, {"Cam00001.jpg", at(0)}},
         99999, 2},
    };
    for (const auto& r : rows)
        EXPECT_EQ(counterAfterNewestSaved(r.files, "Cam", r.limit), r.expected) << r.what;
    // The user's name is matched literally.
    EXPECT_EQ(counterAfterNewestSaved({{"a.b00004.jpg", t0}, {"axb00009.jpg", t0}}, "a.b", 99999), 5);
}

TEST(PictureNaming, SaveFoldersAreListedOnceEach)
{
    QTemporaryDir root;
    SettingsModel s = namingDefaults();
    s.PicturePath = root.path() + "/pics";
    s.AutoSavePath = root.path() + "/pics";  // the same folder twice
    s.VideoPath = root.path() + "/videos";
    s.MotionPicsPath = root.path() + "/missing";
    QDir().mkpath(s.PicturePath);
    QDir().mkpath(s.VideoPath);
    for (const QString& f : {s.PicturePath + "/Cam00001.jpg", s.VideoPath + "/Cam00002.avi",
                             s.PicturePath + "/Other00009.jpg"}) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList names;
    for (const SavedFileEntry& e : filesInSaveFolders(s))
        names.append(e.fileName);
    names.sort();
    EXPECT_EQ(names, QStringList({"Cam00001.jpg", "Cam00002.avi"}));
}
