#include "HttpTestServer.h"

#include <QDeadlineTimer>
#include <QFile>

#include <signal.h>

namespace {

constexpr int kStartMs = 15000;

}  // namespace

HttpTestServer::HttpTestServer()
{
    const QStringList arguments{QStringLiteral(TOLVEX_SOURCE_DIR "/tests/fixtures/httpserver.py"), "--root",
                                dir_.path(), "--log", logDir_.path() + "/requests.log"};
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(QStringLiteral("/usr/bin/python3"), arguments);
    if (!process_.waitForStarted(kStartMs)) {
        error_ = "python3 did not start: " + process_.errorString();
        return;
    }
    const QDeadlineTimer deadline(kStartMs);
    while (!process_.canReadLine() && process_.state() == QProcess::Running && !deadline.hasExpired())
        process_.waitForReadyRead(int(deadline.remainingTime()));
    const QByteArray line = process_.readLine().trimmed();
    if (!line.startsWith("PORT ")) {
        error_ = "the web server did not start: " + QString::fromUtf8(line + process_.readAllStandardError());
        stop();
        return;
    }
    port_ = line.mid(5).toInt();
}

HttpTestServer::~HttpTestServer()
{
    stop();
}

QString HttpTestServer::url(const QString& name) const
{
    return QStringLiteral("http://127.0.0.1:%1/%2").arg(port_).arg(name);
}

void HttpTestServer::serve(const QString& name, const QByteArray& content) const
{
    QFile file(dir_.path() + "/" + name);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

QStringList HttpTestServer::requests() const
{
    QFile log(logDir_.path() + "/requests.log");
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
}

void HttpTestServer::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    ::kill(pid_t(process_.processId()), SIGKILL);
    process_.waitForFinished(kStartMs);
}
