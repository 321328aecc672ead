#include "core/SaveModes.h"

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
        {kModeManual, false, false, "", ""},
        {kModeManual, true, true, "", ""},
        {kModeAutoSave, true, false, " *TimeAutoSave mode*", " *TimeAutoSave mode*"},
        {kModeAutoSave, true, true, " *TimeAutoSave mode*", " *TimeAutoSave mode*"},
        {kModeAutoSave, false, true, " *AutoSave mode* FTP Mode", " *AutoSave mode* FTP mode"},
        {kModeAutoSave, false, false, " *AutoSave mode*", " *AutoSave mode*"},
        {kModeMotionSave, true, true, " *TimeMotionSave mode*", " *TimeMotionSave mode*"},
        {kModeMotionSave, false, true, " *MotionSave mode*", " *MotionSave mode*"},
        {kModeMotionRecord, true, false, " *TimeMotionRecord mode*", " *TimeMotionRecord mode*"},
        {kModeMotionRecord, false, true, " *MotionRecord mode*", " *MotionRecord mode*"},
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
    } rows[] = {{kModeManual, false, false, 0}, {kModeAutoSave, true, false, 0}, {kModeMotionSave, false, true, 0}, {kModeMotionRecord, false, true, 1}};
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
    EXPECT_EQ(saveChoiceClick(s, kModeMotionSave, kModeMotionSave, true, kBase).title, kBase + " *MotionSave mode*");
    EXPECT_EQ(saveChoiceClick(s, kModeManual, kModeManual, false, kBase).title, kBase);
    EXPECT_EQ(saveChoiceClick(s, kModeManual, kModeManual, true, kBase).title, kBase);
}

TEST(SaveModes, MotionRecordWhileStopped)
{
    SettingsModel s = modeSettings(false, false);
    const SaveModeChange c = saveChoiceClick(s, kModeMotionRecord, kModeMotionRecord, false, kBase);
    c.applyTo(s);
    EXPECT_EQ(s.SaveMode, kModeMotionRecord);
    EXPECT_EQ(s.MotionRecordMode, 1);
    EXPECT_EQ(c.autoMotionTimer, true);
    EXPECT_FALSE(c.title.has_value());
}

TEST(SaveModes, AutoSaveWithFtpSpellsModeDifferentlyAtStartAndOnChange)
{
    const SettingsModel s = modeSettings(false, true);
    EXPECT_EQ(saveChoiceClick(s, kModeAutoSave, kModeAutoSave, true, kBase).title, kBase + " *AutoSave mode* FTP mode");
    EXPECT_EQ(armAtPreviewStart(s, kModeAutoSave, kBase).title, kBase + " *AutoSave mode* FTP Mode");
}

TEST(SaveModes, TimedMotionRecordTitleAtStartAndOnChange)
{
    const SettingsModel s = modeSettings(true, false);
    EXPECT_EQ(armAtPreviewStart(s, kModeMotionRecord, kBase).title, kBase + " *TimeMotionRecord mode*");
    EXPECT_EQ(saveChoiceClick(s, kModeMotionRecord, kModeMotionRecord, true, kBase).title, kBase + " *TimeMotionRecord mode*");
}

// The stop button re-arms motion recording by calling the handler directly, so the
// index and the button that is set can differ.
TEST(SaveModes, IndexDecidesTheTimersAndTheSetButtonTheTitle)
{
    const SettingsModel s = modeSettings(false, false);
    const SaveModeChange c = saveChoiceClick(s, kModeMotionRecord, kModeMotionSave, true, kBase);
    EXPECT_EQ(c.saveMode, kModeMotionRecord);
    EXPECT_EQ(c.title, kBase + " *MotionSave mode*");
    EXPECT_EQ(c.autoMotionTimer, true);
}

TEST(SaveModes, IndexOutsideTheGroupOnlyReadsTheButtons)
{
    const SettingsModel s = modeSettings(false, false);
    const SaveModeChange c = saveChoiceClick(s, 7, kModeAutoSave, true, kBase);
    EXPECT_EQ(c.saveMode, kModeAutoSave);
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
    const SaveModeChange manual = armAtPreviewStart(s, kModeManual, kBase);
    EXPECT_FALSE(manual.autoSaveTimer || manual.autoMotionTimer || manual.title || manual.saveMode);

    const SaveModeChange autoSave = armAtPreviewStart(s, kModeAutoSave, kBase);
    EXPECT_EQ(autoSave.autoSaveTimer, true);
    EXPECT_FALSE(autoSave.autoMotionTimer.has_value());
    EXPECT_EQ(autoSave.title, kBase + " *AutoSave mode*");
    for (int mode : {kModeMotionSave, kModeMotionRecord}) {
        const SaveModeChange motion = armAtPreviewStart(s, mode, kBase);
        EXPECT_EQ(motion.autoMotionTimer, true);
        EXPECT_FALSE(motion.autoSaveTimer.has_value());
    }
}

TEST(SaveModes, ApplyWritesOnlyWhatChanged)
{
    SettingsModel s;
    s.SaveMode = kModeMotionSave;
    s.MotionRecordMode = 1;
    SaveModeChange c;
    c.applyTo(s);
    EXPECT_EQ(s.SaveMode, kModeMotionSave);
    EXPECT_EQ(s.MotionRecordMode, 1);
    optionSaveMode(s, kModeAutoSave, false, kBase).applyTo(s);
    EXPECT_EQ(s.SaveMode, kModeAutoSave);
    EXPECT_EQ(s.MotionRecordMode, 1);
}
