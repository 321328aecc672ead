#include "platform/net/FtpSession.h"

#include "platform/net/FtpReplies.h"

#include "platform/net/CurlHandles.h"
#include "platform/net/FtpLog.h"

#include <QByteArray>
#include <QIODevice>

#include <algorithm>
#include <array>

namespace platform {

namespace {

constexpr qint64 kMaxChunk = 64 * 1024;

}  // namespace

struct FtpSession::Handle {
    CurlEasy easy{curl_easy_init()};
    CurlList commands;
    std::array<char, CURL_ERROR_SIZE> error{};
    FtpReply reply;

    static size_t onHeader(char* data, size_t size, size_t count, void* self)
    {
        static_cast<Handle*>(self)->reply.addLine(QByteArray(data, qsizetype(size * count)));
        return size * count;
    }

    int replyCode() const { return reply.code(); }
    QString replyText() const { return reply.text(); }
};

// The state of one chunked transfer, seen by libcurl's callbacks.
struct FtpSession::Transfer {
    FtpSession* session = nullptr;
    QIODevice* device = nullptr;
    qint64 chunkSize = 0;
    const ChunkDone* done = nullptr;
    qint64 bytes = 0;
    bool started = false;
    bool lastWasRemainder = false;
    bool stopped = false;
    bool localFailed = false;
    QByteArray held;       // received bytes not yet a whole chunk

    bool report(qint64 soFar, bool remainder)
    {
        const bool goOn = !(done && *done) || (*done)(soFar, remainder);
        // A close asked for during the caller's yield stops the transfer too.
        stopped = !goOn || session->closeRequested_;
        return !stopped;
    }

    // Fills libcurl's buffer with whole chunks (the file's last one may be
    // shorter), each reported once it is in libcurl's hands, so the chunks leave
    // in full segments instead of one small packet each.
    static size_t onRead(char* buffer, size_t size, size_t count, void* self)
    {
        auto* t = static_cast<Transfer*>(self);
        t->started = true;
        const qint64 room = qint64(size * count);
        const qint64 step = std::min(t->chunkSize, room);
        qint64 filled = 0;
        while (!t->lastWasRemainder && room - filled >= step) {
            const qint64 got = t->device->read(buffer + filled, step);
            if (got < 0) {
                t->localFailed = true;
                return CURL_READFUNC_ABORT;
            }
            if (got == 0)
                break;
            filled += got;
            t->bytes += got;
            t->lastWasRemainder = got < t->chunkSize;
            if (!t->report(t->bytes, t->lastWasRemainder))
                return CURL_READFUNC_ABORT;
        }
        return size_t(filled);
    }

    bool passChunk(const QByteArray& chunk, bool remainder)
    {
        if (device->write(chunk) != chunk.size()) {
            localFailed = true;
            return false;
        }
        bytes += chunk.size();
        return report(bytes, remainder);
    }

    static size_t onWrite(char* data, size_t size, size_t count, void* self)
    {
        auto* t = static_cast<Transfer*>(self);
        t->started = true;
        t->held.append(data, qsizetype(size * count));
        qsizetype used = 0;
        for (; t->held.size() - used >= t->chunkSize; used += t->chunkSize)
            if (!t->passChunk(t->held.mid(used, t->chunkSize), false))
                return CURL_WRITEFUNC_ERROR;
        t->held.remove(0, used);
        return size * count;
    }

