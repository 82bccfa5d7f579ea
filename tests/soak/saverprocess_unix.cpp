#include "saverprocess.h"

#include <QFile>
#include <QList>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

int statusOf(int waitStatus)
{
    return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
}

} // namespace

SaverProcess::SaverProcess(const QString &program, const QStringList &arguments)
{
    QList<QByteArray> bytes{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        bytes << argument.toLocal8Bit();
    std::vector<char *> argv;
    for (QByteArray &argument : bytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv.front(), nullptr, nullptr, argv.data(), environ) != 0)
        qFatal("cannot start %s", argv.front());
    process = pid;
}

SaverProcess::~SaverProcess()
{
    kill();
}

void SaverProcess::kill()
{
    if (!ended)
        ::kill(static_cast<pid_t>(process), SIGKILL);
    wait();
}

int SaverProcess::wait()
{
    if (!ended) {
        int waitStatus = 0;
        waitpid(static_cast<pid_t>(process), &waitStatus, 0);
        ended = true;
        endStatus = statusOf(waitStatus);
    }
    return endStatus;
}

bool SaverProcess::hasEnded(int &status)
{
    int waitStatus = 0;
    if (!ended && waitpid(static_cast<pid_t>(process), &waitStatus, WNOHANG) == static_cast<pid_t>(process)) {
        ended = true;
        endStatus = statusOf(waitStatus);
    }
    status = endStatus;
    return ended;
}
