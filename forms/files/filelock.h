#pragma once

#include "forms/files/retry.h"

#include <QString>
#include <QtGlobal>

namespace forms {

// An exclusive lock that the processes of one machine take on a file of a
// folder they share. The system holds it for an open file and lets go when
// the holder ends, however it ends: a game killed while holding it leaves
// nothing that blocks the next one. The file itself stays.
class FileLock
{
public:
    explicit FileLock(const QString &path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // Waits at most timeoutMs for the lock; false if another holder kept it
    // or it failed. The file is made when missing; a link, a FIFO or anything
    // but a plain file there throws RuntimeError, as for any file the
    // program shares.
    bool tryLock(int timeoutMs);
    void unlock();

private:
    Attempt lockOnce();

    QString lockPath;
    qintptr handle = -1; // a descriptor on Unix, a HANDLE on Windows
};

} // namespace forms
