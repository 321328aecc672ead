#include "platform/net/FtpLog.h"

Q_LOGGING_CATEGORY(lcFtp, "tolvex.ftp")
