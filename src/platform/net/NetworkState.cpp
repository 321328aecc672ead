#include "platform/net/NetworkState.h"

#include <ifaddrs.h>
#include <net/if.h>

namespace platform {

bool networkAvailable()
{
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return false;
    bool up = false;
    for (const ifaddrs* entry = list; entry && !up; entry = entry->ifa_next)
        up = (entry->ifa_flags & IFF_UP) != 0;
    freeifaddrs(list);
    return up;
}

}  // namespace platform
