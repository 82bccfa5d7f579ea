#pragma once

#include "forms/runtime/timer.h"
#include "forms/widgets/colors.h"
#include "game/tavola.h"
#include "ui_tavola.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>

// What a test may see and do inside the window; everything it triggers goes
// through the same wiring as a player's events.
class TavolaTestAccess
{
public:
    explicit TavolaTestAccess(Tavola &tavola) : t(tavola) { }

    Ui::Tavola &ui() const { return *t.ui; }
    forms::Timer *timer() const { return t.Timer1; }

    // One second passes: Timer1 ticks, as the timer does, only while enabled.
    void tick() const
    {
        if (t.Timer1->isActive())
            QMetaObject::invokeMethod(t.Timer1, "timeout", Qt::DirectConnection);
    }
    void ticks(int count) const
    {
        for (int i = 0; i < count; ++i)
            tick();
    }

    // Controls of an earlier load go away once the event loop gets back.
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    forms::Integer &ExpectedAnswer() const { return t.ExpectedAnswer; }
    forms::Integer &CorrectCount() const { return t.CorrectCount; }
    forms::Integer &WrongCount() const { return t.WrongCount; }
    forms::Integer &TicksLeft() const { return t.TicksLeft; }
    forms::Integer &ClockHours() const { return t.ClockHours; }
    forms::Integer &ClockMinutes() const { return t.ClockMinutes; }
    forms::Single &ClockSeconds() const { return t.ClockSeconds; }
    QString &RecordDir() const { return t.RecordDir; }
    forms::Long backColor() const { return forms::fromQColor(t.centralWidget()->palette().color(QPalette::Window)); }

private:
    Tavola &t;
};
