#include "dialogs/UpdateCheck.h"

#include "settings/IniReader.h"
#include "core/SettingsModel.h"

#include <QStringList>

#include <algorithm>
#include <limits>

namespace {

// The first field is a number field: digits only, blanks around it allowed.
std::optional<qint64> wholeNumber(const QString& field)
{
    const QString digits = field.trimmed();
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    bool ok = false;
    const qint64 n = digits.toLongLong(&ok);
    return ok ? std::optional(n) : std::nullopt;
}

// Shown as a window title: one line of printable text, never longer than the cap.
QString plainTitle(const QString& title)
{
    QString plain;
    for (const QChar c : title)
        plain.append(c.isPrint() ? c : QChar(' '));
    return plain.trimmed().left(kLongestTitle).trimmed();
}

QString fromEnvironment(const char* name, const char* configured)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? QString::fromUtf8(configured) : value;
}

}  // namespace

VersionFile parseVersionFile(const QByteArray& content)
{
    QString text = QString::fromUtf8(content);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace("\r\n", "\n").replace('\r', '\n');
    const QStringList lines = text.split('\n');
    const QString first = lines.value(0);
    const qsizetype comma = first.indexOf(',');
    const auto number = wholeNumber(comma < 0 ? first : first.left(comma));
    if (!number)
        return {};
    return {true, *number, comma < 0 ? lines.value(1) : first.mid(comma + 1)};
}

qint64 runningVersionNumber(int major, int minor, int revision)
{
    return QStringLiteral("%1%2%3").arg(major).arg(minor).arg(revision).toLongLong();
}

qint64 runningVersionNumber()
{
    return runningVersionNumber(ProgramVersion::major, ProgramVersion::minor, ProgramVersion::revision);
}

QString versionText(qint64 number)
{
    const QString digits = QString::number(number);
    return digits.mid(0, 1) + '.' + digits.mid(1, 1) + '.' + digits.right(1);
}

qint64 storedNumber(const QString& text)
{
    constexpr double kLargest = double(std::numeric_limits<qint32>::max());
    const double value = leadingNumber(text.trimmed());
    return qint64(std::clamp(value, -kLargest, kLargest));
}

std::optional<UpdateOffer> offerFor(const VersionFile& file, qint64 running, qint64 declined)
{
    if (!file.ok || file.number < kFirstVersionNumber)
        return std::nullopt;
    if (file.number <= running || file.number <= declined)
        return std::nullopt;
    QString title = plainTitle(file.title);
    if (title.size() < kShortestTitle)
        title = kDefaultUpdateTitle;
    const QString text = "A new version " + versionText(file.number) + " is available!\r\n\r\n"
        + "Do you want to download the new version?";
    return UpdateOffer{file.number, title, text};
}

UpdateAddresses updateAddresses()
{
    return {fromEnvironment("TOLVEX_UPDATE_PAGE", TOLVEX_UPDATE_PAGE_URL),
            fromEnvironment("TOLVEX_UPDATE_VERSION_FILE", TOLVEX_UPDATE_VERSION_FILE_URL)};
}
