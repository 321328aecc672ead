#include "platform/net/FtpSession.h"

#include "platform/net/FtpReplies.h"

#include "platform/net/CurlHandles.h"
#include "platform/net/FtpLog.h"

#include <QByteArray>
#include <QIODevice>

#include <algorithm>
#include <array>
#include <chrono>
#include <vector>

#include <linux/sockios.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// How often the operation's loop looks at its deadlines, a stop and the bytes
// acknowledged, when libcurl has nothing to do.
constexpr int kPollMs = 50;
// libcurl gives up waiting for an active-mode connection a little before the reply
// deadline, so a server that cannot connect back is told from a silent one.
constexpr int kAcceptMarginMs = 250;

// The bytes written to a socket that its peer has not acknowledged yet, and
// whether the connection is broken (then none will be).
struct SendQueue {
    qint64 unacknowledged = 0;
    bool broken = false;

    // Nothing is waiting for the peer any more.
    bool settled() const { return broken || unacknowledged == 0; }
};

SendQueue sendQueue(curl_socket_t fd)
{
    SendQueue queue;
    int bytes = 0;
    if (fd == CURL_SOCKET_BAD || ::ioctl(fd, SIOCOUTQ, &bytes) != 0)
        return queue;
    queue.unacknowledged = std::max(bytes, 0);
    int error = 0;
    socklen_t length = sizeof error;
    tcp_info info{};
    socklen_t infoLength = sizeof info;
    queue.broken = (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error != 0)
                || (::getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &infoLength) == 0 && info.tcpi_state == TCP_CLOSE);
    return queue;
}

int portOf(const curl_sockaddr& address)
{
    // sin_port and sin6_port lie at the same place.
    return ntohs(reinterpret_cast<const sockaddr_in*>(&address.addr)->sin_port);
}

// Active mode failed: the server refused PORT/EPRT, or could not connect back.
bool activeModeRefused(int code)
{
    return code == CURLE_FTP_PORT_FAILED || code == CURLE_FTP_ACCEPT_FAILED || code == CURLE_FTP_ACCEPT_TIMEOUT;
}

}  // namespace

bool FtpPassiveMemory::passive(const QString& endpoint) const
{
    std::lock_guard lock(mutex_);
    return endpoints_.contains(endpoint);
}

void FtpPassiveMemory::remember(const QString& endpoint)
{
    std::lock_guard lock(mutex_);
    endpoints_.insert(endpoint);
}

// The sockets libcurl opened for the session, so a stop from another thread can
// shut them down and end any wait at once. The data connection is watched for the
// bytes its peer has acknowledged.
struct FtpSession::Sockets {
    std::mutex mutex;
    std::vector<curl_socket_t> open;  // made by onOpen, until libcurl closes them
    CURLM* multi = nullptr;           // the handle to wake
    int controlPort = 0;
    curl_socket_t data = CURL_SOCKET_BAD;  // the operation's thread only

    static curl_socket_t onOpen(void* self, curlsocktype purpose, curl_sockaddr* address)
    {
        auto* s = static_cast<Sockets*>(self);
        const curl_socket_t fd = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
        if (fd == CURL_SOCKET_BAD)
            return fd;
        std::lock_guard lock(s->mutex);
        s->open.push_back(fd);
        // Every connection but the one to the server's control port carries data
        // (in active mode the listener, until the server's connection is accepted).
        if (purpose == CURLSOCKTYPE_IPCXN && portOf(*address) != s->controlPort)
            s->data = fd;
        return fd;
    }

    static int onSocketOptions(void* self, curl_socket_t fd, curlsocktype purpose)
    {
        // An accepted connection is closed by libcurl itself, never through onClose.
        if (purpose == CURLSOCKTYPE_ACCEPT)
            static_cast<Sockets*>(self)->data = fd;
        return CURL_SOCKOPT_OK;
    }

