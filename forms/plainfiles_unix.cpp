#include "forms/plainfiles.h"

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
    }
    return O_RDONLY;
}

QIODevice::OpenMode openMode(Access access)
{
    return access == Access::read ? QIODevice::ReadOnly
        : access == Access::append ? QIODevice::Append
                                   : QIODevice::WriteOnly;
}

} // namespace

void openPlain(QFile &file, const QString &path, Access access)
{
    const bool existed = QFileInfo::exists(path);
    // No link is followed and no FIFO waited on; what was opened is then
    // checked to be a plain file.
    const int fd = ::open(
        QFile::encodeName(path).constData(), openFlags(access) | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, sharedFileMode);
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
    if (access == Access::replace || !existed)
        ::fchmod(fd, sharedFileMode);
    file.setFileName(path);
    if (!file.open(fd, openMode(access), QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        fail(pathFileAccessError, path, file.errorString());
    }
}

void syncToDisk(QFile &file)
{
    if (!file.flush() || ::fsync(file.handle()) != 0)
        fail(deviceIoError, file.fileName(), file.errorString());
}

void syncFolderOf(const QString &path)
{
    const int fd
        = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void replaceFile(const QString &from, const QString &to)
{
    // rename replaces the old file in one step, where QFile::rename would not.
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        failWithErrno(deviceIoError, to, errno);
}

} // namespace forms::plainfiles
