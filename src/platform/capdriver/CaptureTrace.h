#pragma once

#include "platform/capdriver/CaptureTypes.h"
#include "platform/capdriver/TimeSource.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>

namespace platform::capdriver {

// One line per capture call: milliseconds since start, the handle, the message
// name, its arguments and its result, e.g.
//   1234 h3 WM_CAP_SET_VIDEOFORMAT 640 480 24 0 -> 1
// Lines are appended and flushed at once, so a crash keeps everything before it.
class CaptureTrace {
public:
    explicit CaptureTrace(std::shared_ptr<const TimeSource> clock) : clock_(std::move(clock)) {}

    // An empty path switches tracing off.
    void open(const QString& path);
    bool enabled() const { return file_.isOpen(); }
    void write(CaptureHandle handle, const char* message, const QStringList& arguments, const QString& result);

    static QString quoted(const QString& text);

private:
    std::shared_ptr<const TimeSource> clock_;
    QFile file_;
    bool writeFailureLogged_ = false;  // a full disk would repeat it at every call
};

}  // namespace platform::capdriver
