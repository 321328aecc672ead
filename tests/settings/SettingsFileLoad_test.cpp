#include "MainWindowLinkFake.h"
#include "SettingsFileTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include <functional>

namespace {

void load(SettingsModel& s, SettingsHost* host = nullptr)
{
    QString name;
    LoadSettings(s, name, host);
}

// A model whose every stored value differs from its default, so a rebuild shows.
SettingsModel customModel(const Sandbox& box)
{
    SettingsModel s = modelIn(box);
    s.CaptureDevice = 3;
    s.PicturePath = "/data/snaps";
    s.AutoSavePath = "/data/auto";
    s.VideoPath = "/data/videos";
    s.MotionPicsPath = "/data/motion";
    s.SaveAsPath = "/data/saveas";
    s.MotionRecordingPath = "/data/motionrec";
    s.JPGQuality = 90;
    s.SaveBitmapType = -1;
    s.ButtonColor = 2;
    s.ShowSideLogo = -1;
    s.ScanRefresh = 40;
    s.AutoSaveInterval = 12;
    s.PictureEditor = "/usr/bin/gimp";
    s.PictureViewer = "/usr/bin/eog";
    s.ScreenSizePosition = -1;
    s.BackgroundColor = 0x123456;
    s.DefaultFilename = "Door";
    s.SaveFileNameOptions = 2;
    s.StartTime = "08:00";
    s.StopTime = "17:30";
    s.MotionSensing = 5;
    s.TriggerFocus = 2;
    s.MaxSaveLimit = 500;
    s.ButtonStyle = 2;
    s.RemoveTitleBar = 1;
    s.AutoRunMode = 2;
    s.AutoRunStream = 1;
    s.VidCompressDialog = -1;
    s.EmbedTime = 1;
    s.StartMode = 3;
    s.MaxBurstFrames = 15;
    s.SaveAsScreenSize = 2;
    s.StayOnTop = 1;
    s.DisableAudioCap = 1;
    s.NoConfirmDelete = 1;
    s.RecThreadYield = 1;
    s.SoundFlags = {0, 0, 1, 1};
    s.SlideTiming = 7;
    s.SaveConfirmation = 1;
    s.FtpHost = "ftp.example.org";
    s.FtpLogin = "me";
    s.FtpPassword = "secret";
    s.FtpFilename = "door.jpg";
    s.FtpEnabled = 1;
    s.FtpProgress = 1;
    s.HowToCheckDriver = 1;
    s.NoiseReduction = 1;
    s.NoInfoDialog = 1;
    s.TempBufferFileAndPath = "/tmp/buf.bmp";
    s.StreamSource = 1;
    s.MotionRecordingDuration = 60;
    s.StampText = "Door ";
    s.EmbedFontSize = 14;
    s.EmbedFontBold = 1;
    s.EmbedFontName = "Arial";
    s.MultipleMotionRecords = -1;
    s.ShortcutKeys = {1, 2, 3, 4};
    s.UseBurstAsSnapshot = 1;
    return s;
}

QStringList customFile(const Sandbox& box)
{
    SettingsModel s = customModel(box);
    QString name;
    SaveSettings(s, name, nullptr);
    return iniLines(box);
}

bool rebuilt(const SettingsModel& s, const Sandbox& box)
{
    return s.ButtonStyle == 4 && s.FtpHost == "127.0.0.1" &&
           valueAfter(iniLines(box), "[ButtonStyle]") == " 4 " &&
           QFileInfo::exists(box.programFolder() + "/DevicesDatabase.log");
}

bool hasDefaultFolders(const SettingsModel& s, const Sandbox& box)
{
    const QString app = box.programFolder();
    return s.PicturePath == app + "/CamSnapshots" && s.AutoSavePath == app + "/CamAutoPics" &&
           s.VideoPath == app + "/CamVideos" && s.MotionPicsPath == app + "/CamMotionPics" &&
           s.SaveAsPath == app && s.MotionRecordingPath == app + "/CamMotionRecordings";
}

}  // namespace

