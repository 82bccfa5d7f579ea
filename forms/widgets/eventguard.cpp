#include "forms/widgets/eventguard.h"

#include "forms/runtime/runtimeerror.h"
#include "forms/widgets/host.h"

#include <QString>

namespace forms {
namespace {

int handlerDepth = 0;

class DepthScope
{
public:
    DepthScope() { ++handlerDepth; }
    ~DepthScope() { --handlerDepth; }
    DepthScope(const DepthScope &) = delete;
    DepthScope &operator=(const DepthScope &) = delete;
};

[[noreturn]] void reportAndEnd(const QString &message)
{
    MsgBox(message, vbCritical);
    End();
}

void runReportingErrors(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const RuntimeError &error) {
        reportAndEnd(QString::fromUtf8(error.what()));
    } catch (const std::exception &error) {
        reportAndEnd(QStringLiteral("Errore imprevisto: %1").arg(QString::fromUtf8(error.what())));
    }
}

} // namespace

void runHandler(const std::function<void()> &handler)
{
    DepthScope scope;
    try {
        runReportingErrors(handler);
    } catch (const EndRequested &) {
        if (handlerDepth > 1)
            throw;
    }
}

} // namespace forms
