#pragma once

#include <QLoggingCategory>

// The capture area's log: preview, saving, start-up and shutdown of the main window.
Q_DECLARE_LOGGING_CATEGORY(lcCapture)
