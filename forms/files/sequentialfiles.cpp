#include "forms/files/sequentialfiles.h"

#include "forms/files/plainfiles.h"
#include "forms/runtime/runtimeerror.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace forms {

using namespace plainfiles;

namespace {

QString asideName(const QString &path)
{
    return path + QStringLiteral(".new");
}

QString commitMarkName(const QStringList &paths)
{
    return paths.first() + QStringLiteral(".commit");
}

void writeAside(const QString &path, const QByteArray &content)
{
    // What is put in place replaces a link: refuse one, as a read would.
    refuseUnlessPlain(path);
    QFile file;
    openPlain(file, asideName(path), Access::replace);
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
    openPlain(file, mark, Access::replace);
    syncToDisk(file);
    file.close();
    syncFolderOf(mark);
}

void putInPlace(const QString &path)
{
    const QString aside = asideName(path);
    if (QFileInfo::exists(aside)) // else put in place before a kill
        replaceFile(aside, path);
}

void putAllInPlace(const QStringList &paths)
{
    for (const QString &path : paths)
        putInPlace(path);
    syncFolderOf(paths.first());
    const QString mark = commitMarkName(paths);
    if (!QFile::remove(mark))
        fail(deviceIoError, mark, QStringLiteral("non riesco a cancellarlo"));
    syncFolderOf(mark);
}

QString decodeLocal8Bit(const QByteArray &bytes)
{
    QStringDecoder local(QStringDecoder::System);
    const QString text = local.decode(bytes);
    return local.hasError() ? QString::fromLatin1(bytes) : text;
}

QByteArray readBytes(const QString &path, qint64 limit)
{
    QFile file;
    openPlain(file, path, Access::read);
    QByteArray bytes = file.read(limit);
    if (file.error() != QFileDevice::NoError)
        fail(deviceIoError, path, file.errorString());
    return bytes;
}

void replaceAllOrNone(const QList<std::pair<QString, QByteArray>> &contentForPath)
{
    QStringList paths;
    for (const auto &[path, content] : contentForPath)
        paths << path;
    // A commit mark left by an earlier print would put this one in place
    // before it is whole.
    finishInterruptedPrint(paths);
    try {
        for (const auto &[path, content] : contentForPath)
            writeAside(path, content);
    } catch (const RuntimeError &) {
        discardAside(paths);
        throw;
    }
    createCommitMark(commitMarkName(paths));
    putAllInPlace(paths);
}

} // namespace

void createFile(const QString &path)
{
    QFile file;
    openPlain(file, path, Access::append);
}

QString readFile(const QString &path, qint64 limit)
{
    return decodeLocal8Bit(readBytes(path, limit));
}

void printLinesToFiles(const QList<std::pair<QString, QString>> &lineForPath)
{
    QList<std::pair<QString, QByteArray>> contentForPath;
    for (const auto &[path, line] : lineForPath)
        contentForPath.append({path, line.toLocal8Bit() + "\r\n"});
    replaceAllOrNone(contentForPath);
}

void copyFilesTogether(const QList<std::pair<QString, QString>> &sourceForPath, qint64 limit)
{
    QList<std::pair<QString, QByteArray>> contentForPath;
    for (const auto &[path, source] : sourceForPath)
        contentForPath.append({path, readBytes(source, limit)});
    replaceAllOrNone(contentForPath);
}

void finishInterruptedPrint(const QStringList &paths)
{
    if (QFileInfo::exists(commitMarkName(paths)))
        putAllInPlace(paths);
    else
        discardAside(paths);
}

} // namespace forms
