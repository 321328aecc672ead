#include "platform/print/PrintLog.h"

Q_LOGGING_CATEGORY(lcPrint, "tolvex.print")
