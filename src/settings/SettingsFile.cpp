#include "settings/SettingsFile.h"

#include "settings/IniReader.h"
#include "settings/SettingsFileFormat.h"
#include "settings/SettingsFileRead.h"
#include "settings/SettingsFileRepairs.h"
#include "settings/SettingsFileWrite.h"
#include "settings/SettingsLog.h"

#include <QLoggingCategory>

#include <algorithm>

namespace {

// WriteIniValue adds a line to the file only while it is shorter than this.
constexpr qsizetype kIniValueTableLines = 131;

void chooseFileName(const SettingsModel& s, QString& fileName)
{
    if (fileName.isEmpty() || s.SecondInstance != 0)
        fileName = settingsFileName(s);
}

QString soundsSelectionOf(const SettingsModel& s)
{
    QString selection;
    for (int16_t flag : s.SoundFlags)
        selection += QString::number(flag);
    return selection;
}

void emptyDeviceCache(const SettingsModel& s)
{
    // The size cache belongs to the devices of the old settings; a failure here
    // only costs a new probe.
    writeTextLines(s.AppPath + "/DevicesDatabase.log", {});
}

// The line after the last line that is the key, or -1.
qsizetype valueIndexAfterKey(const QStringList& lines, const QString& key)
{
    qsizetype index = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed() == key)
            index = i + 1;
    }
    return index;
}

}  // namespace

QString settingsFileName(const SettingsModel& s)
{
    return s.AppPath + (s.SecondInstance != 0 ? "/Tolvex2.ini" : "/Tolvex.ini");
}

SettingsSaveErrorBoxTexts settingsSaveErrorBoxTexts(int errorNumber, const QString& description)
{
    return {QStringLiteral("Error saving INI-file. Err:") + QString::number(errorNumber),
            QStringLiteral("Could not save the INI file.\r\n") + description};
}

bool SaveSettings(SettingsModel& s, QString& fileName, SettingsHost* host)
{
    chooseFileName(s, fileName);
    if (s.BackgroundColor < 1)
        s.BackgroundColor = kSystemButtonFace;
    s.SoundsSelection = soundsSelectionOf(s);
    const auto error = writeTextLines(fileName, settingsFileLines(s), kSettingsFilePermissions);
    if (!error)
        return true;
    qCWarning(lcSettings).noquote() << QStringLiteral("Could not save the settings file (Err:%1 %2): %3")
                                            .arg(error->number).arg(error->description, error->reason);
    if (host)
        host->showSettingsSaveError(error->number, error->description);
    return false;
}

void LoadSettings(SettingsModel& s, QString& fileName, SettingsHost* host)
{
    chooseFileName(s, fileName);
    const SettingsReading reading = readSettingsFile(s, fileName);
    if (!reading.problem.isEmpty())
        qCWarning(lcSettings).noquote() << QStringLiteral("Could not read the settings file: %1; "
                                                           "the default settings are used")
                                                .arg(reading.problem);
    int lastFailure = reading.lastFailure;
    applySoundsSelection(s);
    // Values read out of step are the wrong values, folders included: the file
    // counts as not found.
    if (reading.outOfStep) {
        qCWarning(lcSettings).noquote() << fileName
                                        << "has its values out of step with their keys; the defaults replace it";
        lastFailure = SettingsFailure::FileNotFound;
    }
    clampReadValues(s);
    repairAfterReading(s, lastFailure);
    if (needsFullDefaults(lastFailure, reading.titleLine)) {
        applyFullDefaults(s);
        QString defaultName;
        SaveSettings(s, defaultName, host);
        emptyDeviceCache(s);
    }
    if (host)
        host->Opmaak();
}

void WriteIniValue(const SettingsModel& s, const QString& key, const QVariant& value)
{
    const QString path = settingsFileName(s);
    QString problem;
    auto lines = readIniFileLines(path, &problem);
    if (!lines) {
        qCWarning(lcSettings).noquote() << QStringLiteral("%1 was not written: %2").arg(key, problem);
        return;
    }
    if (key.size() < 2)
        return;
    const qsizetype index = valueIndexAfterKey(*lines, key);
    if (index < 0)
        return;
    // One line more than was read, up to the table's size; a longer file keeps all
    // of its lines.
    const qsizetype read = lines->size();
    qsizetype total = std::max(read, std::min(read + 1, kIniValueTableLines));
    total = std::max(total, index + 1);
    lines->resize(total);
    (*lines)[index] = valueLineText(value);
    writeTextLines(path, *lines, kSettingsFilePermissions);
}
