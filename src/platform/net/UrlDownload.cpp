#include "platform/net/UrlDownload.h"

#include "platform/files/SaveFile.h"
#include "platform/net/CurlHandles.h"

#include <QLoggingCategory>
#include <QTemporaryFile>
#include <QUrl>

#include <array>
#include <memory>

namespace platform {

namespace {

Q_LOGGING_CATEGORY(lcUrl, "tolvex.url")

constexpr long kMaxRedirects = 3;

// Where libcurl's write callback puts the body, and how much it still may.
struct Sink {
    QTemporaryFile* file = nullptr;
    qint64 maxBytes = 0;
    qint64 written = 0;
    bool tooLarge = false;
    bool writeFailed = false;

    static size_t onData(char* data, size_t size, size_t count, void* self)
    {
        auto* sink = static_cast<Sink*>(self);
        const qint64 bytes = qint64(size * count);
        if (sink->written + bytes > sink->maxBytes) {
            sink->tooLarge = true;
            return 0;
        }
        if (sink->file->write(data, bytes) != bytes) {
            sink->writeFailed = true;
            return 0;
        }
        sink->written += bytes;
        return size * count;
    }
};

Result fail(const QString& address, const QString& reason, int code)
{
    qCWarning(lcUrl).noquote() << "download of" << address << "failed:" << reason;
    return Result::failure(reason, code);
}

void configure(CURL* easy, const QByteArray& url, const UrlDownloadLimits& limits, Sink& sink, char* error)
{
    curl::fn().curl_easy_setopt(easy, CURLOPT_URL, url.constData());
    curl::fn().curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl::fn().curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl::fn().curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl::fn().curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl::fn().curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
    curl::fn().curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long(limits.connectMs));
    curl::fn().curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, long(limits.totalMs));
    curl::fn().curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(limits.maxBytes));
    curl::fn().curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl::fn().curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, error);
    curl::fn().curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Sink::onData);
    curl::fn().curl_easy_setopt(easy, CURLOPT_WRITEDATA, &sink);
}

// libcurl's own text for a failed transfer, with the part of it this side knows.
QString transferReason(CURLcode code, const Sink& sink, const char* error)
{
    if (sink.tooLarge)
        return QStringLiteral("the answer is larger than %1 bytes").arg(sink.maxBytes);
    if (sink.writeFailed)
        return QStringLiteral("the temporary file could not be written");
    return QString::fromUtf8(*error ? error : curl::fn().curl_easy_strerror(code));
}

}  // namespace

Result downloadUrlToFile(const QString& address, const QString& localFile, const UrlDownloadLimits& limits,
                         const UrlContentCheck& accept)
{
    const QUrl url(address);
    if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https"))
        return fail(address, QStringLiteral("not an http or https address"), kUrlBadAddress);
    if (!startCurl())
        return fail(address, QStringLiteral("libcurl could not start"), kUrlNoLibrary);
    const CurlEasy easy(curl::fn().curl_easy_init());
    if (!easy)
        return fail(address, QStringLiteral("libcurl could not make a handle"), kUrlNoLibrary);
    QTemporaryFile temporary;
    if (!temporary.open())
        return fail(address, "temporary file: " + temporary.errorString(), kUrlTemporaryFile);

    Sink sink{&temporary, limits.maxBytes};
    std::array<char, CURL_ERROR_SIZE> error{};
    configure(easy.get(), url.toEncoded(), limits, sink, error.data());
    const CURLcode code = curl::fn().curl_easy_perform(easy.get());
    if (code != CURLE_OK)
        return fail(address, transferReason(code, sink, error.data()), int(code));

    temporary.seek(0);
    const QByteArray content = temporary.readAll();
    if (accept && !accept(content))
        return fail(address, QStringLiteral("the answer is not the file asked for"), kUrlRejectedContent);
    return writeFileSafely(localFile, content);
}

}  // namespace platform
