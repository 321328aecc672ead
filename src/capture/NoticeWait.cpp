#include "capture/NoticeWait.h"

#include <QEventLoop>

void waitWithoutInput(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

TimerTicksHeld::TimerTicksHeld(const QList<QTimer*>& timers)
{
    for (QTimer* t : timers)
        if (t && !t->signalsBlocked()) {
            t->blockSignals(true);
            held_.append(t);
        }
}

TimerTicksHeld::~TimerTicksHeld()
{
    for (QTimer* t : held_)
        t->blockSignals(false);
}
