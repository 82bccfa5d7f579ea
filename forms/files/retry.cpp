#include "forms/files/retry.h"

#include <QDeadlineTimer>
#include <QThread>

namespace forms {

bool retryWhileBusy(int timeoutMs, const std::function<Attempt()> &attempt)
{
    constexpr unsigned long pauseMs = 5;
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const Attempt result = attempt();
        if (result != Attempt::busy)
            return result == Attempt::done;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(pauseMs);
    }
}

} // namespace forms
