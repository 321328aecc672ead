#pragma once

#include <QLoggingCategory>
#include <QString>

// Failures of the capture driver: device nodes, formats, buffers, streaming, the trace.
Q_DECLARE_LOGGING_CATEGORY(lcV4l2)

namespace platform::capdriver {

// Logs a failed system call on a device node with the errno text it left.
void warnSystemFailure(const char* what, const QString& path, int error);

}  // namespace platform::capdriver