TEST(LoadSettings, FirstStartWritesTheFullDefaultFileAndAnEmptyDeviceCache)
{
    Sandbox box;
    SettingsModel s = modelIn(box);
    MockSettingsHost host;
    EXPECT_CALL(host, Opmaak()).Times(1);
    EXPECT_CALL(host, showSettingsSaveError).Times(0);
    load(s, &host);

    const QString app = box.programFolder();
    EXPECT_TRUE(hasDefaultFolders(s, box));
    EXPECT_EQ(s.JPGQuality, 75);
    EXPECT_EQ(s.ButtonColor, 7);
    EXPECT_EQ(s.ShowSideLogo, 1);
    EXPECT_EQ(s.AutoSaveInterval, 30);
    EXPECT_EQ(s.ScanRefresh, 25);
    EXPECT_EQ(s.BackgroundColor, -2147483633);
    EXPECT_EQ(s.DefaultFilename, "Cam");
    EXPECT_EQ(s.MotionSensing, 3);
    EXPECT_EQ(s.MaxSaveLimit, 99999);
    EXPECT_EQ(s.ButtonStyle, 4);
    EXPECT_EQ(s.VidCompressDialog, 1);
    EXPECT_EQ(s.MaxBurstFrames, 10);
    EXPECT_EQ(s.NoConfirmDelete, -1);
    EXPECT_EQ(s.SlideTiming, 3);
    EXPECT_EQ(s.FtpHost, "127.0.0.1");
    EXPECT_EQ(s.FtpLogin, "login");
    EXPECT_EQ(s.FtpPassword, "zorbatex");
    EXPECT_EQ(s.FtpFilename, "tolvex.jpg");
    EXPECT_EQ(s.HowToCheckDriver, 2);
    EXPECT_EQ(s.TempBufferFileAndPath, app + "/cap$$$.tmp");
    EXPECT_EQ(s.MotionRecordingDuration, 8);
    EXPECT_EQ(s.StampText, "Tolvex ");
    EXPECT_EQ(s.MultipleMotionRecords, 1);
    EXPECT_EQ(s.SoundFlags, (std::array<int16_t, 4>{1, 1, 0, 0}));
    EXPECT_EQ(s.ShortcutKeys, (std::array<int16_t, 4>{113, 114, 121, 0}));
    EXPECT_EQ(s.SaveFileNameOptions, 0);
    EXPECT_EQ(s.EmbedFontSize, 0);
    EXPECT_EQ(s.EmbedFontBold, 0);
    EXPECT_EQ(s.EmbedFontName, "");
    EXPECT_EQ(s.ButtonColors[0], 0 + 256 * 130 + 65536 * 255);
    EXPECT_EQ(s.ButtonColors[5], 255 + 256 * 50 + 65536 * 50);
    EXPECT_EQ(s.ButtonColors[7], static_cast<int32_t>(0x80000010));
    EXPECT_EQ(s.ButtonColors[8], 0);

    const QStringList lines = iniLines(box);
    ASSERT_EQ(lines.size(), 128);
    EXPECT_EQ(lines[2], "[Device]");
    EXPECT_EQ(lines[3], " 0 ");
    EXPECT_EQ(valueAfter(lines, "[PicturePath]"), app + "/CamSnapshots");
    EXPECT_EQ(valueAfter(lines, "[JPG-Quality]"), " 75 ");
    EXPECT_EQ(valueAfter(lines, "[BackgroundColor]"), "-2147483633 ");
    EXPECT_EQ(valueAfter(lines, "[SoundsSelection]"), "1100");
    EXPECT_EQ(valueAfter(lines, "[ShortcutkeyStop]"), " 121 ");
    EXPECT_EQ(valueAfter(lines, "[TempBufferFileAndPath]"), app + "/cap$$$.tmp");
    EXPECT_EQ(box.readFile("DevicesDatabase.log"), QByteArray());
    EXPECT_TRUE(QFileInfo::exists(app + "/DevicesDatabase.log"));
}

TEST(LoadSettings, ReadsBackEverythingThatWasSaved)
{
    Sandbox box;
    SettingsModel saved = customModel(box);
    saved.AutoTimer = 1;
    // Every stored value differs from the start value of a model, so a value that is
    // not read shows.
    SettingsModel defaults = modelIn(box);
    QString defaultName = box.programFolder() + "/Defaults.ini";
    SaveSettings(defaults, defaultName, nullptr);
    const QStringList defaultLines = crLfLines(box.readFile("Defaults.ini"));
    QString name;
    SaveSettings(saved, name, nullptr);
    EXPECT_EQ(name, iniPath(box));
    const QStringList savedLines = iniLines(box);
    ASSERT_EQ(savedLines.size(), defaultLines.size());
    for (qsizetype i = 3; i < savedLines.size(); i += 2) {
        if (savedLines[i - 1] != "[reservedAutoTimer]") {
            EXPECT_NE(savedLines[i], defaultLines[i]) << savedLines[i - 1].toStdString();
        }
    }

    SettingsModel s = modelIn(box);
    load(s);
    EXPECT_EQ(settingsFileLines(s), settingsFileLines(saved));
    EXPECT_EQ(s.SoundFlags, saved.SoundFlags);
    EXPECT_EQ(s.AutoTimer, 0);  // the empty value line does not touch it
    EXPECT_FALSE(QFileInfo::exists(box.programFolder() + "/DevicesDatabase.log"));

    SettingsModel kept = saved;
    load(kept);
    EXPECT_EQ(kept.AutoTimer, 1);
}

