#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// A saver started by the soak driver, killed the hard way: the system stops it
// at once, wherever it is, as a power cut or a task manager would.
class SaverProcess
{
public:
    SaverProcess(const QString &program, const QStringList &arguments);
    ~SaverProcess();
    SaverProcess(const SaverProcess &) = delete;
    SaverProcess &operator=(const SaverProcess &) = delete;

    // Stops it at once and waits for its end.
    void kill();
    // Waits for its end: its exit status; -1 when it was killed here (a crash
    // gives some other status).
    int wait();
    // Whether it has ended; then `status` is as wait() gives it.
    bool hasEnded(int &status);

private:
    qintptr process = -1; // a process id on Unix, a process handle on Windows
    bool ended = false;
    int endStatus = 0;
};
