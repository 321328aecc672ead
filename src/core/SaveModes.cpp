#include "core/SaveModes.h"

namespace {

bool isMode(int index) { return index >= kModeManual && index <= kModeMotionRecord; }

QString autoSaveText(const SettingsModel& s, TitleMoment moment)
{
    QString text = titletext::kAutoSave;
    if (s.FtpEnabled != 0)
        text += moment == TitleMoment::PreviewStart ? titletext::kFtpAtPreviewStart
                                                    : titletext::kFtpAtModeChange;
    return text;
}

}  // namespace

QString titletext::timerStart(const QString& startTime)
{
    return " *Timer start " + startTime + "*";
}

QString modeTitleText(const SettingsModel& s, int mode, TitleMoment moment)
{
    const bool timed = s.AutoTimer != 0;
    switch (mode) {
    case kModeAutoSave:
        return timed ? QString(titletext::kTimeAutoSave) : autoSaveText(s, moment);
    case kModeMotionSave:
        return timed ? titletext::kTimeMotionSave : titletext::kMotionSave;
    case kModeMotionRecord:
        return timed ? titletext::kTimeMotionRecord : titletext::kMotionRecord;
    default:
        return {};
    }
}

void SaveModeChange::applyTo(SettingsModel& s) const
{
    if (saveMode)
        s.SaveMode = *saveMode;
    if (motionRecordMode)
        s.MotionRecordMode = *motionRecordMode;
}

SaveModeChange optionSaveMode(const SettingsModel& s, int checkedButton, bool previewRunning,
                              const QString& baseTitle)
{
    SaveModeChange change;
    if (!isMode(checkedButton))
        return change;
    change.saveMode = int16_t(checkedButton);
    if (checkedButton == kModeManual || previewRunning)
        change.title = baseTitle + modeTitleText(s, checkedButton, TitleMoment::ModeChange);
    return change;
}

SaveModeChange saveChoiceClick(const SettingsModel& s, int index, int checkedButton,
                               bool previewRunning, const QString& baseTitle)
{
    SaveModeChange change = optionSaveMode(s, checkedButton, previewRunning, baseTitle);
    if (!isMode(index))
        return change;
    change.saveMode = int16_t(index);
    change.motionRecordMode = int16_t(index == kModeMotionRecord ? 1 : 0);
    change.autoSaveTimer = index == kModeAutoSave;
    change.autoMotionTimer = index == kModeMotionSave || index == kModeMotionRecord;
    return change;
}

SaveModeChange armAtPreviewStart(const SettingsModel& s, int checkedButton,
                                 const QString& baseTitle)
{
    SaveModeChange change;
    if (!isMode(checkedButton) || checkedButton == kModeManual)
        return change;
    if (checkedButton == kModeAutoSave)
        change.autoSaveTimer = true;
    else
        change.autoMotionTimer = true;
    change.title = baseTitle + modeTitleText(s, checkedButton, TitleMoment::PreviewStart);
    return change;
}
