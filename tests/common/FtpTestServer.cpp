#include "FtpTestServer.h"

#include <QDeadlineTimer>
#include <QFile>

#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kStartMs = 15000;

QString scriptPath()
{
    return QStringLiteral(TOLVEX_SOURCE_DIR "/tests/fixtures/ftpserver.py");
}

}  // namespace

FtpTestServer::FtpTestServer(Kind kind)
{
    QStringList arguments{scriptPath()};
    if (kind == Kind::Silent)
        arguments << "--silent";
    else
        arguments << "--root" << dir_.path() << "--log" << logDir_.path() + "/commands.log";
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
        error_ = "the FTP server did not start: " + QString::fromUtf8(line + process_.readAllStandardError());
        stop();
        return;
    }
    port_ = line.mid(5).toInt();
}

FtpTestServer::~FtpTestServer()
{
    stop();
}

QString FtpTestServer::host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port_);
}

QString FtpTestServer::commandLog() const
{
    QFile log(logDir_.path() + "/commands.log");
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

void FtpTestServer::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    ::kill(pid_t(process_.processId()), SIGKILL);
    process_.waitForFinished(kStartMs);
}

ClosedLoopbackPort::ClosedLoopbackPort()
    : fd_(::socket(AF_INET, SOCK_STREAM, 0))
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
}

ClosedLoopbackPort::~ClosedLoopbackPort()
{
    ::close(fd_);
}
