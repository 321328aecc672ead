#include "platform/net/NetworkReach.h"

#include <QHostAddress>
#include <QNetworkInformation>

namespace platform {

DesktopReach desktopReach()
{
    if (!QNetworkInformation::instance()
        && !QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        return DesktopReach::NoAnswer;
    const QNetworkInformation* info = QNetworkInformation::instance();
    if (!info)
        return DesktopReach::NoAnswer;
    switch (info->reachability()) {
    case QNetworkInformation::Reachability::Disconnected: return DesktopReach::Disconnected;
    case QNetworkInformation::Reachability::Unknown: return DesktopReach::NoAnswer;
    default: return DesktopReach::Connected;
    }
}

bool isLoopbackAddress(const QUrl& address)
{
    const QString host = address.host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress ip(host);
    return !ip.isNull() && ip.isLoopback();
}

bool worthTrying(DesktopReach reach, const QUrl& address)
{
    return reach != DesktopReach::Disconnected || isLoopbackAddress(address);
}

}  // namespace platform
