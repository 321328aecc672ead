#include "FtpTestServer.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString kCommandLog = QStringLiteral("commands.log");

}  // namespace

FtpTestServer::FtpTestServer(Kind kind)
{
    QStringList arguments;
    if (kind == Kind::Silent)
        arguments << "--silent";
    else
        arguments << "--root" << server_.root() << "--log" << server_.logPath(kCommandLog);
    server_.start(QStringLiteral("ftpserver.py"), arguments, QStringLiteral("FTP server"));
}

FtpTestServer::FtpTestServer(const Habits& habits)
{
    QStringList arguments{"--root", server_.root(), "--log", server_.logPath(kCommandLog)};
    if (habits.throttleBytesPerSecond > 0)
        arguments << "--throttle" << QString::number(habits.throttleBytesPerSecond);
    if (habits.passiveOnly)
        arguments << "--passive-only";
    if (habits.diskLimitBytes > 0)
        arguments << "--disk-limit" << QString::number(habits.diskLimitBytes);
    server_.start(QStringLiteral("ftpserver.py"), arguments, QStringLiteral("FTP server"));
}

QString FtpTestServer::host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port());
}

QString FtpTestServer::commandLog() const
{
    return server_.readLog(kCommandLog);
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
