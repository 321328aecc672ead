#include "core/SetupApply.h"

#include <gtest/gtest.h>

TEST(SetupConversions, BoxNumberReadsTheNumberAtTheStart)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},        {"abc", 0},     {"25", 25},      {"  25 ms", 25}, {"-3", -3},   {"+7", 7},
        {"0.5", 0.5},   {".5", 0.5},    {"12abc", 12},   {"1e3", 1000},   {"1e", 1},    {"2D2", 200},
        {"3.7.1", 3.7}, {"ms25", 0},    {"00042", 42},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(boxNumber(c.text), c.value) << c.text;
}

TEST(SetupConversions, WholeNumbersRoundHalfToEvenAndRefuseWhatDoesNotFit)
{
    const struct {
        double value;
        std::optional<int16_t> whole;
    } cases16[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {0.4, 0}, {1.5, 2}, {32767, 32767}, {32767.5, std::nullopt},
        {32768, std::nullopt}, {-32768, -32768}, {-32769, std::nullopt}, {1e300, std::nullopt},
    };
    for (const auto& c : cases16)
        EXPECT_EQ(wholeInt16(c.value), c.whole) << c.value;
    EXPECT_EQ(wholeInt32(2147483647.0), 2147483647);
    EXPECT_EQ(wholeInt32(2147483648.0), std::nullopt);
    EXPECT_EQ(wholeInt32(4.5), 4);
}