TEST(LoadSettings, AcceptsLfOnlyLines)
{
    Sandbox box;
    const QStringList lines = customFile(box);
    writeIni(box, lines, "\n");
    SettingsModel s = modelIn(box);
    load(s);
    EXPECT_EQ(s.ButtonStyle, 2);
    EXPECT_EQ(s.FtpHost, "ftp.example.org");
    EXPECT_EQ(s.UseBurstAsSnapshot, 1);
}

TEST(LoadSettings, OpmaakIsCalledOnEveryReading)
{
    Sandbox box;
    customFile(box);
    // The main window as the settings file sees it: re-styled once, no error box.
    MainWindowLinkFake mainWindow;
    SettingsModel s = modelIn(box);
    load(s, &mainWindow);
    EXPECT_EQ(mainWindow.opmaakCalls, 1);
    EXPECT_TRUE(mainWindow.saveErrors.isEmpty());
}

TEST(LoadSettings, SecondInstanceUsesItsOwnFileWhateverTheName)
{
    Sandbox box;
    SettingsModel s = modelIn(box);
    s.SecondInstance = -1;
    QString name = "/elsewhere/other.ini";
    LoadSettings(s, name, nullptr);
    EXPECT_EQ(name, box.programFolder() + "/Tolvex2.ini");
    EXPECT_EQ(settingsFileName(s), name);
    EXPECT_EQ(crLfLines(box.readFile("Tolvex2.ini")).size(), 128);
    EXPECT_FALSE(QFileInfo::exists(iniPath(box)));
}

// Each case changes one value line of an otherwise custom file.
struct RepairCase {
    const char* key;
    const char* valueLine;
    std::function<QVariant(const SettingsModel&)> variable;
    QVariant expected;  // "APP" stands for the program folder
};

void PrintTo(const RepairCase& c, std::ostream* os)
{
    *os << c.key << " \"" << c.valueLine << '"';
}

class LoadSettingsRepair : public testing::TestWithParam<RepairCase> {};

TEST_P(LoadSettingsRepair, RepairsTheValueAndKeepsTheFile)
{
    const RepairCase& c = GetParam();
    Sandbox box;
    writeIni(box, withValue(customFile(box), c.key, c.valueLine));
    const QByteArray before = box.readFile("Tolvex.ini");
    SettingsModel s = modelIn(box);
    load(s);
    QVariant expected = c.expected;
    if (expected.typeId() == QMetaType::QString)
        expected = expected.toString().replace("APP", box.programFolder());
    EXPECT_EQ(c.variable(s), expected);
    EXPECT_EQ(box.readFile("Tolvex.ini"), before);
    EXPECT_EQ(s.FtpHost, "ftp.example.org");
}

