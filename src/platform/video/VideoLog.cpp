#include "platform/video/VideoLog.h"

namespace platform::video {
Q_LOGGING_CATEGORY(lcVideo, "tolvex.video")
}
