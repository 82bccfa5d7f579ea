// The game exactly as a player starts it, with one thing more for the
// screen-reader test: a line "until N" on standard input runs the clock's
// ticks at once until N seconds are left, so that the end of a game can be
// heard without waiting fifteen minutes. Only this test program reads it.
#include "app/start.h"
#include "tavolaaccess.h"

#include <QSocketNotifier>

#include <memory>

#include <unistd.h>

namespace {

class ClockCommands
{
public:
    explicit ClockCommands(Tavola &tavola) : game(tavola), input(STDIN_FILENO, QSocketNotifier::Read)
    {
        QObject::connect(&input, &QSocketNotifier::activated, [this] { readCommands(); });
    }

private:
    void readCommands()
    {
        char chunk[256];
        const ssize_t count = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (count <= 0) {
            input.setEnabled(false);
            return;
        }
        pending.append(chunk, count);
        for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            run(pending.left(end).trimmed());
            pending.remove(0, end + 1);
        }
    }

    void run(const QByteArray &command)
    {
        if (!command.startsWith("until "))
            return;
        const int secondsLeft = command.mid(6).toInt();
        while (game.TicksLeft() > secondsLeft && game.timer()->isActive())
            game.tick();
    }

    TavolaTestAccess game;
    QSocketNotifier input;
    QByteArray pending;
};

} // namespace

int main(int argc, char *argv[])
{
    std::unique_ptr<ClockCommands> commands;
    return startGame(argc, argv, [&commands](Tavola &tavola) { commands = std::make_unique<ClockCommands>(tavola); });
}
