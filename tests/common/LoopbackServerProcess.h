#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// One test server of tests/fixtures run by Debian's python3 on 127.0.0.1: it
// listens at a port the system picks and says so in its first line ("PORT <n>").
// It owns a folder to serve and a folder for its logs, and is stopped by its own
// pid, as a crash would end it.
class LoopbackServerProcess {
public:
    LoopbackServerProcess() = default;
    ~LoopbackServerProcess();
    LoopbackServerProcess(const LoopbackServerProcess&) = delete;
    LoopbackServerProcess& operator=(const LoopbackServerProcess&) = delete;

    // Runs tests/fixtures/<script> with `arguments` and waits for its port;
    // `what` names the server in the error.
    void start(const QString& script, const QStringList& arguments, const QString& what);
    bool running() const { return port_ > 0; }
    QString error() const { return error_; }
    int port() const { return port_; }
    QString root() const { return dir_.path(); }
    QString logPath(const QString& name) const { return logDir_.path() + "/" + name; }
    // The log's text so far; empty while the server has written none.
    QString readLog(const QString& name) const;
    void stop();

private:
    QTemporaryDir dir_;
    QTemporaryDir logDir_;
    QProcess process_;
    int port_ = 0;
    QString error_;
};
