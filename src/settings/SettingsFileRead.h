#pragma once

#include "core/SettingsModel.h"

#include <QString>

// What a reading of the settings file found besides the values themselves.
struct SettingsReading {
    int lastFailure = 0;  // SettingsFailure code of the last failure, 0 for none
    QString titleLine;    // line 1, judged by the full-default test
    bool outOfStep = false;
    QString problem;      // why a file that is there could not be read at all
    // A file that is there but has no valid first key line where it belongs (line
    // 3), such as a file of NUL bytes left by a crash: nothing of it is read.
    bool broken = false;
};

// Reads line 1, line 2 and the value of every pair into the model. A value that
// cannot be read leaves its variable as it was; the end of the file leaves every
// later one too. A key line that is not the expected key marks the file out of
// step and ends the reading there: the lines from it on belong to other keys, so
// that pair and every later one keep their variables as they were.
SettingsReading readSettingsFile(SettingsModel& s, const QString& path);
