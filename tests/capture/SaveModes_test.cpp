#include "capture/SaveModes.h"

#include <gtest/gtest.h>

namespace {

const QString kBase = "Tolvex 1.0";

SettingsModel modeSettings(bool timed, bool ftp)
{
    SettingsModel s;
    s.AutoTimer = timed ? 1 : 0;
    s.FtpEnabled = ftp ? 1 : 0;
    return s;
}

}  // namespace

TEST(SaveModes, TitleTableForEveryModeAndMoment)
{
    const struct {
        int mode;
        bool timed;
        bool ftp;
        const char* atStart;
        const char* onChange;
    } rows[] = {
        {0, false, false, "", ""},
        {0, true, true, "", ""},
        {1, true, false, " *TimeAutoSave mode*", " *TimeAutoSave mode*"},
        {1, true, true, " *TimeAutoSave mode*", " *TimeAutoSave mode*"},
        {1, false, true, " *AutoSave mode* FTP Mode", " *AutoSave mode* FTP mode"},
        {1, false, false, " *AutoSave mode*", " *AutoSave mode*"},
        {2, true, true, " *TimeMotionSave mode*", " *TimeMotionSave mode*"},
        {2, false, true, " *MotionSave mode*", " *MotionSave mode*"},
        {3, true, false, " *TimeMotionRecord mode*", " *TimeMotionRecord mode*"},
        {3, false, true, " *MotionRecord mode*", " *MotionRecord mode*"},
        {4, false, false, "", ""},
    };
    for (const auto& r : rows) {
        const SettingsModel s = modeSettings(r.timed, r.ftp);
        EXPECT_EQ(modeTitleText(s, r.mode, TitleMoment::PreviewStart), QString(r.atStart))
            << r.mode << " timed " << r.timed << " ftp " << r.ftp;
        EXPECT_EQ(modeTitleText(s, r.mode, TitleMoment::ModeChange), QString(r.onChange))
            << r.mode << " timed " << r.timed << " ftp " << r.ftp;
    }
    EXPECT_EQ(titletext::timerStart("08:00"), " *Timer start 08:00*");
}

TEST(SaveModes, ChoosingAModeSetsTimersAndModeWhetherOrNotThePreviewRuns)
{
    const struct {
        int index;
        bool autoSave;
        bool autoMotion;
        int motionRecord;
    } rows[] = {{0, false, false, 0}, {1, true, false, 0}, {2, false, true, 0}, {3, false, true, 1}};
    for (const auto& r : rows) {
        for (const bool running : {false, true}) {
            const SaveModeChange c = saveChoiceClick(modeSettings(false, false), r.index, r.index, running, kBase);
            EXPECT_EQ(c.saveMode, r.index);
            EXPECT_EQ(c.motionRecordMode, r.motionRecord);
            EXPECT_EQ(c.autoSaveTimer, r.autoSave);
            EXPECT_EQ(c.autoMotionTimer, r.autoMotion);
        }
    }
}

TEST(SaveModes, TitleChangesOnlyWhileThePreviewRunsExceptForManual)
{
    const SettingsModel s = modeSettings(false, false);
    for (int index = 1; index <= 3; ++index)
        EXPECT_FALSE(saveChoiceClick(s, index, index, false, kBase).title.has_value()) << index;
    EXPECT_EQ(saveChoiceClick(s, 2, 2, true, kBase).title, kBase + " *MotionSave mode*");
    EXPECT_EQ(saveChoiceClick(s, 0, 0, false, kBase).title, kBase);
    EXPECT_EQ(saveChoiceClick(s, 0, 0, true, kBase).title, kBase);
}

TEST(SaveModes, MotionRecordWhileStopped)
{
    SettingsModel s = modeSettings(false, false);
    const SaveModeChange c = saveChoiceClick(s, 3, 3, false, kBase);
    c.applyTo(s);
    EXPECT_EQ(s.SaveMode, 3);
    EXPECT_EQ(s.MotionRecordMode, 1);
    EXPECT_EQ(c.autoMotionTimer, true);
    EXPECT_FALSE(c.title.has_value());
}

