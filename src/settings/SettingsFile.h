#pragma once

#include "core/SettingsModel.h"

#include <QString>
#include <QVariant>

// What the settings file needs from the window layer: the error box of a failed
// save, and re-styling the main window once a reading is done.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;
    // A failed SaveSettings: the box with the exclamation icon.
    virtual void showSettingsSaveError(int errorNumber, const QString& description) = 0;
    // Called at the end of LoadSettings (frmMain.Opmaak).
    virtual void Opmaak() = 0;
};

// The settings file of the program folder: "Tolvex.ini", or "Tolvex2.ini" for a
// second copy. fileName is in and out: empty becomes
// the default name, a second copy always uses "Tolvex2.ini", and the caller's
// variable receives the name used. host may be null (nothing is shown or re-styled).
// SaveSettings: false when the file could not be written (the failure is logged and
// shown through host).
bool SaveSettings(SettingsModel& s, QString& fileName, SettingsHost* host);
void LoadSettings(SettingsModel& s, QString& fileName, SettingsHost* host);

// Patches one value line after the key line `key` (e.g. "[Device]"). A number is
// written in its print form, text as it is.
void WriteIniValue(const SettingsModel& s, const QString& key, const QVariant& value);

// The settings file name for this process, as SaveSettings/LoadSettings choose it.
QString settingsFileName(const SettingsModel& s);

// The texts of the box that a failed SaveSettings shows.
struct SettingsSaveErrorBoxTexts {
    QString title;
    QString text;
};
SettingsSaveErrorBoxTexts settingsSaveErrorBoxTexts(int errorNumber, const QString& description);
