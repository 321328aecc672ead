#pragma once

#include <QTimer>

namespace platform {

// A window's timer under its own name, stopped until the window starts it.
inline QTimer* makeNamedTimer(QObject* owner, const char* name, int intervalMs)
{
    auto* timer = new QTimer(owner);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    return timer;
}

}  // namespace platform