#define VAR(member) [](const SettingsModel& s) { return QVariant::fromValue(s.member); }

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadSettingsRepair,
    testing::Values(
        RepairCase{"[PicturePath]", "ab", VAR(PicturePath), "APP/CamSnapshots"},
        RepairCase{"[AutoSavePath]", "  x  ", VAR(AutoSavePath), "APP/CamAutoPics"},
        RepairCase{"[VideoPath]", "", VAR(VideoPath), "APP/CamVideos"},
        RepairCase{"[MotionPicsPath]", "/m", VAR(MotionPicsPath), "APP/CamMotionPics"},
        RepairCase{"[SaveAsPath]", "", VAR(SaveAsPath), "APP"},
        RepairCase{"[MotionRecordingPath]", "r", VAR(MotionRecordingPath),
                   "APP/CamMotionRecordings"},
        RepairCase{"[VideoPath]", " /v ", VAR(VideoPath), "APP/CamVideos"},
        RepairCase{"[VideoPath]", "/vi", VAR(VideoPath), "/vi"},
        RepairCase{"[MotionPicsPath]", "/data/pics [old]", VAR(MotionPicsPath),
                   "/data/pics [old]"},
        RepairCase{"[JPG-Quality]", " 9 ", VAR(JPGQuality), int16_t(75)},
        RepairCase{"[JPG-Quality]", " 10 ", VAR(JPGQuality), int16_t(10)},
        RepairCase{"[JPG-Quality]", " 150 ", VAR(JPGQuality), int16_t(100)},
        RepairCase{"[Device]", " 12 ", VAR(CaptureDevice), int32_t(0)},
        RepairCase{"[Device]", "-1 ", VAR(CaptureDevice), int32_t(0)},
        RepairCase{"[Device]", " 9 ", VAR(CaptureDevice), int32_t(9)},
        RepairCase{"[ScanRefresh]", " 0 ", VAR(ScanRefresh), int16_t(25)},
        RepairCase{"[ScanRefresh]", "fast", VAR(ScanRefresh), int16_t(25)},
        RepairCase{"[ScanRefresh]", " 33 ms", VAR(ScanRefresh), int16_t(33)},
        RepairCase{"[ScanRefresh]", " 2.5 ", VAR(ScanRefresh), int16_t(2)},
        RepairCase{"[ScanRefresh]", " 3.5 ", VAR(ScanRefresh), int16_t(4)},
        RepairCase{"[DefaultFilename]", "   ", VAR(DefaultFilename), "Cam"},
        RepairCase{"[MaxSaveLimit]", " 0 ", VAR(MaxSaveLimit), int32_t(99999)},
        RepairCase{"[BackgroundColor]", " 0 ", VAR(BackgroundColor), int32_t(-2147483633)},
        RepairCase{"[BackgroundColor]", "-5 ", VAR(BackgroundColor), int32_t(-2147483633)},
        RepairCase{"[BackgroundColor]", " 1 ", VAR(BackgroundColor), int32_t(1)},
        RepairCase{"[MaxBurstFrames]", " 1 ", VAR(MaxBurstFrames), int16_t(10)},
        RepairCase{"[MaxBurstFrames]", " 2 ", VAR(MaxBurstFrames), int16_t(2)},
        RepairCase{"[MaxBurstFrames]", " 25 ", VAR(MaxBurstFrames), int16_t(20)},
        RepairCase{"[SaveAsScreenSize]", "-1 ", VAR(SaveAsScreenSize), int16_t(0)},
        RepairCase{"[StampText]", "", VAR(StampText), "Tolvex "},
        RepairCase{"[StampText]", " ", VAR(StampText), " "},
        RepairCase{"[TempBufferFileAndPath]", "a", VAR(TempBufferFileAndPath), "APP/cap$$$.tmp"},
        RepairCase{"[TempBufferFileAndPath]", "C:", VAR(TempBufferFileAndPath),
                   "C:/cap$$$.tmp"},
        RepairCase{"[TempBufferFileAndPath]", "/var/buffer", VAR(TempBufferFileAndPath),
                   "/var/buffer$.tmp"},
        RepairCase{"[TempBufferFileAndPath]", "x:y", VAR(TempBufferFileAndPath), "x:y$.tmp"},
        RepairCase{"[TempBufferFileAndPath]", "/t.b", VAR(TempBufferFileAndPath), "APP/cap$$$.tmp"},
        RepairCase{"[TempBufferFileAndPath]", "/t.bm", VAR(TempBufferFileAndPath), "/t.bm"},
        RepairCase{"[ShortcutkeyStart]", " 0 ", VAR(ShortcutKeys[0]), int16_t(113)},
        RepairCase{"[ShortcutkeySnapshot]", " 0 ", VAR(ShortcutKeys[1]), int16_t(114)},
        RepairCase{"[ShortcutkeyStop]", " 0 ", VAR(ShortcutKeys[2]), int16_t(121)},
        RepairCase{"[ShortcutkeyReserved]", " 0 ", VAR(ShortcutKeys[3]), int16_t(0)}));

#undef VAR

