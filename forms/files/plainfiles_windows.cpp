#include "forms/files/plainfiles.h"

#include "forms/files/retry.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace forms::plainfiles {
namespace {

// A virus scanner or an indexer may hold a record file for a moment.
constexpr int busyWaitMs = 2000;

[[noreturn]] void failWithLastError(int number, const QString &path)
{
    fail(number, path, qt_error_string(static_cast<int>(::GetLastError())));
}

std::wstring nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

struct OpenRequest
{
    DWORD desiredAccess;
    DWORD disposition;
    int crtFlags;
    QIODevice::OpenMode mode;
};

OpenRequest requestFor(Access access)
{
    switch (access) {
    case Access::read:
        return {GENERIC_READ, OPEN_EXISTING, _O_RDONLY, QIODevice::ReadOnly};
    case Access::append:
        return {GENERIC_WRITE, OPEN_ALWAYS, _O_WRONLY | _O_APPEND, QIODevice::Append};
    case Access::replace:
        return {GENERIC_WRITE, CREATE_ALWAYS, _O_WRONLY, QIODevice::WriteOnly};
    case Access::lock:
        return {GENERIC_READ, OPEN_ALWAYS, _O_RDONLY, QIODevice::ReadOnly};
    }
    return {GENERIC_READ, OPEN_EXISTING, _O_RDONLY, QIODevice::ReadOnly};
}

bool isPlainFile(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION information{};
    constexpr DWORD notPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    return ::GetFileType(handle) == FILE_TYPE_DISK && ::GetFileInformationByHandle(handle, &information)
        && (information.dwFileAttributes & notPlain) == 0;
}

bool isBusy(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}

} // namespace

qintptr openPlainHandle(const QString &path, Access access)
{
    const OpenRequest request = requestFor(access);
    // Others may read, write, rename and delete meanwhile, as on Unix; a link
    // is opened as itself, not followed, and then refused. A file made here
    // takes the folder's permissions.
    const HANDLE handle = ::CreateFileW(nativePath(path).c_str(), request.desiredAccess,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, request.disposition,
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        refuseUnlessPlain(path);
        ::SetLastError(error);
        failWithLastError(pathFileAccessError, path);
    }
    if (!isPlainFile(handle)) {
        ::CloseHandle(handle);
        refuseUnlessPlain(path);
        fail(pathFileAccessError, path, QStringLiteral("non è un file normale"));
    }
    return reinterpret_cast<qintptr>(handle);
}

void openPlain(QFile &file, const QString &path, Access access)
{
    const OpenRequest request = requestFor(access);
    const auto handle = reinterpret_cast<HANDLE>(openPlainHandle(path, access));
    // Binary: the runtime must not turn the CR LF we write into CR CR LF.
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), request.crtFlags | _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(handle);
        fail(pathFileAccessError, path, QStringLiteral("troppi file aperti"));
    }
    file.setFileName(path);
    if (!file.open(fd, request.mode, QFileDevice::AutoCloseHandle)) {
        ::_close(fd);
        fail(pathFileAccessError, path, file.errorString());
    }
}

void syncToDisk(QFile &file)
{
    if (!file.flush())
        fail(deviceIoError, file.fileName(), file.errorString());
    if (!::FlushFileBuffers(reinterpret_cast<HANDLE>(::_get_osfhandle(file.handle()))))
        failWithLastError(deviceIoError, file.fileName());
}

void syncFolderOf(const QString &)
{
    // Nothing to do: every replacement was written through to the disk.
}

void replaceFile(const QString &from, const QString &to)
{
    const std::wstring source = nativePath(from);
    const std::wstring target = nativePath(to);
    const bool replaced = retryWhileBusy(busyWaitMs, [&source, &target] {
        if (::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return Attempt::done;
        return isBusy(::GetLastError()) ? Attempt::busy : Attempt::failed;
    });
    if (!replaced)
        failWithLastError(deviceIoError, to);
}

} // namespace forms::plainfiles
