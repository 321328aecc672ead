#include "platform/sound/SoundLog.h"

Q_LOGGING_CATEGORY(lcSound, "tolvex.sound")
