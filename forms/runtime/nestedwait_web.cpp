#include "forms/runtime/nestedwait.h"

#include <QCoreApplication>
#include <QTimerEvent>

#include <optional>

namespace forms {
namespace {

// A timer's tick, handed back to the waiting box's own loop.
class TickInsideTheWait final : public QTimerEvent
{
public:
    using QTimerEvent::QTimerEvent;
};

// A page's one thread waits (for a box) by setting the whole program aside,
// its stack unwound, until the browser has news for it; it can set aside one
// wait only. The browser runs a timer's tick straight away, outside that
// wait: a box asked for by the tick (the time running out under the exit
// box) could not wait, and the page would freeze. So during a wait every
// tick is posted to the waiting loop, which the post wakes: the handler runs
// inside the wait, and a box it asks for waits in turn.
class TicksInsideTheWait final : public QObject
{
public:
    TicksInsideTheWait() { QCoreApplication::instance()->installEventFilter(this); }
    ~TicksInsideTheWait() override { QCoreApplication::instance()->removeEventFilter(this); }
    TicksInsideTheWait(const TicksInsideTheWait &) = delete;
    TicksInsideTheWait &operator=(const TicksInsideTheWait &) = delete;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        if (event->type() != QEvent::Timer || dynamic_cast<TickInsideTheWait *>(event))
            return false;
        const int timerId = static_cast<QTimerEvent *>(event)->timerId();
        QCoreApplication::postEvent(receiver, new TickInsideTheWait(timerId));
        return true;
    }
};

} // namespace

int waitNested(const std::function<int()> &exec)
{
    static int waits = 0;
    // The outermost wait posts the ticks; a wait inside it is reached
    // through the same loop.
    std::optional<TicksInsideTheWait> ticks;
    if (waits++ == 0)
        ticks.emplace();
    const int result = exec();
    --waits;
    return result;
}

} // namespace forms