TEST(LoadSettings, SoundsSelectionSwitchesOnlyTheFlagsMarkedOne)
{
    Sandbox box;
    writeIni(box, withValue(customFile(box), "[SoundsSelection]", "0101"));
    SettingsModel s = modelIn(box);
    load(s);
    EXPECT_EQ(s.SoundFlags, (std::array<int16_t, 4>{0, 1, 0, 1}));

    writeIni(box, withValue(iniLines(box), "[SoundsSelection]", "-1-"));
    SettingsModel keeps = modelIn(box);
    keeps.SoundFlags = {1, 0, 1, 1};
    load(keeps);
    EXPECT_EQ(keeps.SoundFlags, (std::array<int16_t, 4>{1, 1, 1, 1}));
}

TEST(LoadSettings, AssignsThePaletteOnEveryReading)
{
    Sandbox box;
    customFile(box);
    SettingsModel s = modelIn(box);
    s.ButtonColors.fill(5);
    load(s);
    EXPECT_EQ(s.ButtonColors[1], 16 + 256 * 64 + 65536 * 120);
    EXPECT_EQ(s.ButtonColors[6], 0);
    EXPECT_EQ(s.ButtonColors[10], 5);
}

// Files that the full-default test rebuilds.
struct BrokenFileCase {
    const char* name;
    std::function<QStringList(QStringList)> breakFile;
    bool failure;  // a reading failure: JPGQuality 75, and for out of step every folder's default
    bool folderDefaults;
};

void PrintTo(const BrokenFileCase& c, std::ostream* os)
{
    *os << c.name;
}

class LoadSettingsRebuild : public testing::TestWithParam<BrokenFileCase> {};

TEST_P(LoadSettingsRebuild, AssignsTheFullDefaultSetAndRewritesTheFile)
{
    const BrokenFileCase& c = GetParam();
    Sandbox box;
    writeIni(box, c.breakFile(customFile(box)));
    box.writeFile("DevicesDatabase.log", "0 Cam 320x240@24\r\n");
    SettingsModel s = modelIn(box);
    load(s);

    EXPECT_TRUE(rebuilt(s, box));
    EXPECT_EQ(iniLines(box).size(), 128);
    EXPECT_EQ(box.readFile("DevicesDatabase.log"), QByteArray());
    EXPECT_EQ(s.JPGQuality, c.failure ? 75 : 90);
    EXPECT_EQ(hasDefaultFolders(s, box), c.folderDefaults);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadSettingsRebuild,
    testing::Values(
        BrokenFileCase{"EmptyTitleLine",
                       [](QStringList l) {
                           l[0] = "";
                           return l;
                       },
                       false, false},
        BrokenFileCase{"ShortTitleLine",
                       [](QStringList l) {
                           l[0] = " ;v ";
                           return l;
                       },
                       false, false},
        BrokenFileCase{"ExtraLine",
                       [](QStringList l) {
                           l.insert(10, "");
                           return l;
                       },
                       true, true},
        BrokenFileCase{"MissingLine",
                       [](QStringList l) {
                           l.removeAt(40);
                           return l;
                       },
                       true, true},
        BrokenFileCase{"CommaInAnUnquotedField",
                       [](QStringList l) {
                           return withValue(l, "[PictureEditor]", "C:/Prog, Inc/ed.exe");
                       },
                       true, true},
        BrokenFileCase{"RenamedKey",
                       [](QStringList l) {
                           l[keyIndex(l, "[Stoptime]")] = "[StopTime]";
                           return l;
                       },
                       true, true},
        BrokenFileCase{"NumberOutOfRange",
                       [](QStringList l) { return withValue(l, "[ScanRefresh]", " 40000 "); },
                       true, false},
        BrokenFileCase{"NumberOutOfRangeFor32Bits",
                       [](QStringList l) { return withValue(l, "[Device]", " 2147483648 "); },
                       true, false}));

TEST(LoadSettings, OutOfRangeNumberKeepsTheVariableUntilTheRebuild)
{
    Sandbox box;
    writeIni(box, withValue(customFile(box), "[SaveFileNameOptions]", " 32768 "));
    SettingsModel s = modelIn(box);
    s.SaveFileNameOptions = 1;
    load(s);
    EXPECT_EQ(s.SaveFileNameOptions, 1);  // not part of the full default set
    EXPECT_EQ(s.EmbedFontName, "Arial");
    EXPECT_TRUE(rebuilt(s, box));
}

