#pragma once

#include <QString>

#include <utility>

namespace platform {

// The outcome of an operation below the window layer: ok, or why not. reason is
// the system's own text (errno, the library's error string) for the log; code is
// set where the window shows a number. The window decides what the user reads.
struct Result {
    bool ok = true;
    QString reason;
    int code = 0;

    static Result success() { return {}; }
    static Result failure(QString reason, int code = 0) { return {false, std::move(reason), code}; }
    explicit operator bool() const { return ok; }
};

}  // namespace platform
