#include "automation/SaveFailureNotice.h"

Q_LOGGING_CATEGORY(lcAutomation, "tolvex.automation")

namespace automation {

std::optional<QString> SaveFailureNotice::report(bool ok, const QString& reason)
{
    if (ok) {
        failing_ = false;
        return std::nullopt;
    }
    qCWarning(lcAutomation) << "automatic save failed:" << reason;
    if (failing_)
        return std::nullopt;
    failing_ = true;
    return QStringLiteral("Picture NOT saved: ") + reason;
}

}  // namespace automation
