#include "forms/runtime/timer.h"
#include "gamefixture.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QThread>
#include <QTimer>

class TestClock : public QObject
{
    Q_OBJECT

private slots:
    void countsDown_data();
    void countsDown();
    void borrowsThroughHours();
    void gameOverOnceAfterZero();
    void keepsCountingUnderConfirmation();
    void timerMakesUpLateTicks_data();
    void timerMakesUpLateTicks();
};

void TestClock::countsDown_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("ticksLeft");

    QTest::newRow("start") << 0 << "00:15:00" << 900;
    QTest::newRow("1") << 1 << "00:14:59" << 899;
    QTest::newRow("2") << 2 << "00:14:58" << 898;
    QTest::newRow("60") << 60 << "00:14:00" << 840;
    QTest::newRow("61") << 61 << "00:13:59" << 839;
    QTest::newRow("899") << 899 << "00:00:01" << 1;
    QTest::newRow("900") << 900 << "00:00:00" << 0;
}

void TestClock::countsDown()
{
    QFETCH(int, ticks);
    GameFixture fixture;
    fixture.game.ticks(ticks);
    QTEST(fixture.game.ui().lblconto->caption(), "display");
    QTEST(static_cast<int>(fixture.game.TicksLeft()), "ticksLeft");
    QVERIFY(fixture.game.timer()->isActive());
    QCOMPARE(fixture.host.endCount, 0);
}

void TestClock::borrowsThroughHours()
{
    GameFixture fixture;
    fixture.game.ClockHours() = 1;
    fixture.game.ClockMinutes() = 0;
    fixture.game.ClockSeconds() = 0;
    fixture.game.tick();
    QCOMPARE(fixture.game.ui().lblconto->caption(), QStringLiteral("00:59:59"));
}

// The tick after the display first reads 00:00:00 says goodbye and ends,
// once, however long the farewell box stays open.
void TestClock::gameOverOnceAfterZero()
{
    GameFixture fixture;
    fixture.game.ticks(900);
    const int boxesBefore = static_cast<int>(fixture.host.boxes.size());
    fixture.host.whileOpen = [&](const ScriptedHost::Box &) { fixture.game.ticks(30); };
    forms::runHandler([&] { fixture.game.tick(); });

    QCOMPARE(fixture.host.endCount, 1);
    QCOMPARE(fixture.host.boxes.size(), boxesBefore + 1);
    const ScriptedHost::Box farewell = fixture.host.boxes.last();
    QCOMPARE(farewell.prompt, QStringLiteral("Ciao a presto. Ore 0"));
    QCOMPARE(farewell.buttons, 0);
    QCOMPARE(farewell.title,
        QStringLiteral("Data ") + QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    QVERIFY(!fixture.game.timer()->isActive());
}

void TestClock::keepsCountingUnderConfirmation()
{
    GameFixture fixture;
    fixture.host.yesNoAnswer = forms::vbNo;
    fixture.host.whileOpen = [&](const ScriptedHost::Box &) { fixture.game.ticks(5); };
    fixture.game.ui().cmdExit->click();
    QCOMPARE(fixture.game.ui().lblconto->caption(), QStringLiteral("00:14:55"));
}

// A browser wakes a background tab's timers late, a busy machine may too:
// the ticks missed come at once, as many as intervals have passed, unless a
// tick's handler stops the timer.
void TestClock::timerMakesUpLateTicks_data()
{
    QTest::addColumn<int>("stopAt");
    QTest::newRow("every missed tick") << 0;
    QTest::newRow("none after a handler stops it") << 2;
}

void TestClock::timerMakesUpLateTicks()
{
    QFETCH(int, stopAt);
    constexpr int interval = 100;
    forms::Timer timer;
    timer.setInterval(interval);
    int ticks = 0;
    connect(&timer, &forms::Timer::timeout, [&] {
        if (++ticks == stopAt)
            timer.stop();
    });
    QElapsedTimer elapsed;
    elapsed.start();
    timer.start();
    QThread::msleep(4 * interval + interval / 2); // nothing runs meanwhile
    // A loop of its own lets the system's late tick come (where timers need
    // the browser, as in a page, too).
    QEventLoop loop;
    QTimer::singleShot(interval / 4, &loop, &QEventLoop::quit);
    loop.exec();
    if (stopAt) {
        QCOMPARE(ticks, stopAt);
        QVERIFY(!timer.isActive());
    } else {
        QVERIFY2(ticks >= 4 && ticks <= elapsed.elapsed() / interval, qPrintable(QString::number(ticks)));
    }
}

QTEST_MAIN(TestClock)
#include "tst_clock.moc"
