#include "forms/sequentialfiles.h"

#include "forms/runtimeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <memory>
#include <vector>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace forms {
namespace {

constexpr int pathFileAccessError = 75;
constexpr int deviceIoError = 57;

const QFileDevice::Permissions sharedFilePermissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner
    | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther;

[[noreturn]] void fail(int number, const QString &path, const QString &reason)
{
    throw RuntimeError(number, QStringLiteral("File \"%1\": %2").arg(QDir::toNativeSeparators(path), reason));
}

// Why a path must not be touched, or "" when it holds a plain file or nothing.
QString refusalReason(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymbolicLink())
        return QStringLiteral("è un collegamento simbolico, non un file normale");
    if (!info.exists() || info.isFile())
        return QString();
    if (info.isDir())
        return QStringLiteral("è una cartella, non un file");
    return QStringLiteral("non è un file normale");
}

void refuseUnlessPlain(const QString &path)
{
    const QString reason = refusalReason(path);
    if (!reason.isEmpty())
        fail(pathFileAccessError, path, reason);
}

#ifdef Q_OS_UNIX
// Opens without following a link and without waiting on a FIFO, then makes
// sure that what was opened is a plain file: no check-then-open race.
void openPlain(QFile &file, const QString &path, int flags, QIODevice::OpenMode mode)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0664);
    if (fd < 0) {
        const int error = errno;
        if (error == ELOOP)
            fail(pathFileAccessError, path, QStringLiteral("è un collegamento simbolico, non un file normale"));
        fail(pathFileAccessError, path, QString::fromLocal8Bit(std::strerror(error)));
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        refuseUnlessPlain(path);
        fail(pathFileAccessError, path, QStringLiteral("non è un file normale"));
    }
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        fail(pathFileAccessError, path, file.errorString());
    }
}
#else
void openPlain(QFile &file, const QString &path, int, QIODevice::OpenMode mode)
{
    refuseUnlessPlain(path);
    file.setFileName(path);
    if (!file.open(mode))
        fail(pathFileAccessError, path, file.errorString());
}
#endif

bool syncToDisk(QSaveFile &file)
{
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    Q_UNUSED(file);
    return true;
#endif
}

QString decodeLocal8Bit(const QByteArray &bytes)
{
    QStringDecoder local(QStringDecoder::System);
    const QString text = local.decode(bytes);
    return local.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace

void createFile(const QString &path)
{
    QFile file;
#ifdef Q_OS_UNIX
    const bool existed = QFileInfo::exists(path);
    openPlain(file, path, O_WRONLY | O_CREAT | O_APPEND, QIODevice::Append);
    if (!existed)
        ::fchmod(file.handle(), 0664);
#else
    openPlain(file, path, 0, QIODevice::Append);
#endif
}

QString readFile(const QString &path, qint64 limit)
{
    QFile file;
#ifdef Q_OS_UNIX
    openPlain(file, path, O_RDONLY, QIODevice::ReadOnly);
#else
    openPlain(file, path, 0, QIODevice::ReadOnly);
#endif
    const QByteArray bytes = file.read(limit);
    if (file.error() != QFileDevice::NoError)
        fail(deviceIoError, path, file.errorString());
    return decodeLocal8Bit(bytes);
}

void printLinesToFiles(const QList<std::pair<QString, QString>> &lineForPath)
{
    std::vector<std::unique_ptr<QSaveFile>> files;
    for (const auto &[path, line] : lineForPath) {
        // QSaveFile writes through a link to its target: refuse one first.
        refuseUnlessPlain(path);
        auto file = std::make_unique<QSaveFile>(path);
        if (!file->open(QIODevice::WriteOnly))
            fail(pathFileAccessError, path, file->errorString());
        file->setPermissions(sharedFilePermissions);
        file->write(line.toLocal8Bit() + "\r\n");
        files.push_back(std::move(file));
    }
    // Everything is written aside and on disk before anything is put in place,
    // so the files are replaced one right after the other.
    for (const auto &file : files) {
        if (!file->flush() || !syncToDisk(*file))
            fail(deviceIoError, file->fileName(), file->errorString());
    }
    for (const auto &file : files) {
        if (!file->commit())
            fail(deviceIoError, file->fileName(), file->errorString());
    }
}

} // namespace forms
