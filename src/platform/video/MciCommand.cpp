#include "platform/video/MciCommand.h"

#include <cmath>

namespace {

// Splits at blanks; a double quote opens a word that runs to the next one.
int splitWords(const QString& command, QStringList& words)
{
    QString word;
    bool inWord = false;
    for (qsizetype i = 0; i < command.size(); ++i) {
        const QChar c = command.at(i);
        if (c == '"') {
            const qsizetype end = command.indexOf('"', i + 1);
            if (end < 0)
                return kMciNoClosingQuote;
            word += command.mid(i + 1, end - i - 1);
            inWord = true;
            i = end;
        } else if (c.isSpace()) {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.append(word);
    return kMciOk;
}

}  // namespace

MciCommand parseMciCommand(const QString& command)
{
    MciCommand parsed;
    QStringList words;
    parsed.error = splitWords(command, words);
    if (parsed.error != kMciOk)
        return parsed;
    if (words.isEmpty()) {
        parsed.error = kMciUnrecognizedCommand;
        return parsed;
    }
    parsed.verb = words.takeFirst().toLower();
    if (words.isEmpty()) {
        parsed.error = kMciInvalidDeviceName;
        return parsed;
    }
    parsed.device = words.takeFirst();
    parsed.words = words;
    return parsed;
}

bool parseTimeFormat(const QString& word, MciTimeFormat& format)
{
    const QString w = word.toLower();
    if (w == "frames")
        format = MciTimeFormat::Frames;
    else if (w == "ms" || w == "milliseconds")
        format = MciTimeFormat::Milliseconds;
    else if (w == "s")
        format = MciTimeFormat::Tenths;
    else
        return false;
    return true;
}

qint64 toTimeUnits(qint64 milliseconds, MciTimeFormat format, double frameRate)
{
    switch (format) {
    case MciTimeFormat::Milliseconds: return milliseconds;
    case MciTimeFormat::Tenths: return (milliseconds + 50) / 100;
    case MciTimeFormat::Frames: break;
    }
    // A hair of slack so that 3000 ms at 10 frames per second is frame 30, not 29.
    return static_cast<qint64>(std::floor(double(milliseconds) * frameRate / 1000.0 + 1e-6));
}

qint64 fromTimeUnits(qint64 units, MciTimeFormat format, double frameRate)
{
    switch (format) {
    case MciTimeFormat::Milliseconds: return units;
    case MciTimeFormat::Tenths: return units * 100;
    case MciTimeFormat::Frames: break;
    }
    return frameRate > 0 ? static_cast<qint64>(std::ceil(double(units) * 1000.0 / frameRate - 1e-6)) : 0;
}

bool parseMciInteger(const QString& word, qint64& value)
{
    bool ok = false;
    value = word.toLongLong(&ok);
    return ok;
}
