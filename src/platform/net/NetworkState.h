#pragma once

namespace platform {

// Whether any network interface (the loopback one included) is up: the nearest
// thing this platform has to a dial-up connection that could be forced online.
bool networkAvailable();

}  // namespace platform
