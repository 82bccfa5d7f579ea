#include "forms/files/plainfiles.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace forms::plainfiles {
namespace {

// Readable and writable by the group, for a folder that players share.
constexpr mode_t sharedFileMode = 0664;
// Whatever the player's umask allows, in a folder of the player's own.
constexpr mode_t ownFileMode = 0666;

[[noreturn]] void failWithErrno(int number, const QString &path, int error)
{
    fail(number, path, QString::fromLocal8Bit(std::strerror(error)));
}

int openFlags(Access access)
{
    switch (access) {
    case Access::read:
        return O_RDONLY;
    case Access::append:
        return O_WRONLY | O_CREAT | O_APPEND;
    case Access::replace:
        return O_WRONLY | O_CREAT | O_TRUNC;
    case Access::lock:
        return O_RDONLY | O_CREAT;
    }
    return O_RDONLY;
}

QIODevice::OpenMode openMode(Access access)
{
    return access == Access::append ? QIODevice::Append
        : access == Access::replace ? QIODevice::WriteOnly
                                    : QIODevice::ReadOnly;
}

// A folder that players share gives its group to what is made in it.
bool inSharedFolder(const QString &path)
{
    struct stat folder
    {
    };
    return ::stat(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &folder) == 0
        && (folder.st_mode & S_ISGID) != 0;
}

} // namespace

qintptr openPlainHandle(const QString &path, Access access)
{
    const bool existed = QFileInfo::exists(path);
    const bool shared = inSharedFolder(path);
    // No link is followed and no FIFO waited on; what was opened is then
    // checked to be a plain file.
    const int fd = ::open(QFile::encodeName(path).constData(), openFlags(access) | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
        shared ? sharedFileMode : ownFileMode);
    if (fd < 0) {
        const int error = errno;
        if (error == ELOOP)
            fail(pathFileAccessError, path, QStringLiteral("è un collegamento simbolico, non un file normale"));
        failWithErrno(pathFileAccessError, path, error);
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        refuseUnlessPlain(path);
        fail(pathFileAccessError, path, QStringLiteral("non è un file normale"));
    }
    // The umask would take the group's write away; a file written aside
    // again keeps the rights it was first given.
    if (shared && (access == Access::replace || !existed))
        ::fchmod(fd, sharedFileMode);
    return fd;
}

void openPlain(QFile &file, const QString &path, Access access)
{
    const int fd = static_cast<int>(openPlainHandle(path, access));
    file.setFileName(path);
    if (!file.open(fd, openMode(access), QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        fail(pathFileAccessError, path, file.errorString());
    }
}

void syncToDisk(QFile &file)
{
    if (!file.flush())
        fail(deviceIoError, file.fileName(), file.errorString());
    if (::fsync(file.handle()) != 0)
        failWithErrno(deviceIoError, file.fileName(), errno);
}

void syncFolderOf(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        failWithErrno(deviceIoError, folder, errno);
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    // Some file systems cannot sync a folder; their files are synced.
    if (synced != 0 && error != EINVAL && error != ENOTSUP)
        failWithErrno(deviceIoError, folder, error);
}

void replaceFile(const QString &from, const QString &to)
{
    // rename replaces the old file in one step, where QFile::rename would not.
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        failWithErrno(deviceIoError, to, errno);
}

} // namespace forms::plainfiles
