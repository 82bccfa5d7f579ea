#include "programs.h"

// A page starts no other program: the suites skip what needs one.
struct HelperProgram::Process
{ };

bool canStartPrograms()
{
    return false;
}

HelperProgram::HelperProgram(const QString &, const QStringList &)
{ }

HelperProgram::~HelperProgram() = default;

bool HelperProgram::waitForOutput(int)
{
    return false;
}

bool HelperProgram::waitForExit(int, int)
{
    return false;
}

bool HelperProgram::kill()
{
    return false;
}

QByteArray HelperProgram::output()
{
    return {};
}
