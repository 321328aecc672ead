#pragma once

#include "LoopbackServerProcess.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// A web server on 127.0.0.1 for one test (tests/fixtures/httpserver.py on
// Debian's python3 and its http.server), serving its own folder at a port the
// system picks. It logs each request, and is stopped by its own pid.
class HttpTestServer {
public:
    HttpTestServer();

    bool running() const { return server_.running(); }
    QString error() const { return server_.error(); }
    int port() const { return server_.port(); }
    // "http://127.0.0.1:<port>/<name>".
    QString url(const QString& name) const;
    // Puts a file into the served folder.
    void serve(const QString& name, const QByteArray& content) const;
    // The paths requested so far, in order.
    QStringList requests() const;
    void stop() { server_.stop(); }

private:
    LoopbackServerProcess server_;
};
