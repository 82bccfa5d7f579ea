#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace forms {

// The Timer control: while enabled, a tick every interval. A tick the
// system brings late is made up at once, so that as many ticks come as
// intervals have passed since the start: a browser wakes the timers of a
// tab in the background once a second or once a minute only, and a busy
// machine may skip one.
class Timer final : public QObject
{
    Q_OBJECT

public:
    explicit Timer(QObject *parent = nullptr);

    void setInterval(int milliseconds);
    // Counts again from now.
    void start();
    void stop();
    bool isActive() const;

signals:
    void timeout();

private:
    void catchUp();

    QTimer system;
    QElapsedTimer sinceStart;
    qint64 ticked = 0;
};

} // namespace forms
