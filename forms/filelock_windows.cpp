#include "forms/filelock.h"

#include <QDir>

#include <windows.h>

namespace forms {
namespace {

HANDLE asHandle(qintptr handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

bool FileLock::open()
{
    // Read access is enough to lock, also a file made by another player;
    // every other access stays open to the others.
    const HANDLE file = ::CreateFileW(QDir::toNativeSeparators(lockPath).toStdWString().c_str(), GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    handle = reinterpret_cast<qintptr>(file);
    return file != INVALID_HANDLE_VALUE;
}

bool FileLock::lockOnce(bool &busy)
{
    OVERLAPPED whole{};
    if (::LockFileEx(asHandle(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
            &whole))
        return true;
    busy = ::GetLastError() == ERROR_LOCK_VIOLATION;
    return false;
}

void FileLock::unlock()
{
    if (handle != -1)
        ::CloseHandle(asHandle(handle)); // lets go of the lock
    handle = -1;
}

} // namespace forms
