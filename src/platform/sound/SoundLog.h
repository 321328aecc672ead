#pragma once

#include <QLoggingCategory>

// Sounds that could not be read or played (ALSA).
Q_DECLARE_LOGGING_CATEGORY(lcSound)
