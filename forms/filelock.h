#pragma once

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

    // Waits at most timeoutMs for the lock; false if it was not had.
    bool tryLock(int timeoutMs);
    void unlock();

private:
    // Made when missing; false when the file cannot be opened.
    bool open();
    // One attempt; false when another holder has the lock or it failed, and
    // then `busy` tells whether waiting may help.
    bool lockOnce(bool &busy);

    QString lockPath;
    qintptr handle = -1; // a descriptor on Unix, a HANDLE on Windows
};

} // namespace forms