    static int onClose(void* self, curl_socket_t fd)
    {
        auto* s = static_cast<Sockets*>(self);
        std::lock_guard lock(s->mutex);
        s->open.erase(std::remove(s->open.begin(), s->open.end(), fd), s->open.end());
        if (s->data == fd)
            s->data = CURL_SOCKET_BAD;
        return ::close(fd);
    }

    void shutdownAll()
    {
        std::lock_guard lock(mutex);
        for (const curl_socket_t fd : open)
            ::shutdown(fd, SHUT_RDWR);
        if (multi)
            curl::fn().curl_multi_wakeup(multi);
    }

    void setMulti(CURLM* handle)
    {
        std::lock_guard lock(mutex);
        multi = handle;
    }
};

// The state of one data transfer, seen by libcurl's callbacks.
struct FtpSession::Transfer {
    QIODevice* device = nullptr;
    qint64 chunkSize = 0;
    const Progress* progress = nullptr;
    bool upload = true;
    qint64 total = -1;
    qint64 bytes = 0;     // given to libcurl (upload) or received (download)
    qint64 reported = 0;  // told through progress
    bool started = false;
    bool sourceDone = false;
    bool paused = false;
    bool localFailed = false;

    void reset()
    {
        bytes = reported = 0;
        started = sourceDone = paused = localFailed = false;
    }

    FtpStage failedStage() const
    {
        if (!started)
            return FtpStage::Open;
        // An upload's chunks count once the server has them.
        const bool lastChunkGone = upload && total >= 0 && chunkSize > 0 && total % chunkSize != 0
                                && reported >= total - total % chunkSize;
        return lastChunkGone ? FtpStage::Remainder : FtpStage::Chunk;
    }
};

struct FtpSession::Handle {
    enum class Abort { None, Stopped, Cancelled, TimedOut };

    FtpSession* session;
    CurlMulti multi{curl::fn().curl_multi_init()};
    CurlEasy easy{curl::fn().curl_easy_init()};
    CurlList commands;
    std::array<char, CURL_ERROR_SIZE> error{};
    FtpReply reply;

    // The deadlines of the running operation.
    Transfer* transfer = nullptr;
    Clock::time_point lastMove;
    bool awaitingReply = false;  // to a command
    bool awaitingFinal = false;  // the server's word that it has the whole file
    Abort abort = Abort::None;
    QString overdueWhat;

    explicit Handle(FtpSession* owner)
        : session(owner)
    {
    }

    void begin(Transfer* t)
    {
        transfer = t;
        lastMove = Clock::now();
        awaitingReply = awaitingFinal = false;
        abort = Abort::None;
        overdueWhat.clear();
    }

    void moved() { lastMove = Clock::now(); }

    static size_t onHeader(char* data, size_t size, size_t count, void* self)
    {
        auto* handle = static_cast<Handle*>(self);
        handle->reply.addLine(QByteArray(data, qsizetype(size * count)));
        if (handle->reply.complete())
            handle->awaitingReply = handle->awaitingFinal = false;
        handle->moved();
        return size * count;
    }

    // Each command sent starts the wait for its reply.
    static int onDebug(CURL*, curl_infotype type, char*, size_t, void* self)
    {
        auto* handle = static_cast<Handle*>(self);
        if (type == CURLINFO_HEADER_OUT) {
            handle->awaitingReply = true;
            handle->moved();
        }
        return 0;
    }

