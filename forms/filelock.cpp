#include "forms/filelock.h"

#ifdef Q_OS_UNIX
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace forms {

#ifdef Q_OS_UNIX
namespace {

constexpr unsigned long retryMs = 5;

} // namespace

FileLock::FileLock(const QString &path) : lockPath(path)
{ }

FileLock::~FileLock()
{
    unlock();
}

void FileLock::unlock()
{
    if (fd >= 0)
        ::close(fd); // lets go of the lock
    fd = -1;
}

bool FileLock::tryLock(int timeoutMs)
{
    if (fd < 0) {
        // Read-only is enough to lock, also a file made by another player.
        fd = ::open(QFile::encodeName(lockPath).constData(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0664);
        if (fd < 0)
            return false;
    }
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        const bool held = errno == EWOULDBLOCK || errno == EINTR;
        if (!held || deadline.hasExpired())
            return false;
        QThread::msleep(retryMs);
    }
}

#else

FileLock::FileLock(const QString &path) : lock(path)
{
    // Holders keep it for milliseconds: an older one was left by a crash.
    lock.setStaleLockTime(2000);
}

FileLock::~FileLock() = default;

bool FileLock::tryLock(int timeoutMs)
{
    return lock.tryLock(timeoutMs);
}

void FileLock::unlock()
{
    lock.unlock();
}

#endif

} // namespace forms
