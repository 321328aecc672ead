#pragma once

#include <QString>
#include <QUrl>

class QDBusConnection;

namespace platform {

// What the desktop says about its network: nothing (no network service answers),
// that it is disconnected, or that some network is up.
enum class DesktopReach { NoAnswer, Disconnected, Connected };

// What NetworkManager's "State" says: asleep, disconnected, disconnecting and
// connecting are disconnected; a connection to the machine's own network, a site or
// the internet is connected; unknown (0) and values it does not define say nothing.
DesktopReach reachFromNetworkManagerState(uint state);

// Asks NetworkManager on the system bus for its state, waiting at most a second for
// the answer. No bus, no service or no answer is NoAnswer.
DesktopReach desktopReach();

// The same question to `service` on `bus`.
DesktopReach desktopReach(const QDBusConnection& bus, const QString& service);

// True for an address whose host is this machine (localhost, 127.0.0.0/8, ::1 and
// its IPv4-mapped form).
bool isLoopbackAddress(const QUrl& address);

// Whether a download from the address is worth trying: yes unless the desktop
// says it is disconnected and the address is not on this machine. Where nobody
// answers, the download's own timeout decides.
bool worthTrying(DesktopReach reach, const QUrl& address);

}  // namespace platform