TEST(SetupConversions, TimesAreTakenOnlyAsRealTimesWithTheColonThird)
{
    const struct {
        const char* text;
        std::optional<QString> time;
    } cases[] = {
        {"07:30", "07:30"},       {"07:30:59", "07:30"}, {"23:59", "23:59"},     {"00:00", "00:00"},
        {"14:05:09", "14:05"},    {"07:3", "07:03"},     {"7:30", std::nullopt}, {"24:00", std::nullopt},
        {"12:60", std::nullopt},  {"ab:cd", std::nullopt}, {"", std::nullopt},   {"1230", std::nullopt},
        {"12:30:75", std::nullopt}, {"12:30 PM", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(acceptedTime(c.text), c.time) << c.text;
}

TEST(SetupConversions, TimeBoxShowsTheStoredTimeOrNow)
{
    const QTime now(9, 5, 7);
    EXPECT_EQ(timeBoxText("07:30", now), "07:30");
    EXPECT_EQ(timeBoxText(" 7:30 ", now), "07:30");
    EXPECT_EQ(timeBoxText("123", now), "09:05") << "three characters or fewer: the current time";
    EXPECT_EQ(timeBoxText("", now), "09:05");
    EXPECT_EQ(timeBoxText("later", now), "later") << "not a time: shown as stored";
}

TEST(SetupConversions, CountersShowAtLeastFiveDigits)
{
    EXPECT_EQ(fiveDigitText(42), "00042");
    EXPECT_EQ(fiveDigitText(0), "00000");
    EXPECT_EQ(fiveDigitText(99999), "99999");
    EXPECT_EQ(fiveDigitText(1234567), "1234567");
    EXPECT_EQ(fiveDigitText(-42), "-00042");
}

TEST(SetupConversions, StampTextGetsOneTrailingBlank)
{
    const struct {
        const char* text;
        const char* result;
    } cases[] = {
        {"Tolvex", "Tolvex "}, {"Tolvex ", "Tolvex "}, {" Cam 1", " Cam 1 "}, {"", ""}, {"   ", "   "},
        {"2024", "2024 "},     {"1", "1"},             {"0.5", "0.5"},        {"-3", "-3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(stampTextWithBlank(c.text), c.result) << c.text;
}

namespace {

// A form as a dialog opened on defaults shows it.
SetupForm defaultForm()
{
    SetupForm f;
    f.Text3 = "25";
    f.Label3 = "75";
    f.Text1 = "/cam/snap";
    f.Text2 = "/cam/auto";
    f.Text6 = "/cam/video";
    f.Text7 = "/cam/motion";
    f.Text8 = "/cam";
    f.Text9 = "/cam/motionrec";
    f.lstDevices = 0;
    f.driverCount = 1;
    f.saveIntervalText = "30";
    f.buttonColor = 7;
    f.fileOption = 0;
    f.txtFilename = "Cam";
    f.txtCounter = "00000";
    f.cmbStyle = 4;
    f.cmbMaxBurst = 8;
    f.checkRes = 2;
    f.streamSource = 0;
    f.txtStartTime = "08:00";
    f.txtStopTime = "17:00";
    f.cmbSensitivity = 3;
    f.cmbTrigger = 0;
    f.txtMaxPicLimit = "99999";
    f.cmbStartMode = 0;
    f.txtRecDuration = "8";
    f.txtStampText = "Tolvex ";
    return f;
}

SettingsModel keptValues()
{
    SettingsModel s;
    s.ScanRefresh = 40;
    s.JPGQuality = 60;
    s.PicturePath = "/old/snap";
    s.AutoSavePath = "/old/auto";
    s.VideoPath = "/old/video";
    s.MotionPicsPath = "/old/motion";
    s.MotionRecordingPath = "/old/motionrec";
    s.SaveAsPath = "/old";
    s.FileCounter = 7;
    s.MaxBurstFrames = 5;
    s.StartTime = "06:15";
    s.StopTime = "22:45";
    s.MotionRecordingDuration = 30;
    s.AutoSaveInterval = 12;
    s.ButtonColor = 3;
    s.ButtonStyle = 2;
    s.SaveFileNameOptions = 1;
    s.HowToCheckDriver = 1;
    s.StreamSource = 1;
    s.MotionSensing = 5;
    s.TriggerFocus = 4;
    s.AutoRunMode = 2;
    return s;
}

}  // namespace

TEST(ApplySetupForm, ConversionsAndLimitsOfEachBox)
{
    // Each row changes one box of the default form and names the setting it must give.
    using Field = std::function<void(SetupForm&)>;
    using Check = std::function<void(const SettingsModel&)>;
    const struct {
        const char* what;
        Field change;
        Check expect;
    } cases[] = {
        {"frame period rounds half to even", [](SetupForm& f) { f.Text3 = "2.5"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.ScanRefresh, 2); }},
        {"frame period out of range keeps", [](SetupForm& f) { f.Text3 = "40000"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.ScanRefresh, 40); }},
        {"quality from the label", [](SetupForm& f) { f.Label3 = "90"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.JPGQuality, 90); }},
        {"folder of three characters keeps", [](SetupForm& f) { f.Text1 = " /ab "; },
         [](const SettingsModel& s) { EXPECT_EQ(s.PicturePath, "/old/snap"); }},
        {"folder of four characters is taken trimmed", [](SetupForm& f) { f.Text2 = " /abc "; },
         [](const SettingsModel& s) { EXPECT_EQ(s.AutoSavePath, "/abc"); }},
        {"short video and motion folders keep", [](SetupForm& f) { f.Text6 = "/v"; f.Text7 = ""; f.Text9 = "  "; },
         [](const SettingsModel& s) {
             EXPECT_EQ(s.VideoPath, "/old/video");
             EXPECT_EQ(s.MotionPicsPath, "/old/motion");
             EXPECT_EQ(s.MotionRecordingPath, "/old/motionrec");
         }},
        {"empty Save As folder is taken", [](SetupForm& f) { f.Text8 = ""; },
         [](const SettingsModel& s) { EXPECT_EQ(s.SaveAsPath, ""); }},
        {"BMP stores -1", [](SetupForm& f) { f.jpgSelected = false; },
         [](const SettingsModel& s) { EXPECT_EQ(s.SaveBitmapType, -1); }},
        {"no device selected gives 0", [](SetupForm& f) { f.lstDevices = kNoSelection; },
         [](const SettingsModel& s) { EXPECT_EQ(s.CaptureDevice, 0); }},
        {"\"No Device Available\" gives 0", [](SetupForm& f) { f.lstDevices = 2; f.driverCount = 2; },
         [](const SettingsModel& s) { EXPECT_EQ(s.CaptureDevice, 0); }},
        {"second driver", [](SetupForm& f) { f.lstDevices = 1; f.driverCount = 2; },
         [](const SettingsModel& s) { EXPECT_EQ(s.CaptureDevice, 1); }},
        {"interval from the main window", [](SetupForm& f) { f.saveIntervalText = "45"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.AutoSaveInterval, 45); }},
        {"no colour selected keeps", [](SetupForm& f) { f.buttonColor = kNoSelection; },
         [](const SettingsModel& s) { EXPECT_EQ(s.ButtonColor, 3); }},
        {"negative counter gives 0", [](SetupForm& f) { f.txtCounter = "-5"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.FileCounter, 0); }},
        {"counter beyond a Long keeps", [](SetupForm& f) { f.txtCounter = "99999999999"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.FileCounter, 7); }},
        {"counter not a number gives 0", [](SetupForm& f) { f.txtCounter = "abc"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.FileCounter, 0); }},
        {"burst list index plus two", [](SetupForm& f) { f.cmbMaxBurst = 0; },
         [](const SettingsModel& s) { EXPECT_EQ(s.MaxBurstFrames, 2); }},
        {"no burst selection keeps", [](SetupForm& f) { f.cmbMaxBurst = kNoSelection; },
         [](const SettingsModel& s) { EXPECT_EQ(s.MaxBurstFrames, 5); }},
        {"empty combos keep their settings",
         [](SetupForm& f) {
             f.cmbStyle = f.cmbSensitivity = f.cmbTrigger = f.cmbStartMode = kNoSelection;
             f.fileOption = f.checkRes = f.streamSource = kNoSelection;
         },
         [](const SettingsModel& s) {
             EXPECT_EQ(s.ButtonStyle, 2);
             EXPECT_EQ(s.MotionSensing, 5);
             EXPECT_EQ(s.TriggerFocus, 4);
             EXPECT_EQ(s.AutoRunMode, 2);
             EXPECT_EQ(s.SaveFileNameOptions, 1);
             EXPECT_EQ(s.HowToCheckDriver, 1);
             EXPECT_EQ(s.StreamSource, 1);
         }},
        {"limit 0 gives 99999", [](SetupForm& f) { f.txtMaxPicLimit = "0"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.MaxSaveLimit, 99999); }},
        {"limit 100000 gives 99999", [](SetupForm& f) { f.txtMaxPicLimit = "100000"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.MaxSaveLimit, 99999); }},
        {"limit 1", [](SetupForm& f) { f.txtMaxPicLimit = "1"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.MaxSaveLimit, 1); }},
        {"limit not a number gives 99999", [](SetupForm& f) { f.txtMaxPicLimit = "lots"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.MaxSaveLimit, 99999); }},
        {"recording 3 gives 8", [](SetupForm& f) { f.txtRecDuration = "3"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.MotionRecordingDuration, 8); }},
        {"recording 5000 stays", [](SetupForm& f) { f.txtRecDuration = "5000"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.MotionRecordingDuration, 5000); }},
        {"recording 3.5 rounds to 4", [](SetupForm& f) { f.txtRecDuration = "3.5"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.MotionRecordingDuration, 4); }},
        {"start and stop time taken as hh:mm", [](SetupForm& f) { f.txtStartTime = "07:45:12"; f.txtStopTime = "19:05"; },
         [](const SettingsModel& s) {
             EXPECT_EQ(s.StartTime, "07:45");
             EXPECT_EQ(s.StopTime, "19:05");
         }},
        {"single-digit hour keeps the time", [](SetupForm& f) { f.txtStartTime = "7:45"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.StartTime, "06:15"); }},
        {"impossible time keeps the time", [](SetupForm& f) { f.txtStopTime = "25:99"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.StopTime, "22:45"); }},
        {"empty file name gives Cam", [](SetupForm& f) { f.txtFilename = "  "; f.fileOption = 2; },
         [](const SettingsModel& s) {
             EXPECT_EQ(s.DefaultFilename, "Cam");
             EXPECT_EQ(s.SaveFileNameOptions, 2) << "the counter option stays";
         }},
        {"user colour", [](SetupForm& f) { f.userColor = true; f.LblKleurColor = 0x123456; },
         [](const SettingsModel& s) { EXPECT_EQ(s.BackgroundColor, 0x123456); }},
        {"normal colour", [](SetupForm& f) { f.userColor = false; f.LblKleurColor = 0x123456; },
         [](const SettingsModel& s) { EXPECT_EQ(s.BackgroundColor, -1); }},
        {"side logo stores -1", [](SetupForm& f) { f.Check2 = true; },
         [](const SettingsModel& s) { EXPECT_EQ(s.ShowSideLogo, -1); }},
        {"sounds", [](SetupForm& f) { f.sounds = {false, true, false, true}; },
         [](const SettingsModel& s) { EXPECT_EQ(s.SoundFlags, (std::array<int16_t, 4>{0, 1, 0, 1})); }},
        {"stamp text gets its blank", [](SetupForm& f) { f.txtStampText = "Porch"; },
         [](const SettingsModel& s) { EXPECT_EQ(s.StampText, "Porch "); }},
    };
    for (const auto& c : cases) {
        SettingsModel s = keptValues();
        SetupForm f = defaultForm();
        // The rows that test "keeps" need the form to name no new value.
        f.Text3 = "40";
        f.Label3 = "60";
        f.txtCounter = "7";
        f.cmbMaxBurst = 3;
        f.txtStartTime = "06:15";
        f.txtStopTime = "22:45";
        f.txtRecDuration = "30";
        f.buttonColor = 3;
        f.cmbStyle = 2;
        f.fileOption = 1;
        f.checkRes = 1;
        f.streamSource = 1;
        f.cmbSensitivity = 5;
        f.cmbTrigger = 4;
        f.cmbStartMode = 2;
        c.change(f);
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(applySetupForm(f, s).applied);
        c.expect(s);
    }
}

