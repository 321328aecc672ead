#include "settings/IniReader.h"

#include "platform/files/SmallFile.h"

#include <cstdlib>
#include <string>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

qsizetype skipBlanks(const QString& line, qsizetype i)
{
    while (i < line.size() && isBlank(line[i]))
        ++i;
    return i;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Copies the digits at i into out and returns how many there were.
qsizetype takeDigits(const QString& s, qsizetype& i, std::string& out)
{
    const qsizetype start = i;
    while (i < s.size() && isDigit(s[i]))
        out += char(s[i++].unicode());
    return i - start;
}

void takeExponent(const QString& s, qsizetype i, std::string& out)
{
    if (i >= s.size() || !QStringView(u"EeDd").contains(s[i]))
        return;
    std::string exponent = "e";
    ++i;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        exponent += char(s[i++].unicode());
    if (takeDigits(s, i, exponent) > 0)
        out += exponent;
}

}  // namespace

QStringList splitIniLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

std::optional<QStringList> readIniFileLines(const QString& path, QString* problem)
{
    const platform::SmallFileRead read = platform::readSmallFile(path);
    if (!read.result) {
        if (problem)
            *problem = read.result.reason;
        return std::nullopt;
    }
    QString text = QString::fromUtf8(read.bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return splitIniLines(text);
}

double leadingNumber(const QString& token)
{
    std::string number;
    qsizetype i = 0;
    if (i < token.size() && (token[i] == u'+' || token[i] == u'-'))
        number += char(token[i++].unicode());
    qsizetype digits = takeDigits(token, i, number);
    if (i < token.size() && token[i] == u'.') {
        number += '.';
        ++i;
        digits += takeDigits(token, i, number);
    }
    if (digits == 0)
        return 0.0;
    takeExponent(token, i, number);
    return std::strtod(number.c_str(), nullptr);
}

void IniReader::handOnAfterComma(const QString& line, qsizetype from)
{
    const qsizetype comma = line.indexOf(u',', from);
    if (comma >= 0)
        lines_[--pos_] = line.mid(comma + 1);
}

std::optional<QString> IniReader::readLine()
{
    if (atEnd())
        return std::nullopt;
    return takeLine();
}

std::optional<QString> IniReader::readField()
{
    if (atEnd())
        return std::nullopt;
    const QString line = takeLine();
    qsizetype i = skipBlanks(line, 0);
    if (i < line.size() && line[i] == u'"') {
        QString value;
        for (++i; i < line.size(); ++i) {
            if (line[i] != u'"') {
                value += line[i];
            } else if (i + 1 < line.size() && line[i + 1] == u'"') {
                value += u'"';
                ++i;
            } else {
                break;
            }
        }
        handOnAfterComma(line, i);
        return value;
    }
    const qsizetype comma = line.indexOf(u',', i);
    const QString value = line.mid(i, comma < 0 ? -1 : comma - i);
    handOnAfterComma(line, i);
    return value;
}

std::optional<double> IniReader::readNumber()
{
    if (atEnd())
        return std::nullopt;
    const QString line = takeLine();
    const qsizetype start = skipBlanks(line, 0);
    qsizetype end = start;
    while (end < line.size() && !isBlank(line[end]) && line[end] != u',')
        ++end;
    const double value = leadingNumber(line.mid(start, end - start));
    handOnAfterComma(line, end);
    return value;
}
