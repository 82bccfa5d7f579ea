#include "forms/windowsdirectory.h"
#include "forms/windowsdirectory_platform.h"

#include <QDir>
#include <QUuid>

#include <knownfolders.h>
#include <shlobj.h>
#include <windows.h>

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
    return chooseSharedDirectory(
        inside(knownFolder(FOLDERID_ProgramData)), inside(knownFolder(FOLDERID_LocalAppData)), windowsFolder());
}

bool mayWriteIn(const QString &folder)
{
    // The read-only flag says nothing of the folder's permissions: try.
    const QString probe
        = QDir::toNativeSeparators(QDir(folder).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".tmp")));
    const HANDLE handle = ::CreateFileW(probe.toStdWString().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(handle);
    return true;
}

} // namespace forms
