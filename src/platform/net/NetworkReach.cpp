#include "platform/net/NetworkReach.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QLoggingCategory>

#include <arpa/inet.h>


namespace platform {

namespace {

Q_LOGGING_CATEGORY(lcReach, "tolvex.net.reach")

constexpr int kReplyWaitMs = 1000;
const char* const kNetworkManagerPath = "/org/freedesktop/NetworkManager";
const char* const kNetworkManagerInterface = "org.freedesktop.NetworkManager";

}  // namespace

DesktopReach reachFromNetworkManagerState(uint state)
{
    switch (state) {
    case 10:  // asleep
    case 20:  // disconnected
    case 30:  // disconnecting
    case 40:  // connecting
        return DesktopReach::Disconnected;
    case 50:  // the machine's own network
    case 60:  // a site
    case 70:  // the internet
        return DesktopReach::Connected;
    default:
        return DesktopReach::NoAnswer;
    }
}

DesktopReach desktopReach(const QDBusConnection& bus, const QString& service)
{
    if (!bus.isConnected())
        return DesktopReach::NoAnswer;
    QDBusMessage call = QDBusMessage::createMethodCall(service, QLatin1String(kNetworkManagerPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << QLatin1String(kNetworkManagerInterface) << QStringLiteral("State");
    const QDBusMessage reply = bus.call(call, QDBus::Block, kReplyWaitMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        qCInfo(lcReach).noquote() << "no network state from" << service << ":" << reply.errorMessage();
        return DesktopReach::NoAnswer;
    }
    bool ok = false;
    const uint state = reply.arguments().constFirst().value<QDBusVariant>().variant().toUInt(&ok);
    return ok ? reachFromNetworkManagerState(state) : DesktopReach::NoAnswer;
}

DesktopReach desktopReach()
{
    return desktopReach(QDBusConnection::systemBus(), QLatin1String(kNetworkManagerInterface));
}

bool isLoopbackAddress(const QUrl& address)
{
    const QString host = address.host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QByteArray text = host.toLatin1();
    in_addr ip4{};
    if (inet_pton(AF_INET, text.constData(), &ip4) == 1)
        return (ntohl(ip4.s_addr) >> 24) == 127;
    in6_addr ip6{};
    if (inet_pton(AF_INET6, text.constData(), &ip6) != 1)
        return false;
    if (IN6_IS_ADDR_LOOPBACK(&ip6))
        return true;
    return IN6_IS_ADDR_V4MAPPED(&ip6) && ip6.s6_addr[12] == 127;
}

bool worthTrying(DesktopReach reach, const QUrl& address)
{
    return reach != DesktopReach::Disconnected || isLoopbackAddress(address);
}

}  // namespace platform
