#pragma once

#include "platform/net/FtpPaths.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class QIODevice;

namespace platform {

// How far an operation came before it failed.
enum class FtpStage {
    Session,    // no session (the library could not start)
    Connect,    // reaching the server or logging in
    Command,    // a command on an open connection
    Open,       // the server did not accept the transfer of the file
    Chunk,      // while whole chunks were being sent or received
    Remainder,  // while the last, shorter chunk was being sent
};

// Replies from 400 on are the server's refusals.
inline constexpr int kFirstErrorReply = 400;

// The outcome of one session operation. code is libcurl's result code (or
// kFtpNotConnected and kFtpRefusedName for failures found before any call);
// reason is libcurl's own text; reply is the server's last reply of the operation.
struct FtpResult {
    bool ok = true;
    int code = 0;
    QString reason;
    int replyCode = 0;
    QString reply;
    FtpStage stage = FtpStage::Command;

    // The server answered the operation with an error reply (4xx or 5xx).
    bool serverRefused() const { return !ok && replyCode >= kFirstErrorReply; }
    explicit operator bool() const { return ok; }
};

inline constexpr int kFtpNotConnected = -100;
inline constexpr int kFtpRefusedName = -101;
inline constexpr int kFtpBusy = -102;
inline constexpr int kFtpLocalFile = -103;
inline constexpr int kFtpCancelled = -104;  // the program is ending
inline constexpr int kFtpNoNetwork = -105;

// What went wrong with an operation, in the user's terms.
enum class FtpTrouble {
    None,
    Cancelled,        // the program is ending: nothing to tell
    NoNetwork,
    ServerNotFound,   // no such host
    Unreachable,      // nothing answers at the host and port
    LoginRefused,
    TimedOut,         // the server stopped answering or the transfer stopped moving
    ConnectionLost,
    RemoteDiskFull,
    Refused,          // the server would not take the file (permission, folder)
    LocalFile,        // the local copy could not be read
    Other,
};
FtpTrouble ftpTrouble(const FtpResult& failure);

// Waits that tell a slow server from a dead one. None limits a whole transfer: a
// transfer that keeps moving may take as long as it needs.
struct FtpTimeouts {
    int connectMs = 5000;      // reaching the server, its greeting and the login
    int replySeconds = 5;      // each reply of the server, and its connection back in active mode
    int stallSeconds = 15;     // a transfer that moves no byte for this long is given up
};

// The servers that refused active mode during this run; they are asked in passive
// mode from then on. Shared by every session of the program (thread-safe).
class FtpPassiveMemory {
public:
    bool passive(const QString& endpoint) const;
    void remember(const QString& endpoint);

private:
    mutable std::mutex mutex_;
    QSet<QString> endpoints_;
};

// One FTP session over one libcurl easy handle, driven through libcurl's multi
// interface. libcurl keeps the logged-in control connection between operations and
// goes back to the login folder, so the session keeps the current directory itself
// and sends absolute paths.
//
// The operations block their caller until they end, so they run on the FTP worker's
// thread (FtpWorker); stop() and cancel() may be called from any thread.
class FtpSession {
public:
    // The bytes of the file the server has so far (upload: acknowledged by the
    // server's end of the connection; download: received), called on the thread of
    // the operation whenever the figure grows.
    using Progress = std::function<void(qint64 bytes)>;

    explicit FtpSession(FtpTimeouts timeouts = {});
    ~FtpSession();
    FtpSession(const FtpSession&) = delete;
    FtpSession& operator=(const FtpSession&) = delete;

    void setTimeouts(const FtpTimeouts& timeouts) { timeouts_ = timeouts; }
    FtpTimeouts timeouts() const { return timeouts_; }
    // Where the servers that refuse active mode are remembered; without one only
    // this session remembers.
    void setPassiveMemory(std::shared_ptr<FtpPassiveMemory> memory);
    // Opens libcurl and makes the session's handles, the first time only; false when
    // that failed. Called on the thread the session works on: a first transfer does
    // not hold up the window while the library loads.
    bool start();
    // Connects and logs in ("host" or "host:port", port 21 by default); the current
    // directory becomes the login folder.
    FtpResult open(const QString& host, const QString& user, const QString& password);
    // Ends the session, politely (QUIT) when the connection still works.
    void close();
    bool isOpen() const { return open_; }

    // Any thread: ends the running operation at once (libcurl's "aborted" result)
    // and closes the session after it.
    void stop();
    // Any thread: as stop(), and every later operation is refused with
    // kFtpCancelled; for a program that is ending.
    void cancel();
    bool cancelled() const { return cancelled_; }

    // TYPE I (binary) or TYPE A; active mode lets the server connect back (PORT
    // "-"); a server that refuses it is asked again in passive mode and remembered.
    void setBinary(bool binary) { binary_ = binary; }
    void setActive(bool active) { active_ = active; }

    QString currentDirectory() const { return directory_; }
    QString resolve(const QString& name) const { return resolveFtpPath(directory_, name); }
    FtpResult changeDirectory(const QString& directory);

    FtpResult rename(const QString& from, const QString& to);
    FtpResult makeDirectory(const QString& directory);
    FtpResult removeDirectory(const QString& directory);
    FtpResult deleteFile(const QString& remote);

    // Sends the source to the remote file. chunkSize only names the stage of a
    // failure (Remainder once the last whole chunk has gone).
    FtpResult upload(const QString& remote, QIODevice& source, qint64 chunkSize, const Progress& progress);
    // Receives the remote file into the sink.
    FtpResult download(const QString& remote, QIODevice& sink, qint64 chunkSize, const Progress& progress);
    // The names in a folder (NLST), last segments only.
    FtpResult listNames(const QString& directory, QStringList& names);
    FtpResult fileSize(const QString& remote, qint64& size);

private:
    struct Handle;
    struct Sockets;
    struct Transfer;
    FtpResult refused(int code, const QString& reason, FtpStage stage) const;
    FtpResult checkNames(const QStringList& names) const;
    FtpResult runCommands(const QStringList& commands);
    FtpResult perform(FtpStage stage, Transfer* transfer = nullptr);
    FtpResult transfer(const QString& remote, Transfer& t);
    bool usePassive() const;
    void prepare(const QString& urlPath, bool dataTransfer = false);
    void finishClose();
    void newHandle();

    FtpTimeouts timeouts_;
    std::unique_ptr<Sockets> sockets_;  // outlives every handle; reached from other threads
    std::unique_ptr<Handle> handle_;
    std::shared_ptr<FtpPassiveMemory> passiveMemory_;
    FtpEndpoint endpoint_;
    QString user_, password_;
    QString directory_ = QStringLiteral("/");
    bool open_ = false;
    bool binary_ = true;
    bool active_ = true;
    std::atomic_bool stopRequested_{false};
    std::atomic_bool cancelled_{false};
};

}  // namespace platform
