#pragma once

#include <QLoggingCategory>
#include <QString>

#include <optional>

Q_DECLARE_LOGGING_CATEGORY(lcAutomation)

namespace automation {

// Interval and motion saves run unattended, every second or on every motion: a
// broken folder or a full disk must be told, but once, not on every tick. A run of
// failures gives one notice; a save that works ends the run.
class SaveFailureNotice {
public:
    // The notice to show for this save's outcome, or nothing. Every failure is logged.
    std::optional<QString> report(bool ok, const QString& reason);

private:
    bool failing_ = false;
};

}  // namespace automation
