#include "forms/files/filelock.h"

#include <windows.h>

namespace forms {
namespace {

HANDLE asHandle(qintptr handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

Attempt FileLock::lockOnce()
{
    OVERLAPPED whole{};
    if (::LockFileEx(
            asHandle(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole))
        return Attempt::done;
    return ::GetLastError() == ERROR_LOCK_VIOLATION ? Attempt::busy : Attempt::failed;
}

void FileLock::unlock()
{
    if (handle != -1)
        ::CloseHandle(asHandle(handle)); // lets go of the lock
    handle = -1;
}

} // namespace forms
