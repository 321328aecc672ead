#pragma once

#include <QString>

#include <cstring>

namespace platform {

// The system's own text for an errno value, for the log and a result's reason.
inline QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

}  // namespace platform
