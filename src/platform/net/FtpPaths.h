#pragma once

#include <QString>

namespace platform {

inline constexpr int kDefaultFtpPort = 21;

// A server as the settings name it: "host", "host:port" or "[v6-address]:port".
struct FtpEndpoint {
    QString host;  // as it goes into a URL (an IPv6 address keeps its brackets)
    int port = kDefaultFtpPort;
};

// Splits "host" or "host:port"; false with a reason for an empty host, a bad port
// or characters that would change the meaning of the URL.
bool parseFtpHost(const QString& text, FtpEndpoint& endpoint, QString* error = nullptr);

// A name the server would read as more than one command (CR, LF or NUL inside).
bool hasLineBreak(const QString& text);

// The absolute, normalised path of name seen from directory: "." and ".." steps
// and doubled slashes are resolved; ".." never climbs above "/".
QString resolveFtpPath(const QString& directory, const QString& name);

// The URL path of an absolute remote path: "/%2F" and then each segment
// percent-encoded, so blanks, "%", "#" and "?" reach the server unchanged.
QString ftpUrlPath(const QString& absolutePath);

// The last segment of a path and everything before it ("/" for a root file).
QString ftpFileName(const QString& absolutePath);
QString ftpFolder(const QString& absolutePath);

// FtpFindFirstFile's wildcards: "?" matches one character, "*" any run.
bool ftpWildcardMatch(const QString& pattern, const QString& name);

}  // namespace platform
