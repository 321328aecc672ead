#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// The command strings of the player and the numbers it answers with. The codes
// keep the values of the multimedia interface the viewer was written for, since
// the viewer shows them to the user ("Open Video File Error nr: 296").
enum MciError : int {
    kMciOk = 0,
    kMciInvalidDeviceName = 263,
    kMciUnrecognizedKeyword = 259,
    kMciUnrecognizedCommand = 261,
    kMciDeviceOpen = 265,
    kMciMissingParameter = 273,
    kMciFileNotFound = 275,
    kMciDuplicateAlias = 289,
    kMciBadTimeFormat = 293,
    kMciNoClosingQuote = 294,
    kMciInvalidFile = 296,
    kMciBadInteger = 270,
    kMciNoWindow = 346,
};

// One command split into its words: the verb (lower case), the device or file
// word, and the rest. A quoted word ("a b.avi") is one word without its quotes;
// inside it a doubled quote stands for one ("a""b.avi" is a"b.avi).
struct MciCommand {
    int error = kMciOk;
    QString verb;
    QString device;
    QStringList words;
};
MciCommand parseMciCommand(const QString& command);
// A word quoted for a command, its own quotes doubled, so that any file name
// (blanks and double quotes included) reads back as one word.
QString quotedMciWord(const QString& word);

// The time formats of "set ... time format". Tenths is the format named "s": a
// tenth of a second, so a length of 30 is a three-second clip at any frame rate.
enum class MciTimeFormat { Frames, Milliseconds, Tenths };
// The format a "time format" word names; false for a word that names none.
bool parseTimeFormat(const QString& word, MciTimeFormat& format);

// Between the device's milliseconds and the units of a time format. Frames count
// whole frames begun (frame rate in frames per second); tenths round to nearest.
qint64 toTimeUnits(qint64 milliseconds, MciTimeFormat format, double frameRate);
qint64 fromTimeUnits(qint64 units, MciTimeFormat format, double frameRate);

// A whole number word ("521"); false for anything else.
bool parseMciInteger(const QString& word, qint64& value);
