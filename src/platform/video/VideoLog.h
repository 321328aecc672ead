#pragma once

#include <QLoggingCategory>

namespace platform::video {
Q_DECLARE_LOGGING_CATEGORY(lcVideo)
}
