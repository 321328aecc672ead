#include "settings/JpegLog.h"

Q_LOGGING_CATEGORY(lcJpeg, "tolvex.jpeg")
