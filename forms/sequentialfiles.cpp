#include "forms/sequentialfiles.h"

#include "forms/runtimeerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <filesystem>
#include <system_error>

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

#ifdef Q_OS_UNIX
// Readable and writable by the group, for a directory that players share.
constexpr mode_t sharedFileMode = 0664;
#endif

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
    const int fd
        = ::open(QFile::encodeName(path).constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, sharedFileMode);
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

void syncToDisk(QFile &file)
{
    bool synced = file.flush();
#ifdef Q_OS_UNIX
    synced = synced && ::fsync(file.handle()) == 0;
#endif
    if (!synced)
        fail(deviceIoError, file.fileName(), file.errorString());
}

// Makes the files renamed or removed in a directory survive a power cut.
void syncDirectory(const QString &path)
{
#ifdef Q_OS_UNIX
    const int fd
        = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(path);
#endif
}

QString asideName(const QString &path)
{
    return path + QStringLiteral(".new");
}

QString commitMarkName(const QStringList &paths)
{
    return paths.first() + QStringLiteral(".commit");
}

// Opens a file to be written from its start, made if missing, shared with
// the group.
void openToReplace(QFile &file, const QString &path)
{
#ifdef Q_OS_UNIX
    openPlain(file, path, O_WRONLY | O_CREAT | O_TRUNC, QIODevice::WriteOnly);
    ::fchmod(file.handle(), sharedFileMode);
#else
    openPlain(file, path, 0, QIODevice::WriteOnly);
#endif
}

void writeAside(const QString &path, const QByteArray &content)
{
    // What is put in place replaces a link: refuse one, as a read would.
    refuseUnlessPlain(path);
    QFile file;
    openToReplace(file, asideName(path));
    if (file.write(content) != content.size())
        fail(deviceIoError, file.fileName(), file.errorString());
    syncToDisk(file);
}

void discardAside(const QStringList &paths)
{
    for (const QString &path : paths)
        QFile::remove(asideName(path));
}

// The point of no return: from here on the new files are put in place, by
// this print or, if it is killed, by the next one to touch the files.
void createCommitMark(const QString &mark)
{
    QFile file;
    openToReplace(file, mark);
    file.close();
    syncDirectory(mark);
}

void putInPlace(const QString &path)
{
    const QString aside = asideName(path);
    if (!QFileInfo::exists(aside))
        return; // put in place before a kill
    std::error_code error;
    // Replaces the old file in one step, where QFile::rename would not.
    std::filesystem::rename(
        std::filesystem::u8path(aside.toStdString()), std::filesystem::u8path(path.toStdString()), error);
    if (error)
        fail(deviceIoError, path, QString::fromLocal8Bit(error.message()));
}

void putAllInPlace(const QStringList &paths)
{
    for (const QString &path : paths)
        putInPlace(path);
    syncDirectory(paths.first());
    const QString mark = commitMarkName(paths);
    if (!QFile::remove(mark))
        fail(deviceIoError, mark, QStringLiteral("non riesco a cancellarlo"));
    syncDirectory(mark);
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
        ::fchmod(file.handle(), sharedFileMode);
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
    QStringList paths;
    for (const auto &[path, line] : lineForPath)
        paths << path;
    // A commit mark left by an earlier print would put this one in place
    // before it is whole.
    finishInterruptedPrint(paths);
    try {
        for (const auto &[path, line] : lineForPath)
            writeAside(path, line.toLocal8Bit() + "\r\n");
    } catch (const RuntimeError &) {
        discardAside(paths);
        throw;
    }
    createCommitMark(commitMarkName(paths));
    putAllInPlace(paths);
}

void finishInterruptedPrint(const QStringList &paths)
{
    if (QFileInfo::exists(commitMarkName(paths)))
        putAllInPlace(paths);
    else
        discardAside(paths);
}

} // namespace forms
