#include "forms/files/filelock.h"

#include <cerrno>
#include <sys/file.h>
#include <unistd.h>

namespace forms {

Attempt FileLock::lockOnce()
{
    if (::flock(static_cast<int>(handle), LOCK_EX | LOCK_NB) == 0)
        return Attempt::done;
    return errno == EWOULDBLOCK || errno == EINTR ? Attempt::busy : Attempt::failed;
}

void FileLock::unlock()
{
    if (handle != -1)
        ::close(static_cast<int>(handle)); // lets go of the lock
    handle = -1;
}

} // namespace forms
