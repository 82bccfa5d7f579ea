#include "forms/runtime/timer.h"

namespace forms {

Timer::Timer(QObject *parent) : QObject(parent)
{
    system.setTimerType(Qt::PreciseTimer);
    connect(&system, &QTimer::timeout, this, &Timer::catchUp);
}

void Timer::setInterval(int milliseconds)
{
    system.setInterval(milliseconds);
}

void Timer::start()
{
    ticked = 0;
    sinceStart.start();
    system.start();
}

void Timer::stop()
{
    system.stop();
}

bool Timer::isActive() const
{
    return system.isActive();
}

// A tick's handler may stop the timer, or start it again, or open a box in
// which later ticks come: each tick is counted before it is given.
void Timer::catchUp()
{
    const qint64 due = sinceStart.elapsed() / system.interval();
    while (system.isActive() && ticked < due) {
        ++ticked;
        emit timeout();
    }
}

} // namespace forms
