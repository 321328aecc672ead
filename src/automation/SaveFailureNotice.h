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
    // The notice to show for this save's outcome, or nothing. The log gets the first
    // failure of a run with its reason and, when saving works again, how many failed.
    std::optional<QString> report(bool ok, const QString& reason);

private:
    int failures_ = 0;
};

}  // namespace automation
