#include "platform/capdriver/V4l2Log.h"

#include "platform/base/SystemReason.h"

Q_LOGGING_CATEGORY(lcV4l2, "tolvex.v4l2")

namespace platform::capdriver {

void warnSystemFailure(const char* what, const QString& path, int error)
{
    qCWarning(lcV4l2).noquote() << what << path << "failed:" << platform::systemReason(error);
}

}  // namespace platform::capdriver