    FtpStage failedStage() const
    {
        if (!started)
            return FtpStage::Open;
        return lastWasRemainder ? FtpStage::Remainder : FtpStage::Chunk;
    }
};

FtpSession::FtpSession(FtpTimeouts timeouts)
    : timeouts_(timeouts)
{
    if (startCurl())
        handle_ = std::make_unique<Handle>();
}

FtpSession::~FtpSession() = default;

bool FtpSession::ready() const
{
    return handle_ && handle_->easy;
}

FtpResult FtpSession::refused(int code, const QString& reason, FtpStage stage) const
{
    qCWarning(lcFtp) << reason;
    return {false, code, reason, 0, QString(), stage};
}

FtpResult FtpSession::checkNames(const QStringList& names) const
{
    if (transferring_)
        return refused(kFtpBusy, QStringLiteral("A transfer is still running on this connection"), FtpStage::Command);
    if (!open_)
        return refused(kFtpNotConnected, QStringLiteral("Not connected to a server"), FtpStage::Command);
    for (const QString& name : names) {
        if (name.trimmed().isEmpty())
            return refused(kFtpRefusedName, QStringLiteral("No remote name given"), FtpStage::Command);
        if (hasLineBreak(name))
            return refused(kFtpRefusedName, QStringLiteral("A remote name must not contain a line break"), FtpStage::Command);
    }
    return {};
}

void FtpSession::prepare(const QString& urlPath)
{
    CURL* easy = handle_->easy.get();
    curl_easy_reset(easy);
    handle_->commands.reset();
    handle_->error.fill(0);
    handle_->reply.clear();
    const QByteArray url = QStringLiteral("ftp://%1:%2%3").arg(endpoint_.host).arg(endpoint_.port).arg(urlPath).toUtf8();
    curl_easy_setopt(easy, CURLOPT_URL, url.constData());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(easy, CURLOPT_USERNAME, user_.toUtf8().constData());
    curl_easy_setopt(easy, CURLOPT_PASSWORD, password_.toUtf8().constData());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long(timeouts_.connectMs));
    curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(timeouts_.replySeconds));
    curl_easy_setopt(easy, CURLOPT_ACCEPTTIMEOUT_MS, long(timeouts_.replySeconds) * 1000L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, long(timeouts_.stallSeconds));
    curl_easy_setopt(easy, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(easy, CURLOPT_FTPPORT, active_ ? "-" : nullptr);
    curl_easy_setopt(easy, CURLOPT_TRANSFERTEXT, binary_ ? 0L : 1L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, handle_->error.data());
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Handle::onHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, handle_.get());
    // Size and date queries report as header lines on the body path; nothing of it is wanted.
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, +[](char*, size_t size, size_t count, void*) { return size * count; });
}

FtpResult FtpSession::perform(FtpStage stage)
{
    const CURLcode code = curl_easy_perform(handle_->easy.get());
    if (code == CURLE_OK)
        return {};
    // libcurl's text for the code, as a message table would give it; its error
    // buffer keeps the first complaint of the operation, which need not be the
    // fatal one, so it only goes to the log.
    const QString reason = QString::fromUtf8(curl_easy_strerror(code));
    FtpResult result{false, int(code), reason, handle_->replyCode(), handle_->replyText(), stage};
    qCWarning(lcFtp).noquote() << QStringLiteral("FTP %1:%2: %3 (%4) %5")
                                      .arg(endpoint_.host).arg(endpoint_.port)
                                      .arg(reason, QString::fromUtf8(handle_->error.data()), result.reply);
    return result;
}

FtpResult FtpSession::open(const QString& host, const QString& user, const QString& password)
{
    if (transferring_)
        return refused(kFtpBusy, QStringLiteral("A transfer is still running on this connection"), FtpStage::Connect);
    close();
    if (!ready())
        return refused(CURLE_FAILED_INIT, QString::fromUtf8(curl_easy_strerror(CURLE_FAILED_INIT)), FtpStage::Session);
    QString error;
    if (!parseFtpHost(host, endpoint_, &error))
        return refused(CURLE_URL_MALFORMAT, error, FtpStage::Connect);
    if (hasLineBreak(user) || hasLineBreak(password))
        return refused(kFtpRefusedName, QStringLiteral("A login or password must not contain a line break"), FtpStage::Connect);
    user_ = user;
    password_ = password;
    prepare(QStringLiteral("/"));
    curl_easy_setopt(handle_->easy.get(), CURLOPT_NOBODY, 1L);
    const FtpResult result = perform(FtpStage::Connect);
    if (!result)
        return result;
    char* entry = nullptr;
    curl_easy_getinfo(handle_->easy.get(), CURLINFO_FTP_ENTRY_PATH, &entry);
    directory_ = resolveFtpPath(QStringLiteral("/"), entry ? QString::fromUtf8(entry) : QString());
    open_ = true;
    return result;
}

void FtpSession::close()
{
    if (transferring_) {
        closeRequested_ = true;
        return;
    }
    finishClose();
}

void FtpSession::finishClose()
{
    closeRequested_ = false;
    open_ = false;
    directory_ = QStringLiteral("/");
    // A fresh handle drops the control connection with the old one.
    if (handle_)
        handle_->easy.reset(curl_easy_init());
}

FtpResult FtpSession::runCommands(const QStringList& commands)
{
    prepare(QStringLiteral("/"));
    curl_slist* list = nullptr;
    for (const QString& command : commands)
        list = curl_slist_append(list, command.toUtf8().constData());
    handle_->commands.reset(list);
    curl_easy_setopt(handle_->easy.get(), CURLOPT_QUOTE, list);
    curl_easy_setopt(handle_->easy.get(), CURLOPT_NOBODY, 1L);
    return perform(FtpStage::Command);
}

