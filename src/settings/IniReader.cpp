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