TEST(LoadSettings, FileThatEndsEarlyKeepsItsValuesAndIsNotRewritten)
{
    Sandbox box;
    QStringList lines = customFile(box);
    lines = lines.mid(0, keyIndex(lines, "[SaveAsPath]") + 1);  // key line without its value
    writeIni(box, lines);
    const QByteArray before = box.readFile("Tolvex.ini");
    SettingsModel s = modelIn(box);
    s.MaxBurstFrames = 7;
    s.FtpHost = "kept.example.org";
    load(s);

    EXPECT_EQ(s.ButtonStyle, 2);
    EXPECT_EQ(s.StartMode, 3);
    EXPECT_EQ(s.PicturePath, "/data/snaps");
    EXPECT_EQ(s.SaveAsPath, box.programFolder());  // not read: empty, then repaired
    EXPECT_EQ(s.MaxBurstFrames, 7);
    EXPECT_EQ(s.FtpHost, "kept.example.org");
    EXPECT_EQ(s.JPGQuality, 75);
    EXPECT_EQ(box.readFile("Tolvex.ini"), before);
    EXPECT_FALSE(QFileInfo::exists(box.programFolder() + "/DevicesDatabase.log"));
}

TEST(LoadSettings, EndOfFileAfterAnOutOfRangeNumberKeepsTheFile)
{
    Sandbox box;
    QStringList lines = withValue(customFile(box), "[ScanRefresh]", " 99999 ");
    writeIni(box, lines.mid(0, 60));
    const QByteArray before = box.readFile("Tolvex.ini");
    SettingsModel s = modelIn(box);
    load(s);
    EXPECT_EQ(s.ButtonStyle, 2);
    EXPECT_EQ(s.ScanRefresh, 25);
    EXPECT_EQ(box.readFile("Tolvex.ini"), before);
}

TEST(LoadSettings, OutOfStepFileThatAlsoEndsEarlyIsRebuilt)
{
    Sandbox box;
    QStringList lines = customFile(box);
    lines.removeAt(keyIndex(lines, "[ftpHost]"));
    writeIni(box, lines.mid(0, 100));
    SettingsModel s = modelIn(box);
    load(s);
    EXPECT_TRUE(rebuilt(s, box));
    EXPECT_TRUE(hasDefaultFolders(s, box));
}

// An extra line and a missing one near the top shift the keys and then put them back
// in step; nothing from the first wrong key on may reach the settings that the full
// default set leaves alone, or they would keep wrong values for good.
TEST(LoadSettings, OutOfStepFileGivesNoValueFromTheFirstWrongKeyOn)
{
    Sandbox box;
    QStringList lines = customFile(box);
    lines.insert(keyIndex(lines, "[PicturePath]"), "[Extra]");
    lines.removeAt(keyIndex(lines, "[SaveBitmapType]") + 1);
    ASSERT_EQ(lines[keyIndex(lines, "[ButtonColor]") + 1], " 2 ");  // back in step
    writeIni(box, lines);
    SettingsModel s = modelIn(box);
    load(s);

    const SettingsModel before = modelIn(box);
    EXPECT_TRUE(rebuilt(s, box));
    EXPECT_TRUE(hasDefaultFolders(s, box));
    EXPECT_EQ(s.CaptureDevice, 0);
    EXPECT_EQ(s.JPGQuality, 75);
    EXPECT_EQ(s.SaveFileNameOptions, before.SaveFileNameOptions);
    EXPECT_EQ(s.EmbedFontSize, before.EmbedFontSize);
    EXPECT_EQ(s.EmbedFontBold, before.EmbedFontBold);
    EXPECT_EQ(s.EmbedFontName, before.EmbedFontName);
    EXPECT_EQ(s.ShortcutKeys, (std::array<int16_t, 4>{113, 114, 121, 0}));

    const QStringList file = iniLines(box);
    EXPECT_EQ(valueAfter(file, "[SaveFileNameOptions]"), " 0 ");
    EXPECT_EQ(valueAfter(file, "[JPG-Quality]"), " 75 ");
    EXPECT_EQ(valueAfter(file, "[PicturePath]"), box.programFolder() + "/CamSnapshots");
    EXPECT_EQ(valueAfter(file, "[EmbedFontName]"), "");
    EXPECT_EQ(valueAfter(file, "[ShortcutkeyReserved]"), " 0 ");
}

