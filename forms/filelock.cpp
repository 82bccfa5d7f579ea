#include "forms/filelock.h"

#include <QDeadlineTimer>
#include <QThread>

namespace forms {
namespace {

constexpr unsigned long retryMs = 5;

} // namespace

FileLock::FileLock(const QString &path) : lockPath(path)
{ }

FileLock::~FileLock()
{
    unlock();
}

bool FileLock::tryLock(int timeoutMs)
{
    if (handle == -1 && !open())
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        bool busy = false;
        if (lockOnce(busy))
            return true;
        if (!busy || deadline.hasExpired())
            return false;
        QThread::msleep(retryMs);
    }
}

} // namespace forms