    static int onProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        auto* handle = static_cast<Handle*>(self);
        handle->publish();
        return handle->shouldAbort() ? 1 : 0;
    }

    // The bytes the server's end has acknowledged: sent by libcurl less those
    // still waiting in the socket.
    void publish()
    {
        if (!transfer || !transfer->upload)
            return;
        const SendQueue queue = sendQueue(session->sockets_->data);
        if (queue.broken)
            return;
        curl_off_t sent = 0;
        curl::fn().curl_easy_getinfo(easy.get(), CURLINFO_SIZE_UPLOAD_T, &sent);
        const qint64 acknowledged = std::max<qint64>(0, qint64(sent) - queue.unacknowledged);
        report(std::min<qint64>(acknowledged, transfer->bytes));
    }

    void report(qint64 bytes)
    {
        if (bytes <= transfer->reported)
            return;
        transfer->reported = bytes;
        moved();
        if (transfer->progress && *transfer->progress)
            (*transfer->progress)(bytes);
    }

    bool shouldAbort()
    {
        if (abort != Abort::None)
            return true;
        if (session->cancelled_)
            abort = Abort::Cancelled;
        else if (session->stopRequested_)
            abort = Abort::Stopped;
        else if (overdue())
            abort = Abort::TimedOut;
        return abort != Abort::None;
    }

    // A reply that does not come within its deadline, or a transfer whose bytes
    // stop moving; a slow transfer that keeps moving is never overdue. The reply
    // that ends an upload belongs to the transfer: a server that reads slowly from
    // its own buffers may take as long to give it as a stalled transfer may last.
    bool overdue()
    {
        const auto idle = Clock::now() - lastMove;
        const FtpTimeouts& t = session->timeouts_;
        if (awaitingReply && idle > std::chrono::seconds(t.replySeconds)) {
            overdueWhat = QStringLiteral("no reply from the server for %1 s").arg(t.replySeconds);
            return true;
        }
        if (awaitingFinal && idle > std::chrono::seconds(t.stallSeconds)) {
            overdueWhat = QStringLiteral("the server did not confirm the file for %1 s").arg(t.stallSeconds);
            return true;
        }
        if (!awaitingReply && !awaitingFinal && transfer && transfer->started
            && idle > std::chrono::seconds(t.stallSeconds)) {
            overdueWhat = QStringLiteral("no byte moved for %1 s").arg(t.stallSeconds);
            return true;
        }
        return false;
    }

    int replyCode() const { return reply.code(); }
    QString replyText() const { return reply.text(); }

    // Upload: the file's bytes. Its end is told only once the server's end has
    // acknowledged every byte, so the wait for the final reply starts when the
    // server has the file, however slow the link.
    static size_t onRead(char* buffer, size_t size, size_t count, void* self)
    {
        auto* handle = static_cast<Handle*>(self);
        Transfer* t = handle->transfer;
        t->started = true;
        if (!t->sourceDone) {
            const qint64 got = t->device->read(buffer, qint64(size * count));
            if (got < 0) {
                t->localFailed = true;
                return CURL_READFUNC_ABORT;
            }
            if (got > 0) {
                t->bytes += got;
                return size_t(got);
            }
            t->sourceDone = true;
        }
        handle->publish();
        if (!sendQueue(handle->session->sockets_->data).settled()) {
            t->paused = true;
            return CURL_READFUNC_PAUSE;
        }
        handle->awaitingFinal = true;
        handle->moved();
        return 0;
    }

    static size_t onWrite(char* data, size_t size, size_t count, void* self)
    {
        auto* handle = static_cast<Handle*>(self);
        Transfer* t = handle->transfer;
        t->started = true;
        const qint64 length = qint64(size * count);
        if (t->device->write(data, length) != length) {
            t->localFailed = true;
            return CURL_WRITEFUNC_ERROR;
        }
        t->bytes += length;
        handle->report(t->bytes);
        return size_t(length);
    }
};

FtpSession::FtpSession(FtpTimeouts timeouts)
    : timeouts_(timeouts)
    , sockets_(std::make_unique<Sockets>())
    , passiveMemory_(std::make_shared<FtpPassiveMemory>())
{
}

FtpSession::~FtpSession()
{
    sockets_->setMulti(nullptr);
    handle_.reset();
}

void FtpSession::newHandle()
{
    sockets_->setMulti(nullptr);
    // The old handles' connection ends with them (QUIT while it still works).
    handle_.reset();
    handle_ = std::make_unique<Handle>(this);
    sockets_->setMulti(handle_->multi.get());
}

void FtpSession::setPassiveMemory(std::shared_ptr<FtpPassiveMemory> memory)
{
    if (memory)
        passiveMemory_ = std::move(memory);
}