FtpResult FtpSession::changeDirectory(const QString& directory)
{
    if (FtpResult check = checkNames({directory}); !check)
        return check;
    const QString target = resolve(directory);
    FtpResult result = runCommands({"CWD " + target});
    if (result)
        directory_ = target;
    return result;
}

FtpResult FtpSession::rename(const QString& from, const QString& to)
{
    if (FtpResult check = checkNames({from, to}); !check)
        return check;
    return runCommands({"RNFR " + resolve(from), "RNTO " + resolve(to)});
}

FtpResult FtpSession::makeDirectory(const QString& directory)
{
    if (FtpResult check = checkNames({directory}); !check)
        return check;
    return runCommands({"MKD " + resolve(directory)});
}

FtpResult FtpSession::removeDirectory(const QString& directory)
{
    if (FtpResult check = checkNames({directory}); !check)
        return check;
    return runCommands({"RMD " + resolve(directory)});
}

FtpResult FtpSession::deleteFile(const QString& remote)
{
    if (FtpResult check = checkNames({remote}); !check)
        return check;
    return runCommands({"DELE " + resolve(remote)});
}

FtpResult FtpSession::upload(const QString& remote, QIODevice& source, qint64 chunkSize, const ChunkDone& done)
{
    if (FtpResult check = checkNames({remote}); !check)
        return check;
    Transfer t{this, &source, std::clamp<qint64>(chunkSize, 1, kMaxChunk), &done};
    prepare(ftpUrlPath(resolve(remote)));
    CURL* easy = handle_->easy.get();
    curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(easy, CURLOPT_READFUNCTION, &Transfer::onRead);
    curl_easy_setopt(easy, CURLOPT_READDATA, &t);
    transferring_ = true;
    FtpResult result = perform(FtpStage::Open);
    transferring_ = false;
    if (!result)
        result.stage = t.failedStage();
    if (t.localFailed) {
        result.code = kFtpLocalFile;
        result.reason = QStringLiteral("The local file could not be read: %1").arg(source.errorString());
    }
    if (closeRequested_)
        finishClose();
    return result;
}

FtpResult FtpSession::download(const QString& remote, QIODevice& sink, qint64 chunkSize, const ChunkDone& done)
{
    if (FtpResult check = checkNames({remote}); !check)
        return check;
    Transfer t{this, &sink, std::clamp<qint64>(chunkSize, 1, kMaxChunk), &done};
    prepare(ftpUrlPath(resolve(remote)));
    CURL* easy = handle_->easy.get();
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Transfer::onWrite);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &t);
    transferring_ = true;
    FtpResult result = perform(FtpStage::Open);
    transferring_ = false;
    if (result && !t.held.isEmpty())
        t.passChunk(t.held, true);
    if (!result)
        result.stage = t.started ? FtpStage::Chunk : FtpStage::Open;
    if (t.localFailed)
        result = {false, kFtpLocalFile, QStringLiteral("The local file could not be written: %1").arg(sink.errorString()),
                  0, QString(), result.stage};
    if (closeRequested_)
        finishClose();
    return result;
}

FtpResult FtpSession::listNames(const QString& directory, QStringList& names)
{
    if (FtpResult check = checkNames({directory}); !check)
        return check;
    QByteArray listing;
    prepare(QStringLiteral("/"));
    CURL* easy = handle_->easy.get();
    const QByteArray request = ("NLST " + resolve(directory)).toUtf8();
    curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.constData());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, +[](char* data, size_t size, size_t count, void* out) {
        static_cast<QByteArray*>(out)->append(data, qsizetype(size * count));
        return size * count;
    });
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &listing);
    const FtpResult result = perform(FtpStage::Command);
    names = ftpListingNames(listing);
    return result;
}

FtpResult FtpSession::fileSize(const QString& remote, qint64& size)
{
    size = -1;
    if (FtpResult check = checkNames({remote}); !check)
        return check;
    prepare(ftpUrlPath(resolve(remote)));
    curl_easy_setopt(handle_->easy.get(), CURLOPT_NOBODY, 1L);
    const FtpResult result = perform(FtpStage::Command);
    curl_off_t length = -1;
    if (result && curl_easy_getinfo(handle_->easy.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK)
        size = length;
    return result;
}

}  // namespace platform
