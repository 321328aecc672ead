#pragma once

#include <QLoggingCategory>

// Failures of the program's own file writers and readers (safe writer, bitmaps).
Q_DECLARE_LOGGING_CATEGORY(lcFiles)
