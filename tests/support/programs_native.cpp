#include "programs.h"

#include <QCoreApplication>
#include <QProcess>

struct HelperProgram::Process
{
    QProcess process;
};

bool canStartPrograms()
{
    return true;
}

HelperProgram::HelperProgram(const QString &name, const QStringList &arguments) : process(std::make_unique<Process>())
{
    process->process.start(QCoreApplication::applicationDirPath() + QLatin1Char('/') + name, arguments,
        QIODevice::ReadOnly | QIODevice::Text);
}

HelperProgram::~HelperProgram()
{
    kill();
}

bool HelperProgram::waitForOutput(int timeoutMs)
{
    return process->process.waitForReadyRead(timeoutMs);
}

bool HelperProgram::waitForExit(int timeoutMs, int expectedCode)
{
    return process->process.waitForFinished(timeoutMs) && process->process.exitStatus() == QProcess::NormalExit
        && process->process.exitCode() == expectedCode;
}

bool HelperProgram::kill()
{
    if (process->process.state() == QProcess::NotRunning)
        return true;
    process->process.kill();
    return process->process.waitForFinished();
}

QByteArray HelperProgram::output()
{
    return process->process.readAllStandardOutput();
}
