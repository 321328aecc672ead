#pragma once

#include "platform/net/FtpPaths.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

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

// Waits that keep an unreachable or silent server from holding the program.
struct FtpTimeouts {
    int connectMs = 5000;      // reaching the server
    int replySeconds = 5;      // each reply of the server, and its connection back in active mode
    int stallSeconds = 15;     // a transfer that moves no byte for this long is given up
};

// One FTP session over one libcurl easy handle. libcurl keeps the logged-in
// control connection between operations and goes back to the login folder, so the
// session keeps the current directory itself and sends absolute paths.
class FtpSession {
public:
    // Called after each chunk the server has taken (upload) or the sink has
    // received (download), with the bytes so far; remainder marks the last, shorter
    // chunk. Returning false stops the transfer.
    using ChunkDone = std::function<bool(qint64 bytesSoFar, bool remainder)>;

    explicit FtpSession(FtpTimeouts timeouts = {});
    ~FtpSession();
    FtpSession(const FtpSession&) = delete;
    FtpSession& operator=(const FtpSession&) = delete;

    void setTimeouts(const FtpTimeouts& timeouts) { timeouts_ = timeouts; }
    // False when libcurl could not make a handle.
    bool ready() const;
    // Connects and logs in ("host" or "host:port", port 21 by default); the current
    // directory becomes the login folder.
    FtpResult open(const QString& host, const QString& user, const QString& password);
    // Ends the session. During a transfer the transfer is stopped first.
    void close();
    bool isOpen() const { return open_; }
    bool transferring() const { return transferring_; }

    // TYPE I (binary) or TYPE A; active mode lets the server connect back (PORT "-").
    void setBinary(bool binary) { binary_ = binary; }
    void setActive(bool active) { active_ = active; }

    QString currentDirectory() const { return directory_; }
    QString resolve(const QString& name) const { return resolveFtpPath(directory_, name); }
    FtpResult changeDirectory(const QString& directory);

    FtpResult rename(const QString& from, const QString& to);
    FtpResult makeDirectory(const QString& directory);
    FtpResult removeDirectory(const QString& directory);
    FtpResult deleteFile(const QString& remote);

    // Sends the source to the remote file in chunks of chunkSize bytes.
    FtpResult upload(const QString& remote, QIODevice& source, qint64 chunkSize, const ChunkDone& done);
    // Receives the remote file into the sink in chunks of chunkSize bytes.
    FtpResult download(const QString& remote, QIODevice& sink, qint64 chunkSize, const ChunkDone& done);
    // The names in a folder (NLST), last segments only.
    FtpResult listNames(const QString& directory, QStringList& names);
    FtpResult fileSize(const QString& remote, qint64& size);

private:
    struct Handle;
    struct Transfer;
    FtpResult refused(int code, const QString& reason, FtpStage stage) const;
    FtpResult checkNames(const QStringList& names) const;
    FtpResult runCommands(const QStringList& commands);
    FtpResult perform(FtpStage stage);
    void prepare(const QString& urlPath);
    void finishClose();

    FtpTimeouts timeouts_;
    std::unique_ptr<Handle> handle_;
    FtpEndpoint endpoint_;
    QString user_, password_;
    QString directory_ = QStringLiteral("/");
    bool open_ = false;
    bool binary_ = true;
    bool active_ = true;
    bool transferring_ = false;
    bool closeRequested_ = false;
};

}  // namespace platform
