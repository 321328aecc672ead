#include "viewer/ViewerLog.h"

Q_LOGGING_CATEGORY(lcViewer, "tolvex.viewer")
