#pragma once

#include "core/SettingsModel.h"

#include <QString>

#include <cstdint>
#include <optional>

// Save modes, the values of SaveMode and the indexes of the option buttons.
enum SaveModeIndex : int {
    kModeManual = 0,
    kModeAutoSave = 1,
    kModeMotionSave = 2,
    kModeMotionRecord = 3,
};

// Texts the title shows behind BaseTitle.
namespace titletext {
inline constexpr char kAutoSave[] = " *AutoSave mode*";
inline constexpr char kTimeAutoSave[] = " *TimeAutoSave mode*";
inline constexpr char kMotionSave[] = " *MotionSave mode*";
inline constexpr char kTimeMotionSave[] = " *TimeMotionSave mode*";
inline constexpr char kMotionRecord[] = " *MotionRecord mode*";
inline constexpr char kTimeMotionRecord[] = " *TimeMotionRecord mode*";
// Upload after each auto-save; written with a capital M when the preview starts.
inline constexpr char kFtpAtPreviewStart[] = " FTP Mode";
inline constexpr char kFtpAtModeChange[] = " FTP mode";
inline constexpr char kSaving[] = " *** SAVING ***";
inline constexpr char kMotionDetected[] = " *Motion detected*";
// " *Timer start 08:00*"
QString timerStart(const QString& startTime);
}  // namespace titletext

// When a mode text is written: by the preview start, or by a mode change (the
// option buttons and the motion detector's quiet test).
enum class TitleMoment { PreviewStart, ModeChange };

// The text behind BaseTitle for a mode; empty for manual and unknown modes. A timed
// mode (AutoTimer on) never shows the FTP text.
QString modeTitleText(const SettingsModel& s, int mode, TitleMoment moment);

// What a save-mode step changes; the window applies every field that is set.
struct SaveModeChange {
    std::optional<int16_t> saveMode;
    std::optional<int16_t> motionRecordMode;
    std::optional<bool> autoSaveTimer;    // tmrAutoSave on or off
    std::optional<bool> autoMotionTimer;  // tmrAutoMotion on or off
    std::optional<QString> title;         // the whole window title

    // Writes the settings part (SaveMode, MotionRecordMode).
    void applyTo(SettingsModel& s) const;
};

// OptionSaveMode: the mode of the option button that is set (checkedButton, -1
// when none), and the title by it while the preview runs. Manual always resets
// the title to baseTitle.
SaveModeChange optionSaveMode(const SettingsModel& s, int checkedButton, bool previewRunning,
                              const QString& baseTitle);

// OptSaveChoice_Click(index): OptionSaveMode, then the mode's timers, SaveMode and
// MotionRecordMode whether or not the preview runs. An index outside 0..3 does
// nothing beyond OptionSaveMode.
SaveModeChange saveChoiceClick(const SettingsModel& s, int index, int checkedButton,
                               bool previewRunning, const QString& baseTitle);

// What a successful preview start arms for the chosen option button: its timer
// and its title. Manual arms nothing and keeps the title.
SaveModeChange armAtPreviewStart(const SettingsModel& s, int checkedButton,
                                 const QString& baseTitle);
