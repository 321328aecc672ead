#pragma once

#include <QLoggingCategory>

// Failures of the main window's capture work: connecting, the frame pump, saving.
Q_DECLARE_LOGGING_CATEGORY(lcCapture)