TEST(SaveModes, AutoSaveWithFtpSpellsModeDifferentlyAtStartAndOnChange)
{
    const SettingsModel s = modeSettings(false, true);
    EXPECT_EQ(saveChoiceClick(s, 1, 1, true, kBase).title, kBase + " *AutoSave mode* FTP mode");
    EXPECT_EQ(armAtPreviewStart(s, 1, kBase).title, kBase + " *AutoSave mode* FTP Mode");
}

TEST(SaveModes, TimedMotionRecordTitleAtStartAndOnChange)
{
    const SettingsModel s = modeSettings(true, false);
    EXPECT_EQ(armAtPreviewStart(s, 3, kBase).title, kBase + " *TimeMotionRecord mode*");
    EXPECT_EQ(saveChoiceClick(s, 3, 3, true, kBase).title, kBase + " *TimeMotionRecord mode*");
}

// The stop button re-arms motion recording by calling the handler directly, so the
// index and the button that is set can differ.
TEST(SaveModes, IndexDecidesTheTimersAndTheSetButtonTheTitle)
{
    const SettingsModel s = modeSettings(false, false);
    const SaveModeChange c = saveChoiceClick(s, 3, 2, true, kBase);
    EXPECT_EQ(c.saveMode, 3);
    EXPECT_EQ(c.title, kBase + " *MotionSave mode*");
    EXPECT_EQ(c.autoMotionTimer, true);
}

TEST(SaveModes, IndexOutsideTheGroupOnlyReadsTheButtons)
{
    const SettingsModel s = modeSettings(false, false);
    const SaveModeChange c = saveChoiceClick(s, 7, 1, true, kBase);
    EXPECT_EQ(c.saveMode, 1);
    EXPECT_EQ(c.title, kBase + " *AutoSave mode*");
    EXPECT_FALSE(c.autoSaveTimer.has_value());
    EXPECT_FALSE(c.autoMotionTimer.has_value());
    EXPECT_FALSE(c.motionRecordMode.has_value());

    const SaveModeChange none = optionSaveMode(s, -1, true, kBase);
    EXPECT_FALSE(none.saveMode || none.title || none.autoSaveTimer || none.autoMotionTimer);
}

TEST(SaveModes, PreviewStartArmsOnlyTheChosenModesTimer)
{
    const SettingsModel s = modeSettings(false, false);
    const SaveModeChange manual = armAtPreviewStart(s, 0, kBase);
    EXPECT_FALSE(manual.autoSaveTimer || manual.autoMotionTimer || manual.title || manual.saveMode);

    const SaveModeChange autoSave = armAtPreviewStart(s, 1, kBase);
    EXPECT_EQ(autoSave.autoSaveTimer, true);
    EXPECT_FALSE(autoSave.autoMotionTimer.has_value());
    EXPECT_EQ(autoSave.title, kBase + " *AutoSave mode*");
    for (int mode : {2, 3}) {
        const SaveModeChange motion = armAtPreviewStart(s, mode, kBase);
        EXPECT_EQ(motion.autoMotionTimer, true);
        EXPECT_FALSE(motion.autoSaveTimer.has_value());
    }
}

TEST(SaveModes, ApplyWritesOnlyWhatChanged)
{
    SettingsModel s;
    s.SaveMode = 2;
    s.MotionRecordMode = 1;
    SaveModeChange c;
    c.applyTo(s);
    EXPECT_EQ(s.SaveMode, 2);
    EXPECT_EQ(s.MotionRecordMode, 1);
    optionSaveMode(s, 1, false, kBase).applyTo(s);
    EXPECT_EQ(s.SaveMode, 1);
    EXPECT_EQ(s.MotionRecordMode, 1);
}
