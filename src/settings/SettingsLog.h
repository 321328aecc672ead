#pragma once

#include <QLoggingCategory>

// Failures reading or writing the settings file and the per-user store.
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
