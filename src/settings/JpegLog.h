#pragma once

#include <QLoggingCategory>

// Failures of the JPEG encoder (TurboJPEG) and the JPEG file writer.
Q_DECLARE_LOGGING_CATEGORY(lcJpeg)
