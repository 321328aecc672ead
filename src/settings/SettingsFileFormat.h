#pragma once

#include "core/SettingsModel.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>

// Line 1 of the settings file: the program name and version.
QString settingsFileTitleLine();
// Line 2: a comment for whoever opens the file in an editor.
QString settingsFileCommentLine();

// A number as BASIC's Print # writes it: a blank (or the minus sign) before it and
// a blank after it, " 25 " and "-1 ".
QString numberPrintForm(int64_t value);
QString numberPrintForm(double value);

// A text that is read back as a field, written so that it reads back whole: inside
// double quotes (inner quotes doubled) when it holds a comma, starts with a quote,
// or starts or ends with a blank.
QString fieldWriteForm(const QString& text);

// A value line for any value: numbers in their print form, everything else as text.
QString valueLineText(const QVariant& value);

// The whole file as SaveSettings writes it: line 1, line 2 and each pair's key line
// and value line in its written form.
QStringList settingsFileLines(SettingsModel s);
