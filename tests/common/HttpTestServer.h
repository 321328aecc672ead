#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A web server on 127.0.0.1 for one test (tests/fixtures/httpserver.py on
// Debian's python3 and its http.server), serving its own folder at a port the
// system picks. It logs each request, and is stopped by its own pid.
class HttpTestServer {
public:
    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    bool running() const { return port_ > 0; }
    QString error() const { return error_; }
    int port() const { return port_; }
    // "http://127.0.0.1:<port>/<name>".
    QString url(const QString& name) const;
    // Puts a file into the served folder.
    void serve(const QString& name, const QByteArray& content) const;
    // The paths requested so far, in order.
    QStringList requests() const;
    void stop();

private:
    QTemporaryDir dir_;
    QTemporaryDir logDir_;
    QProcess process_;
    int port_ = 0;
    QString error_;
};