bool FtpSession::start()
{
    if (!handle_ && startCurl())
        newHandle();
    return handle_ && handle_->easy && handle_->multi;
}

void FtpSession::stop()
{
    stopRequested_ = true;
    sockets_->shutdownAll();
}

void FtpSession::cancel()
{
    cancelled_ = true;
    stop();
}

FtpResult FtpSession::refused(int code, const QString& reason, FtpStage stage) const
{
    qCWarning(lcFtp) << reason;
    return {false, code, reason, 0, QString(), stage};
}

FtpResult FtpSession::checkNames(const QStringList& names) const
{
    if (cancelled_)
        return {false, kFtpCancelled, QStringLiteral("The program is ending"), 0, QString(), FtpStage::Command};
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

bool FtpSession::usePassive() const
{
    return !active_ || passiveMemory_->passive(endpoint_.host + ':' + QString::number(endpoint_.port));
}

void FtpSession::prepare(const QString& urlPath, bool dataTransfer)
{
    CURL* easy = handle_->easy.get();
    curl::fn().curl_easy_reset(easy);
    handle_->commands.reset();
    handle_->error.fill(0);
    handle_->reply.clear();
    sockets_->controlPort = endpoint_.port;
    const QByteArray url = QStringLiteral("ftp://%1:%2%3").arg(endpoint_.host).arg(endpoint_.port).arg(urlPath).toUtf8();
    curl::fn().curl_easy_setopt(easy, CURLOPT_URL, url.constData());
    curl::fn().curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "ftp");
    curl::fn().curl_easy_setopt(easy, CURLOPT_USERNAME, user_.toUtf8().constData());
    curl::fn().curl_easy_setopt(easy, CURLOPT_PASSWORD, password_.toUtf8().constData());
    curl::fn().curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    // No limit on a whole transfer: the connection, each reply and a stalled
    // transfer have deadlines of their own (Handle::overdue).
    curl::fn().curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, long(timeouts_.connectMs));
    // libcurl's reply limit is a backstop; in a transfer it must allow the final
    // reply's longer wait (Handle::overdue keeps the command replies short).
    curl::fn().curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                     long(dataTransfer ? std::max(timeouts_.replySeconds, timeouts_.stallSeconds) : timeouts_.replySeconds));
    curl::fn().curl_easy_setopt(easy, CURLOPT_ACCEPTTIMEOUT_MS,
                     std::max(long(timeouts_.replySeconds) * 1000L - kAcceptMarginMs, 1L));
    curl::fn().curl_easy_setopt(easy, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_NOCWD));
    curl::fn().curl_easy_setopt(easy, CURLOPT_FTPPORT, usePassive() ? nullptr : "-");
    curl::fn().curl_easy_setopt(easy, CURLOPT_TRANSFERTEXT, binary_ ? 0L : 1L);
    curl::fn().curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, handle_->error.data());
    curl::fn().curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Handle::onHeader);
    curl::fn().curl_easy_setopt(easy, CURLOPT_HEADERDATA, handle_.get());
    curl::fn().curl_easy_setopt(easy, CURLOPT_VERBOSE, 1L);
    curl::fn().curl_easy_setopt(easy, CURLOPT_DEBUGFUNCTION, &Handle::onDebug);
    curl::fn().curl_easy_setopt(easy, CURLOPT_DEBUGDATA, handle_.get());
    curl::fn().curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    curl::fn().curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &Handle::onProgress);
    curl::fn().curl_easy_setopt(easy, CURLOPT_XFERINFODATA, handle_.get());
    curl::fn().curl_easy_setopt(easy, CURLOPT_OPENSOCKETFUNCTION, &Sockets::onOpen);
    curl::fn().curl_easy_setopt(easy, CURLOPT_OPENSOCKETDATA, sockets_.get());
    curl::fn().curl_easy_setopt(easy, CURLOPT_SOCKOPTFUNCTION, &Sockets::onSocketOptions);
    curl::fn().curl_easy_setopt(easy, CURLOPT_SOCKOPTDATA, sockets_.get());
    curl::fn().curl_easy_setopt(easy, CURLOPT_CLOSESOCKETFUNCTION, &Sockets::onClose);
    curl::fn().curl_easy_setopt(easy, CURLOPT_CLOSESOCKETDATA, sockets_.get());
    // Size and date queries report as header lines on the body path; nothing of it is wanted.
    curl::fn().curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, +[](char*, size_t size, size_t count, void*) { return size * count; });
}

