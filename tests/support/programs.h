#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

// Whether a suite may start another program (a helper beside it) to play
// another game or a game killed: not in a page, which has no processes.
bool canStartPrograms();

// A helper program built beside the suites (lockholder, endprobe), started
// at once; killed, if it still runs, when this goes.
class HelperProgram
{
public:
    explicit HelperProgram(const QString &name, const QStringList &arguments = {});
    ~HelperProgram();
    HelperProgram(const HelperProgram &) = delete;
    HelperProgram &operator=(const HelperProgram &) = delete;

    bool waitForOutput(int timeoutMs);
    // True when it ended by itself within the time, with the exit code given.
    bool waitForExit(int timeoutMs, int expectedCode);
    // Ends it at once and waits for its end.
    bool kill();
    // What it wrote, with its lines ended by "\n" whatever the platform.
    QByteArray output();

private:
    struct Process;
    std::unique_ptr<Process> process;
};
