#include "HttpTestServer.h"

#include <QFile>

namespace {

const QString kRequestLog = QStringLiteral("requests.log");

}  // namespace

HttpTestServer::HttpTestServer()
{
    server_.start(QStringLiteral("httpserver.py"),
                  {"--root", server_.root(), "--log", server_.logPath(kRequestLog)}, QStringLiteral("web server"));
}

QString HttpTestServer::url(const QString& name) const
{
    return QStringLiteral("http://127.0.0.1:%1/%2").arg(port()).arg(name);
}

void HttpTestServer::serve(const QString& name, const QByteArray& content) const
{
    QFile file(server_.root() + "/" + name);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

QStringList HttpTestServer::requests() const
{
    return server_.readLog(kRequestLog).split('\n', Qt::SkipEmptyParts);
}
