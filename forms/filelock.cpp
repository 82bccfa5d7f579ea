#include "forms/filelock.h"

#include "forms/plainfiles.h"
#include "forms/retry.h"

namespace forms {

FileLock::FileLock(const QString &path) : lockPath(path)
{ }

FileLock::~FileLock()
{
    unlock();
}

bool FileLock::tryLock(int timeoutMs)
{
    if (handle == -1)
        handle = plainfiles::openPlainHandle(lockPath, plainfiles::Access::lock);
    return retryWhileBusy(timeoutMs, [this] { return lockOnce(); });
}

} // namespace forms
