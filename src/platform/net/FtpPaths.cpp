#include "platform/net/FtpPaths.h"

#include "platform/base/Wildcard.h"

#include <QStringList>
#include <QUrl>

namespace platform {

namespace {

constexpr int kMaxPort = 65535;

bool setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool hostCharsAllowed(const QString& host)
{
    for (const QChar c : host)
        if (c.isSpace() || QStringLiteral("/\\@?#%").contains(c) || c.unicode() < 0x20)
            return false;
    return true;
}

}  // namespace

bool parseFtpHost(const QString& text, FtpEndpoint& endpoint, QString* error)
{
    QString host = text.trimmed();
    QString portText;
    if (host.startsWith('[')) {
        const qsizetype close = host.indexOf(']');
        if (close < 0)
            return setError(error, QStringLiteral("Unclosed \"[\" in the host \"%1\"").arg(text));
        portText = host.mid(close + 1);
        host = host.left(close + 1);
        if (!portText.isEmpty() && !portText.startsWith(':'))
            return setError(error, QStringLiteral("Unexpected text after the host \"%1\"").arg(text));
        portText = portText.mid(1);
    } else if (host.count(':') == 1) {
        portText = host.section(':', 1);
        host = host.section(':', 0, 0);
    }
    if (host.isEmpty() || host == "[]")
        return setError(error, QStringLiteral("No host given"));
    if (!hostCharsAllowed(host))
        return setError(error, QStringLiteral("The host \"%1\" is not a host name or address").arg(text));
    int port = kDefaultFtpPort;
    if (!portText.isEmpty()) {
        bool ok = false;
        port = portText.toInt(&ok);
        if (!ok || port < 1 || port > kMaxPort)
            return setError(error, QStringLiteral("The port in \"%1\" is not a number from 1 to 65535").arg(text));
    }
    endpoint = {host, port};
    return true;
}

bool hasLineBreak(const QString& text)
{
    return text.contains('\r') || text.contains('\n') || text.contains(QChar(0));
}

QString resolveFtpPath(const QString& directory, const QString& name)
{
    const QString joined = name.startsWith('/') ? name : directory + '/' + name;
    QStringList kept;
    for (const QString& segment : joined.split('/', Qt::SkipEmptyParts)) {
        if (segment == ".")
            continue;
        if (segment == "..") {
            if (!kept.isEmpty())
                kept.removeLast();
            continue;
        }
        kept.append(segment);
    }
    return '/' + kept.join('/');
}

QString ftpUrlPath(const QString& absolutePath)
{
    QStringList encoded;
    for (const QString& segment : absolutePath.split('/', Qt::SkipEmptyParts))
        encoded.append(QString::fromLatin1(QUrl::toPercentEncoding(segment)));
    return "/%2F" + encoded.join('/');
}

QString ftpFileName(const QString& absolutePath)
{
    return absolutePath.section('/', -1);
}

QString ftpFolder(const QString& absolutePath)
{
    const qsizetype slash = absolutePath.lastIndexOf('/');
    return slash <= 0 ? QStringLiteral("/") : absolutePath.left(slash);
}

bool ftpWildcardMatch(const QString& pattern, const QString& name)
{
    return wildcardMatch(pattern, name);
}

}  // namespace platform
