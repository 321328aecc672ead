#pragma once

#include <QLoggingCategory>

// Failures of FTP sessions and uploads, logged once where they happen.
Q_DECLARE_LOGGING_CATEGORY(lcFtp)
