#include "dialogs/SetupLog.h"

Q_LOGGING_CATEGORY(lcSetup, "tolvex.setup")