// A FIFO, a device or a huge file in the settings file's place is a file that cannot
// be read: no waiting, no growing memory, the default settings and a reason on
// standard error. A pipe or a device is left as it was (a huge file is rebuilt).
TEST(LoadSettings, OnlyARegularFileOfASettingsFilesSizeIsRead)
{
    struct Case {
        const char* name;
        std::function<void(const QString&)> place;
    };
    const Case cases[] = {
        {"fifo", [](const QString& path) { ASSERT_EQ(mkfifo(QFile::encodeName(path), 0600), 0); }},
        {"link to /dev/zero", [](const QString& path) { ASSERT_TRUE(QFile::link("/dev/zero", path)); }},
        {"huge file",
         [](const QString& path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write(";Vyk-Ondrel Tolvex v1.0.0\r\n");
             ASSERT_TRUE(file.resize(qint64(2) << 20));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sandbox box;
        QDir().mkpath(box.programFolder());
        c.place(iniPath(box));
        const QFileInfo placed(iniPath(box));
        alarm(20);  // a reading that waits on the pipe or reads forever ends the test
        testing::internal::CaptureStderr();
        SettingsModel s = modelIn(box);
        s.ButtonStyle = 2;
        load(s);
        WriteIniValue(s, "[Device]", 3);
        const std::string err = testing::internal::GetCapturedStderr();
        alarm(0);
        EXPECT_EQ(s.ButtonStyle, 4);
        EXPECT_TRUE(hasDefaultFolders(s, box));
        EXPECT_NE(err.find(iniPath(box).toStdString()), std::string::npos) << err;
        const QFileInfo after(iniPath(box));
        EXPECT_EQ(after.isSymLink(), placed.isSymLink());
        EXPECT_EQ(after.isFile(), placed.isFile());
    }
}

namespace {

QStringList g_settingsWarnings;

void keepSettingsWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg && QByteArray(context.category) == "tolvex.settings")
        g_settingsWarnings.append(text);
}

}  // namespace

// What a crash may leave on some file systems: the file's size in NUL bytes. Such a
// file, or any without the first key line where it belongs, is rebuilt as a missing
// one is, and the broken one is kept beside it and named in the log.
TEST(LoadSettings, FileWithoutAValidFirstKeyLineIsKeptAsBadAndRebuilt)
{
    struct Case {
        const char* name;
        QByteArray content;
        bool secondInstance;
    };
    const Case cases[] = {
        {"NUL bytes", QByteArray(4096, '\0'), false},
        {"NUL bytes, second copy", QByteArray(4096, '\0'), true},
        {"NUL bytes in lines", QByteArray(40, '\0') + "\r\n" + QByteArray(40, '\0') + "\r\n" + QByteArray(40, '\0'),
         false},
        {"title and comment only", ";Vyk-Ondrel Tolvex v100\r\n;comment\r\n", false},
        {"first key missing", ";Vyk-Ondrel Tolvex v100\r\n;comment\r\n 3 \r\n[PicturePath]\r\n/data\r\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sandbox box;
        const QString file = c.secondInstance ? "Tolvex2.ini" : "Tolvex.ini";
        box.writeFile(file, c.content);
        box.writeFile("DevicesDatabase.log", "0 Cam 320x240@24\r\n");
        SettingsModel s = modelIn(box);
        s.SecondInstance = c.secondInstance ? -1 : 0;
        s.FtpHost = "not.a.default";
        g_settingsWarnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(keepSettingsWarnings);
        load(s);
        qInstallMessageHandler(previous);

        EXPECT_EQ(s.ButtonStyle, 4);
        EXPECT_EQ(s.FtpHost, "127.0.0.1");
        EXPECT_TRUE(hasDefaultFolders(s, box));
        const QStringList lines = crLfLines(box.readFile(file));
        ASSERT_EQ(lines.size(), 128);
        EXPECT_TRUE(lines[0].startsWith(";Vyk-Ondrel Tolvex v"));
        EXPECT_EQ(lines[2], "[Device]");
        EXPECT_EQ(box.readFile(file + ".bad"), c.content);
        EXPECT_EQ(box.readFile("DevicesDatabase.log"), QByteArray());
        EXPECT_EQ(g_settingsWarnings.filter(file + ".bad").size(), 1) << g_settingsWarnings.join('\n').toStdString();
    }
}

TEST(LoadSettings, AGoodFileLeavesNoBadFile)
{
    Sandbox box;
    SettingsModel s = modelIn(box);
    load(s);  // the first start writes the file
    load(s);
    EXPECT_FALSE(QFileInfo::exists(iniPath(box) + ".bad"));
}
