#pragma once

#include <QString>

#ifndef Q_OS_UNIX
#include <QLockFile>
#endif

namespace forms {

// An exclusive lock that the processes of one machine take on a file of a
// folder they share. On Unix the system holds it for an open descriptor and
// lets go when the holder ends, however it ends: a game killed while holding
// it leaves nothing that blocks the next one. The file itself stays.
class FileLock
{
public:
    explicit FileLock(const QString &path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // Waits at most timeoutMs for the lock; false if it was not had.
    bool tryLock(int timeoutMs);
    void unlock();

private:
#ifdef Q_OS_UNIX
    QString lockPath;
    int fd = -1;
#else
    QLockFile lock;
#endif
};

} // namespace forms