FtpResult FtpSession::perform(FtpStage stage, Transfer* transfer)
{
    Handle& h = *handle_;
    CURLM* multi = h.multi.get();
    CURL* easy = h.easy.get();
    h.begin(transfer);
    sockets_->data = CURL_SOCKET_BAD;
    CURLcode code = CURLE_OK;
    if (h.shouldAbort()) {
        code = CURLE_ABORTED_BY_CALLBACK;
    } else {
        curl::fn().curl_multi_add_handle(multi, easy);
        for (bool done = false; !done;) {
            int running = 0;
            if (curl::fn().curl_multi_perform(multi, &running) != CURLM_OK) {
                code = CURLE_FAILED_INIT;
                break;
            }
            int queued = 0;
            while (CURLMsg* message = curl::fn().curl_multi_info_read(multi, &queued))
                if (message->msg == CURLMSG_DONE && message->easy_handle == easy) {
                    code = message->data.result;
                    done = true;
                }
            if (done)
                break;
            h.publish();
            if (h.shouldAbort()) {
                code = CURLE_ABORTED_BY_CALLBACK;
                break;
            }
            if (transfer && transfer->paused && sendQueue(sockets_->data).settled()) {
                transfer->paused = false;
                curl::fn().curl_easy_pause(easy, CURLPAUSE_CONT);
                continue;
            }
            curl::fn().curl_multi_poll(multi, nullptr, 0, kPollMs, nullptr);
        }
        curl::fn().curl_multi_remove_handle(multi, easy);
    }
    h.transfer = nullptr;
    sockets_->data = CURL_SOCKET_BAD;
    if (code == CURLE_OK)
        return {};
    // A stop shuts the sockets down, which libcurl may notice first.
    if (h.abort == Handle::Abort::None && (cancelled_ || stopRequested_))
        h.abort = cancelled_ ? Handle::Abort::Cancelled : Handle::Abort::Stopped;
    if (h.abort == Handle::Abort::Stopped)
        code = CURLE_ABORTED_BY_CALLBACK;

    QString detail = QString::fromUtf8(h.error.data());
    if (h.abort == Handle::Abort::TimedOut) {
        code = CURLE_OPERATION_TIMEDOUT;
        detail = h.overdueWhat;
    }
    // libcurl's text for the code, as a message table would give it; its error
    // buffer keeps the first complaint of the operation, which need not be the
    // fatal one, so it only goes to the log.
    FtpResult result{false, int(code), QString::fromUtf8(curl::fn().curl_easy_strerror(code)), h.replyCode(), h.replyText(), stage};
    if (h.abort == Handle::Abort::Cancelled) {
        result.code = kFtpCancelled;
        result.reason = QStringLiteral("The program is ending");
        qCInfo(lcFtp).noquote() << QStringLiteral("FTP %1:%2: ended with the program").arg(endpoint_.host).arg(endpoint_.port);
        return result;
    }
    qCWarning(lcFtp).noquote() << QStringLiteral("FTP %1:%2: %3 (%4) %5")
                                      .arg(endpoint_.host).arg(endpoint_.port)
                                      .arg(result.reason, detail, result.reply);
    return result;
}

