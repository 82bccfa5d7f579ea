// The fifteen-minute countdown. It counts the timer's ticks, one a second.
#include "game/tavola.h"

#include "ui_tavola.h"

using namespace forms;

void Tavola::ResetClock()
{
    Timer1->start();
    ClockHours = 0;
    ClockMinutes = 15;
    ClockSeconds = 0;
    TicksLeft = 900;
    ui->lblconto->setCaption(clockText());
}

QString Tavola::clockText() const
{
    const QString twoDigits = QStringLiteral("00");
    return Format(ClockHours, twoDigits) + QLatin1Char(':') + Format(ClockMinutes, twoDigits) + QLatin1Char(':')
        + Format(CLng(ClockSeconds), twoDigits);
}

void Tavola::Timer1_Timer()
{
    // The display has shown the end for a whole tick: the game is over.
    if (ui->lblconto->caption() == QLatin1String("00:00:00")) {
        Timer1->stop();
        GameOver();
        return;
    }
    if (ClockSeconds == 0) {
        if (ClockMinutes > 0) {
            ClockMinutes = checkedInteger(ClockMinutes - 1);
            ClockSeconds = 60;
        } else if (ClockHours > 0) {
            ClockHours = checkedInteger(ClockHours - 1);
            ClockMinutes = 59;
            ClockSeconds = 60;
        }
    }
    ClockSeconds = ClockSeconds - 1;
    TicksLeft = checkedInteger(TicksLeft - 1);
    ui->lblconto->setCaption(clockText());
    tellTimeRunningOut();
}
