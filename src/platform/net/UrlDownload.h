#pragma once

#include "platform/base/Result.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace platform {

// Bounds that keep a slow, silent or hostile web server from holding the program,
// which waits for a download on its user-interface thread.
struct UrlDownloadLimits {
    int connectMs = 4000;              // reaching the server
    int totalMs = 15000;               // the whole transfer, redirects included
    qint64 maxBytes = 64 * 1024;       // a larger answer is not the file asked for
};

// Libcurl's result code, or one of these for failures found around the transfer.
inline constexpr int kUrlNoLibrary = -200;
inline constexpr int kUrlTemporaryFile = -201;
inline constexpr int kUrlRejectedContent = -202;
inline constexpr int kUrlBadAddress = -203;

// Says whether downloaded bytes are what the caller asked for.
using UrlContentCheck = std::function<bool(const QByteArray& content)>;

// Copies an http or https address into localFile. The body goes to a temporary
// file first; localFile is replaced (through the safe writer) only when the
// transfer finished inside the limits, the server answered without an error
// status, and accept (when given) takes the content. Otherwise localFile stays as
// it was. Failures are logged under tolvex.url with libcurl's reason.
Result downloadUrlToFile(const QString& address, const QString& localFile, const UrlDownloadLimits& limits = {},
                         const UrlContentCheck& accept = {});

}  // namespace platform
