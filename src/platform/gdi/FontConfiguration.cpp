#include "platform/gdi/FontConfiguration.h"

#include <fontconfig/fontconfig.h>

namespace platform::gdi {

std::jthread readFontConfigurationAhead()
{
    // A configuration that cannot be read is the toolkit's to report when it asks
    // for it; this only reads it earlier.
    return std::jthread([] { FcInit(); });
}

}  // namespace platform::gdi