FtpResult FtpSession::open(const QString& host, const QString& user, const QString& password)
{
    close();
    if (cancelled_)
        return {false, kFtpCancelled, QStringLiteral("The program is ending"), 0, QString(), FtpStage::Connect};
    if (!start()) {
        const platform::Result loaded = curl::load();
        return refused(CURLE_FAILED_INIT,
                       loaded ? QString::fromUtf8(curl::fn().curl_easy_strerror(CURLE_FAILED_INIT)) : loaded.reason,
                       FtpStage::Session);
    }
    QString error;
    if (!parseFtpHost(host, endpoint_, &error))
        return refused(CURLE_URL_MALFORMAT, error, FtpStage::Connect);
    if (hasLineBreak(user) || hasLineBreak(password))
        return refused(kFtpRefusedName, QStringLiteral("A login or password must not contain a line break"), FtpStage::Connect);
    user_ = user;
    password_ = password;
    prepare(QStringLiteral("/"));
    curl::fn().curl_easy_setopt(handle_->easy.get(), CURLOPT_NOBODY, 1L);
    const FtpResult result = perform(FtpStage::Connect);
    if (!result)
        return result;
    char* entry = nullptr;
    curl::fn().curl_easy_getinfo(handle_->easy.get(), CURLINFO_FTP_ENTRY_PATH, &entry);
    directory_ = resolveFtpPath(QStringLiteral("/"), entry ? QString::fromUtf8(entry) : QString());
    open_ = true;
    return result;
}

void FtpSession::close()
{
    finishClose();
}

void FtpSession::finishClose()
{
    open_ = false;
    directory_ = QStringLiteral("/");
    // Fresh handles drop the control connection with the old ones.
    if (handle_)
        newHandle();
    stopRequested_ = cancelled_.load();
}

FtpResult FtpSession::runCommands(const QStringList& commands)
{
    prepare(QStringLiteral("/"));
    curl_slist* list = nullptr;
    for (const QString& command : commands)
        list = curl::fn().curl_slist_append(list, command.toUtf8().constData());
    handle_->commands.reset(list);
    curl::fn().curl_easy_setopt(handle_->easy.get(), CURLOPT_QUOTE, list);
    curl::fn().curl_easy_setopt(handle_->easy.get(), CURLOPT_NOBODY, 1L);
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

// A transfer on a data connection; a server that refuses active mode is asked
// again in passive mode once, and remembered.
FtpResult FtpSession::transfer(const QString& remote, Transfer& t)
{
    const qint64 start = t.device->isSequential() ? -1 : t.device->pos();
    for (bool retried = false;; retried = true) {
        const bool passive = usePassive();
        prepare(ftpUrlPath(resolve(remote)), true);
        CURL* easy = handle_->easy.get();
        if (t.upload) {
            curl::fn().curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
            curl::fn().curl_easy_setopt(easy, CURLOPT_READFUNCTION, &Handle::onRead);
            curl::fn().curl_easy_setopt(easy, CURLOPT_READDATA, handle_.get());
        } else {
            curl::fn().curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Handle::onWrite);
            curl::fn().curl_easy_setopt(easy, CURLOPT_WRITEDATA, handle_.get());
        }
        FtpResult result = perform(FtpStage::Open, &t);
        if (!result)
            result.stage = t.failedStage();
        if (result || passive || retried || !activeModeRefused(result.code) || t.bytes > 0 || start < 0)
            return result;
        passiveMemory_->remember(endpoint_.host + ':' + QString::number(endpoint_.port));
        qCInfo(lcFtp).noquote() << QStringLiteral("FTP %1:%2 refused active mode; passive mode from now on")
                                       .arg(endpoint_.host).arg(endpoint_.port);
        if (!t.device->seek(start))
            return result;
        t.reset();
    }
}

FtpResult FtpSession::upload(const QString& remote, QIODevice& source, qint64 chunkSize, const Progress& progress)
{
    if (FtpResult check = checkNames({remote}); !check)
        return check;
    Transfer t{&source, chunkSize, &progress, true, source.isSequential() ? -1 : source.size()};
    FtpResult result = transfer(remote, t);
    if (t.localFailed) {
        result.code = kFtpLocalFile;
        result.reason = QStringLiteral("The local file could not be read: %1").arg(source.errorString());
    }
    if (stopRequested_)
        finishClose();
    return result;
}

