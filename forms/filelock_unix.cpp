#include "forms/filelock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace forms {

bool FileLock::open()
{
    // Read-only is enough to lock, also a file made by another player.
    handle = ::open(QFile::encodeName(lockPath).constData(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0664);
    return handle != -1;
}

bool FileLock::lockOnce(bool &busy)
{
    if (::flock(static_cast<int>(handle), LOCK_EX | LOCK_NB) == 0)
        return true;
    busy = errno == EWOULDBLOCK || errno == EINTR;
    return false;
}

void FileLock::unlock()
{
    if (handle != -1)
        ::close(static_cast<int>(handle)); // lets go of the lock
    handle = -1;
}

} // namespace forms
