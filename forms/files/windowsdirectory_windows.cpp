#include "forms/files/windowsdirectory.h"
#include "forms/files/windowsdirectory_platform.h"

#include <QDir>
#include <QUuid>

#include <string>

// windows.h first: the others build on its definitions.
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace forms {
namespace {

const QString programFolder = QStringLiteral("mcm-mcd");

QString knownFolder(REFKNOWNFOLDERID id)
{
    PWSTR path = nullptr;
    QString folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path)))
        folder = QString::fromWCharArray(path);
    ::CoTaskMemFree(path);
    return folder;
}

QString windowsFolder()
{
    wchar_t path[MAX_PATH];
    const UINT length = ::GetWindowsDirectoryW(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? QString::fromWCharArray(path, static_cast<qsizetype>(length)) : QString();
}

QString inside(const QString &folder)
{
    return folder.isEmpty() ? QString() : QDir(folder).filePath(programFolder);
}

} // namespace

QString platformSharedDirectory()
{
    // One folder for every player and every run: a rule that sometimes took
    // the Windows folder would split the machine's record in two.
    return chooseSharedDirectory(inside(knownFolder(FOLDERID_ProgramData)), inside(knownFolder(FOLDERID_LocalAppData)));
}

QStringList platformEarlierFolders()
{
    const QString windows = windowsFolder();
    if (windows.isEmpty())
        return {};
    // The VirtualStore mirrors the path without its drive: C:\Windows is
    // VirtualStore\Windows.
    const QString virtualStore = knownFolder(FOLDERID_LocalAppData);
    const QString mirrored = QDir::fromNativeSeparators(windows).section(QLatin1Char('/'), 1);
    if (virtualStore.isEmpty() || mirrored.isEmpty())
        return {windows};
    return {QDir(virtualStore).filePath(QStringLiteral("VirtualStore/") + mirrored), windows};
}

QByteArray eightBitPath(const QString &folder)
{
    const QByteArray path = folder.toLocal8Bit();
    if (QString::fromLocal8Bit(path) == folder)
        return path;
    // A name the ANSI code page cannot write (a player's name in another
    // alphabet) has a short name that it can.
    const std::wstring wide = folder.toStdWString();
    const DWORD size = ::GetShortPathNameW(wide.c_str(), nullptr, 0);
    std::wstring shortPath(size, L'\0');
    const DWORD length = ::GetShortPathNameW(wide.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size)
        return path;
    return QString::fromWCharArray(shortPath.data(), static_cast<qsizetype>(length)).toLocal8Bit();
}

bool mayWriteIn(const QString &folder)
{
    // The read-only flag says nothing of the folder's permissions: try.
    const QString probe = QDir::toNativeSeparators(
        QDir(folder).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".tmp")));
    const HANDLE handle = ::CreateFileW(probe.toStdWString().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(handle);
    return true;
}

} // namespace forms