FtpResult FtpSession::download(const QString& remote, QIODevice& sink, qint64 chunkSize, const Progress& progress)
{
    if (FtpResult check = checkNames({remote}); !check)
        return check;
    Transfer t{&sink, chunkSize, &progress, false};
    FtpResult result = transfer(remote, t);
    if (t.localFailed)
        result = {false, kFtpLocalFile, QStringLiteral("The local file could not be written: %1").arg(sink.errorString()),
                  0, QString(), result.stage};
    if (stopRequested_)
        finishClose();
    return result;
}

FtpResult FtpSession::listNames(const QString& directory, QStringList& names)
{
    names.clear();
    if (FtpResult check = checkNames({directory}); !check)
        return check;
    QByteArray listing;
    FtpResult result;
    for (bool retried = false;; retried = true) {
        const bool passive = usePassive();
        listing.clear();
        prepare(QStringLiteral("/"), true);
        CURL* easy = handle_->easy.get();
        const QByteArray request = ("NLST " + resolve(directory)).toUtf8();
        curl::fn().curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.constData());
        curl::fn().curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, +[](char* data, size_t size, size_t count, void* out) {
            static_cast<QByteArray*>(out)->append(data, qsizetype(size * count));
            return size * count;
        });
        curl::fn().curl_easy_setopt(easy, CURLOPT_WRITEDATA, &listing);
        result = perform(FtpStage::Command);
        if (result || passive || retried || !activeModeRefused(result.code))
            break;
        passiveMemory_->remember(endpoint_.host + ':' + QString::number(endpoint_.port));
    }
    names = ftpListingNames(listing);
    return result;
}

FtpResult FtpSession::fileSize(const QString& remote, qint64& size)
{
    size = -1;
    if (FtpResult check = checkNames({remote}); !check)
        return check;
    prepare(ftpUrlPath(resolve(remote)));
    curl::fn().curl_easy_setopt(handle_->easy.get(), CURLOPT_NOBODY, 1L);
    const FtpResult result = perform(FtpStage::Command);
    curl_off_t length = -1;
    if (result && curl::fn().curl_easy_getinfo(handle_->easy.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK)
        size = length;
    return result;
}

FtpTrouble ftpTrouble(const FtpResult& failure)
{
    if (failure.ok)
        return FtpTrouble::None;
    const QString reply = failure.reply.toLower();
    const bool diskFullReply = failure.replyCode == 452 || failure.replyCode == 552
                            || reply.contains(QLatin1String("no space")) || reply.contains(QLatin1String("disk full"))
                            || reply.contains(QLatin1String("quota")) || reply.contains(QLatin1String("failure writing"));
    if (failure.serverRefused() && diskFullReply)
        return FtpTrouble::RemoteDiskFull;
    switch (failure.code) {
    case kFtpCancelled: return FtpTrouble::Cancelled;
    case kFtpNoNetwork: return FtpTrouble::NoNetwork;
    case kFtpLocalFile: return FtpTrouble::LocalFile;
    case CURLE_URL_MALFORMAT:
    case CURLE_COULDNT_RESOLVE_HOST: return FtpTrouble::ServerNotFound;
    case CURLE_COULDNT_CONNECT: return FtpTrouble::Unreachable;
    case CURLE_LOGIN_DENIED: return FtpTrouble::LoginRefused;
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_FTP_ACCEPT_TIMEOUT: return FtpTrouble::TimedOut;
    default: break;
    }
    if (failure.replyCode == 530)
        return FtpTrouble::LoginRefused;
    if (failure.replyCode == 421 || failure.replyCode == 426)
        return FtpTrouble::ConnectionLost;
    if (failure.serverRefused())
        return FtpTrouble::Refused;
    switch (failure.code) {
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
    case CURLE_UPLOAD_FAILED:
    case CURLE_WEIRD_SERVER_REPLY: return FtpTrouble::ConnectionLost;
    default: return FtpTrouble::Other;
    }
}

}  // namespace platform
