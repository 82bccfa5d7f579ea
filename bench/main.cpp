// Measurements of the game: start-up, Enter to verdict, idle CPU and the
// accuracy of the clock, each printed as "name value unit" lines.
#include "gamefixture.h"
#include "processusage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>


#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void report(const char *name, double value, const char *unit)
{
    std::printf("%s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

// Calls `painted` once, the first time `widget` paints after being armed.
class PaintWatch : public QObject
{
public:
    PaintWatch(QWidget *widget, std::function<void()> painted) : m_painted(std::move(painted))
    {
        widget->installEventFilter(this);
    }
    void arm() { m_armed = true; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_armed && event->type() == QEvent::Paint) {
            m_armed = false;
            QTimer::singleShot(0, m_painted);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_painted;
    bool m_armed = false;
};

// From main to the first question painted, the boxes answered at once.
int startGame(Clock::time_point mainStarted)
{
    GameFixture fixture;
    PaintWatch watch(fixture.game.ui().Text1, [mainStarted] {
        report("startup", millisecondsSince(mainStarted), "ms");
        report("peak_memory", static_cast<double>(peakMemoryKiB()), "KiB");
        QApplication::quit();
    });
    watch.arm();
    return QApplication::exec();
}

// The toolkit's floor: a main window with 33 plain widgets.
int startBare(Clock::time_point mainStarted)
{
    QMainWindow window;
    auto *area = new QWidget;
    window.setCentralWidget(area);
    window.setFixedSize(680, 551);
    QList<QWidget *> widgets;
    for (int i = 0; i < 33; ++i) {
        QWidget *widget = nullptr;
        if (i < 5)
            widget = new QLineEdit(QStringLiteral("7"), area);
        else if (i < 8)
            widget = new QPushButton(QStringLiteral("Button"), area);
        else
            widget = new QLabel(QStringLiteral("Label"), area);
        widget->setGeometry((i % 6) * 110, (i / 6) * 90, 100, 80);
        widgets << widget;
    }
    PaintWatch watch(widgets.first(), [mainStarted] {
        report("startup", millisecondsSince(mainStarted), "ms");
        report("peak_memory", static_cast<double>(peakMemoryKiB()), "KiB");
        QApplication::quit();
    });
    watch.arm();
    window.show();
    return QApplication::exec();
}

// From the Enter key event to the verdict painted, over many answers.
int enterToVerdict()
{
    GameFixture fixture;
    auto &ui = fixture.game.ui();
    std::vector<double> samples;
    Clock::time_point pressed;
    std::unique_ptr<PaintWatch> verdictPainted;
    const auto pressEnter = [&] {
        ui.txtAnswer->setText(QStringLiteral("7"));
        verdictPainted->arm();
        pressed = Clock::now();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(ui.txtAnswer, &enter);
    };
    verdictPainted = std::make_unique<PaintWatch>(ui.lblMessage, [&] {
        samples.push_back(millisecondsSince(pressed));
        if (samples.size() == 500) {
            QApplication::quit();
            return;
        }
        ui.cmdNext->click();
        // Let the cleared verdict paint before the next answer.
        QTimer::singleShot(2, pressEnter);
    });
    QTimer::singleShot(100, pressEnter);
    QApplication::exec();
    std::sort(samples.begin(), samples.end());
    report("verdict_median", samples[samples.size() / 2], "ms");
    report("verdict_p99", samples[samples.size() * 99 / 100], "ms");
    report("verdict_max", samples.back(), "ms");
    return 0;
}

// CPU used while the game waits for the player with the clock running.
int idleCpu(int seconds)
{
    GameFixture fixture;
    QTimer::singleShot(1000, [seconds] {
        const double cpuBefore = cpuSeconds();
        const auto wallBefore = Clock::now();
        QTimer::singleShot(seconds * 1000, [cpuBefore, wallBefore] {
            const double wall = millisecondsSince(wallBefore) / 1000.0;
            report("idle_cpu", 100.0 * (cpuSeconds() - cpuBefore) / wall, "%");
            QApplication::quit();
        });
    });
    return QApplication::exec();
}

// The clock's 900 ticks against the wall clock.
int clockAccuracy()
{
    GameFixture fixture;
    forms::Timer *timer = fixture.game.timer();
    // Counted from a start of the timer's own.
    timer->start();
    const auto started = Clock::now();
    int ticks = 0;
    QObject::connect(timer, &forms::Timer::timeout, [&] {
        if (++ticks < 900)
            return;
        report("clock_error", millisecondsSince(started) - 900000.0, "ms");
        QApplication::quit();
    });
    return QApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    const auto mainStarted = Clock::now();
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QString mode = arguments.value(1);
    if (mode == QLatin1String("startup-game"))
        return startGame(mainStarted);
    if (mode == QLatin1String("startup-bare"))
        return startBare(mainStarted);
    if (mode == QLatin1String("verdict"))
        return enterToVerdict();
    if (mode == QLatin1String("idle-cpu"))
        return idleCpu(arguments.value(2, QStringLiteral("60")).toInt());
    if (mode == QLatin1String("clock"))
        return clockAccuracy();
    std::fprintf(stderr, "usage: mcm-bench startup-game|startup-bare|verdict|idle-cpu [s]|clock\n");
    return 2;
}
