#include "platform/video/PlaybackLog.h"

// Playback logs with the rest of the video layer.
Q_LOGGING_CATEGORY(lcPlayback, "tolvex.video")
