#include "platform/net/FtpReplies.h"

#include <algorithm>

namespace platform {

bool endsFtpReply(const QByteArray& line)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (line.size() < 3 || !std::all_of(line.begin(), line.begin() + 3, digit))
        return false;
    return line.size() == 3 || line[3] == ' ';
}

void FtpReply::addLine(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    if (complete_)
        lines_.clear();
    lines_.append(trimmed);
    complete_ = endsFtpReply(trimmed);
}

void FtpReply::clear()
{
    lines_.clear();
    complete_ = true;
}

int FtpReply::code() const
{
    if (lines_.isEmpty())
        return 0;
    const QByteArray& last = lines_.last();
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (last.size() < 3 || !std::all_of(last.begin(), last.begin() + 3, digit))
        return 0;
    return last.left(3).toInt();
}

QString FtpReply::text() const
{
    return QString::fromUtf8(lines_.join('\n'));
}

QStringList ftpListingNames(const QByteArray& listing)
{
    QStringList names;
    for (const QByteArray& line : listing.split('\n')) {
        const QString name = QString::fromUtf8(line.trimmed()).section('/', -1);
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

}  // namespace platform
