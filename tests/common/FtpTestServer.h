#pragma once

#include "LoopbackServerProcess.h"

#include <QString>

// A real FTP server on 127.0.0.1 for one test (tests/fixtures/ftpserver.py on
// Debian's python3-pyftpdlib), serving its own folder at a port the system picks.
// Users: "writer" (read-write), "reader" (read-only), both with password "secret";
// "refused" is always turned away. The server is stopped by its own pid.
class FtpTestServer {
public:
    enum class Kind { Normal, Silent };  // Silent: accepts and never replies
    // A server with awkward habits: reading uploads at a slow link's pace, refusing
    // active mode, or a disk that fills after a number of bytes per file.
    struct Habits {
        int throttleBytesPerSecond = 0;
        bool passiveOnly = false;
        qint64 diskLimitBytes = 0;
    };
    explicit FtpTestServer(Kind kind = Kind::Normal);
    explicit FtpTestServer(const Habits& habits);

    bool running() const { return server_.running(); }
    QString error() const { return server_.error(); }
    int port() const { return server_.port(); }
    // "127.0.0.1:<port>", as FtpHost carries it.
    QString host() const;
    // The folder the server serves, and a file below it.
    QString root() const { return server_.root(); }
    QString path(const QString& relative) const { return server_.root() + "/" + relative; }
    // Every command the server has received so far, one per line.
    QString commandLog() const;
    // Kills the server at once, as a crash or a pulled cable would.
    void stop() { server_.stop(); }

private:
    LoopbackServerProcess server_;
};

// A port on 127.0.0.1 that is bound but not listening, so connections to it are
// refused while the object lives.
class ClosedLoopbackPort {
public:
    ClosedLoopbackPort();
    ~ClosedLoopbackPort();
    ClosedLoopbackPort(const ClosedLoopbackPort&) = delete;
    ClosedLoopbackPort& operator=(const ClosedLoopbackPort&) = delete;
    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};
