#pragma once

#include <QEventLoop>
#include <QTimer>

#include <functional>

// Runs the event loop until check() holds or timeoutMs has passed, and
// returns check(). Unlike QTest's waits, it lets a page's browser run the
// program's timers meanwhile.
inline bool waitUntil(const std::function<bool()> &check, int timeoutMs = 5000)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (check())
            loop.quit();
    });
    poll.start(10);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (!check())
        loop.exec();
    return check();
}
