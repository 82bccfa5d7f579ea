#include "forms/files/windowsdirectory.h"

#include "forms/files/windowsdirectory_platform.h"

#include <QDir>

#include <cstring>

namespace forms {
namespace {

struct FoldersForTests
{
    QString folder;
    QStringList earlier;
};

FoldersForTests &foldersForTests()
{
    static FoldersForTests folders;
    return folders;
}

} // namespace

QString chooseSharedDirectory(const QString &machineWide, const QString &own)
{
    if (!machineWide.isEmpty() && mayWriteIn(machineWide))
        return QDir::toNativeSeparators(machineWide);
    if (own.isEmpty() || !QDir().mkpath(own))
        return QString();
    return QDir::toNativeSeparators(own);
}

unsigned GetWindowsDirectoryA(char *buffer, unsigned size)
{
    const QString &forTests = foldersForTests().folder;
    const QString folder = forTests.isEmpty() ? platformSharedDirectory() : forTests;
    const QByteArray path = eightBitPath(QDir::toNativeSeparators(folder));
    const auto length = static_cast<unsigned>(path.size());
    if (length == 0 || length >= size)
        return length == 0 ? 0 : length + 1;
    std::memcpy(buffer, path.constData(), length + 1);
    return length;
}

QChar pathSeparator()
{
    return QDir::separator();
}

QStringList earlierSharedFolders()
{
    const FoldersForTests &forTests = foldersForTests();
    return forTests.folder.isEmpty() ? platformEarlierFolders() : forTests.earlier;
}

void setSharedFoldersForTests(const QString &folder, const QStringList &earlier)
{
    foldersForTests() = {folder, earlier};
}

} // namespace forms
