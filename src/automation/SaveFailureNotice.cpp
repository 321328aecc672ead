#include "automation/SaveFailureNotice.h"

Q_LOGGING_CATEGORY(lcAutomation, "tolvex.automation")

namespace automation {

std::optional<QString> SaveFailureNotice::report(bool ok, const QString& reason)
{
    if (ok) {
        if (failures_ > 0)
            qCInfo(lcAutomation) << "automatic saves work again after" << failures_ << "failed";
        failures_ = 0;
        return std::nullopt;
    }
    if (++failures_ > 1)
        return std::nullopt;
    qCWarning(lcAutomation) << "automatic save failed:" << reason;
    return QStringLiteral("Picture NOT saved: ") + reason;
}

}  // namespace automation
