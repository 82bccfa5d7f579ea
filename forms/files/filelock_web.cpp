#include "forms/files/filelock.h"

#include "forms/runtime/nestedwait.h"

#include <emscripten.h>
#include <unistd.h>

namespace forms {
namespace {

// Every tab of the game in this browser shares the folder: the lock is the
// browser's (Web Locks), and whoever takes it first reads the folder again
// from the browser's storage, where another tab may have saved meanwhile.
EM_ASYNC_JS(int, takeFolderLock, (), {
    return await Module['mcmTakeRecordLock']();
});

EM_JS(void, releaseFolderLock, (), { Module['mcmReleaseRecordLock'](); });

} // namespace

Attempt FileLock::lockOnce()
{
    return waitNested(takeFolderLock) ? Attempt::done : Attempt::busy;
}

// What was written under the lock goes to the browser's storage as one
// whole, and only then does another tab get the lock.
void FileLock::unlock()
{
    if (handle == -1)
        return;
    ::close(static_cast<int>(handle));
    handle = -1;
    releaseFolderLock();
}

} // namespace forms
