#pragma once

#include <QUrl>

namespace platform {

// What the desktop says about its network: nothing (no backend answers), that it
// is disconnected, or that some network is up.
enum class DesktopReach { NoAnswer, Disconnected, Connected };

// Asks the desktop's network-information backend (NetworkManager and the like,
// through QNetworkInformation). Needs a running QCoreApplication.
DesktopReach desktopReach();

// True for an address whose host is this machine (localhost, 127.0.0.0/8, ::1).
bool isLoopbackAddress(const QUrl& address);

// Whether a download from the address is worth trying: yes unless the desktop
// says it is disconnected and the address is not on this machine. Where nobody
// answers, the download's own timeout decides.
bool worthTrying(DesktopReach reach, const QUrl& address);

}  // namespace platform
