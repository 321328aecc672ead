#pragma once

#include <QLoggingCategory>

// The setup dialog and the folder chooser: outside programs that would not start.
Q_DECLARE_LOGGING_CATEGORY(lcSetup)