TEST(ApplySetupForm, AnInvalidFramePeriodChangesNothing)
{
    for (const char* text : {"", "0", "0.5", "abc", "-3", "ms 25"}) {
        SettingsModel s = keptValues();
        SetupForm f = defaultForm();
        f.Text3 = text;
        f.Text1 = "/new/snap";
        EXPECT_FALSE(applySetupForm(f, s).applied) << text;
        EXPECT_EQ(s.ScanRefresh, 40) << text;
        EXPECT_EQ(s.PicturePath, "/old/snap") << text;
    }
}

TEST(ApplySetupForm, StartModeFromBothBoxes)
{
    const struct {
        bool minimized, miniMode;
        int16_t mode;
    } cases[] = {{false, false, 0}, {true, false, 1}, {false, true, 2}, {true, true, 3}};
    for (const auto& c : cases) {
        SettingsModel s;
        s.StartMode = 2;
        SetupForm f = defaultForm();
        f.minimized = c.minimized;
        f.miniMode = c.miniMode;
        applySetupForm(f, s);
        EXPECT_EQ(s.StartMode, c.mode) << c.minimized << c.miniMode;
    }
}

TEST(ApplySetupForm, WhatIsLeftForTheWindow)
{
    SettingsModel s;
    s.MainWidth = 7125;
    s.MainHeight = 5655;
    SetupForm f = defaultForm();
    f.chkVersionupdate = true;
    f.Check3 = true;
    f.mainWindowTwips = QRect(150, 300, 9000, 6000);
    f.checkRes = 0;
    f.chkFTP = true;
    f.txtFilename = "";
    f.chkAutoTimer = true;
    SetupOutcome out = applySetupForm(f, s);
    EXPECT_EQ(out.noUrlUpdate, "No");
    EXPECT_TRUE(out.saveRegistry);
    EXPECT_EQ(s.ScreenSizePosition, -1);
    EXPECT_EQ(QRect(s.MainLeft, s.MainTop, s.MainWidth, s.MainHeight), QRect(150, 300, 9000, 6000));
    EXPECT_TRUE(out.probeSizesAgain);
    EXPECT_TRUE(out.ftpOn);
    EXPECT_EQ(s.FtpEnabled, 1);
    EXPECT_TRUE(out.selectFirstFileOption);
    EXPECT_EQ(s.AutoTimer, 1);

    SettingsModel tiny;
    tiny.MainWidth = 100;
    tiny.MainHeight = 5000;
    f.chkVersionupdate = false;
    f.checkRes = 2;
    out = applySetupForm(f, tiny);
    EXPECT_EQ(out.noUrlUpdate, "Yes");
    EXPECT_FALSE(out.probeSizesAgain) << "\"Never\" probes nothing";
    EXPECT_EQ(tiny.MainWidth, 100) << "a size below 101 twips is not taken";
    EXPECT_EQ(tiny.MainLeft, 150);
}
