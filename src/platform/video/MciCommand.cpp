#include "platform/video/MciCommand.h"

#include <cmath>
#include <limits>

namespace {

// Splits at blanks; a double quote opens a word that runs to the next single one,
// and a doubled quote inside stands for one quote of the word.
int splitWords(const QString& command, QStringList& words)
{
    QString word;
    bool inWord = false;
    for (qsizetype i = 0; i < command.size(); ++i) {
        const QChar c = command.at(i);
        if (c == '"') {
            qsizetype end = i + 1;
            for (;; ++end) {
                if (end >= command.size())
                    return kMciNoClosingQuote;
                if (command.at(end) != '"') {
                    word += command.at(end);
                } else if (end + 1 < command.size() && command.at(end + 1) == '"') {
                    word += '"';
                    ++end;
                } else {
                    break;
                }
            }
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

constexpr qint64 kMost = std::numeric_limits<qint64>::max();
constexpr qint64 kLeast = std::numeric_limits<qint64>::min();

// The conversions of absurd numbers a command may carry end at the largest or
// smallest number instead of wrapping round.
qint64 saturatingAdd(qint64 a, qint64 b)
{
    qint64 sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? (b > 0 ? kMost : kLeast) : sum;
}

qint64 saturatingMultiply(qint64 a, qint64 b)
{
    qint64 product = 0;
    return __builtin_mul_overflow(a, b, &product) ? ((a < 0) != (b < 0) ? kLeast : kMost) : product;
}

qint64 saturatingInteger(double value)
{
    // 2^63 is the first double above the range; NaN counts as 0.
    constexpr double kLimit = 9223372036854775808.0;
    if (std::isnan(value))
        return 0;
    if (value >= kLimit)
        return kMost;
    if (value < -kLimit)
        return kLeast;
    return static_cast<qint64>(value);
}

}  // namespace

QString quotedMciWord(const QString& word)
{
    QString quoted = word;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

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
    case MciTimeFormat::Tenths: return saturatingAdd(milliseconds, 50) / 100;
    case MciTimeFormat::Frames: break;
    }
    // A hair of slack so that 3000 ms at 10 frames per second is frame 30, not 29.
    return saturatingInteger(std::floor(double(milliseconds) * frameRate / 1000.0 + 1e-6));
}

qint64 fromTimeUnits(qint64 units, MciTimeFormat format, double frameRate)
{
    switch (format) {
    case MciTimeFormat::Milliseconds: return units;
    case MciTimeFormat::Tenths: return saturatingMultiply(units, 100);
    case MciTimeFormat::Frames: break;
    }
    return frameRate > 0 ? saturatingInteger(std::ceil(double(units) * 1000.0 / frameRate - 1e-6)) : 0;
}

bool parseMciInteger(const QString& word, qint64& value)
{
    bool ok = false;
    value = word.toLongLong(&ok);
    return ok;
}
