#include "forms/files/filelock.h"

#include "forms/files/plainfiles.h"
#include "forms/files/retry.h"

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
