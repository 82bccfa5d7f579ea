#include "saverprocess.h"

#include <QDir>

#include <windows.h>

#include <string>

namespace {

// Not an exit status the saver gives: tells a kill apart.
constexpr UINT killedStatus = 0xDEAD;

HANDLE asHandle(qintptr process)
{
    return reinterpret_cast<HANDLE>(process);
}

std::wstring commandLine(const QString &program, const QStringList &arguments)
{
    QString line = QLatin1Char('"') + QDir::toNativeSeparators(program) + QLatin1Char('"');
    for (const QString &argument : arguments)
        line += QStringLiteral(" \"") + argument + QLatin1Char('"');
    return line.toStdWString();
}

} // namespace

SaverProcess::SaverProcess(const QString &program, const QStringList &arguments)
{
    std::wstring line = commandLine(program, arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        qFatal("cannot start %s", qPrintable(program));
    ::CloseHandle(started.hThread);
    process = reinterpret_cast<qintptr>(started.hProcess);
}

SaverProcess::~SaverProcess()
{
    kill();
    ::CloseHandle(asHandle(process));
}

void SaverProcess::kill()
{
    if (!ended)
        ::TerminateProcess(asHandle(process), killedStatus);
    wait();
}

int SaverProcess::wait()
{
    int status = 0;
    while (!hasEnded(status))
        ::WaitForSingleObject(asHandle(process), INFINITE);
    return status;
}

bool SaverProcess::hasEnded(int &status)
{
    DWORD exitCode = 0;
    if (!ended && ::WaitForSingleObject(asHandle(process), 0) == WAIT_OBJECT_0
        && ::GetExitCodeProcess(asHandle(process), &exitCode)) {
        ended = true;
        endStatus = exitCode == killedStatus ? -1 : static_cast<int>(exitCode);
    }
    status = endStatus;
    return ended;
}
