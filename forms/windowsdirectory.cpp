#include "forms/windowsdirectory.h"

#include "forms/runtimeerror.h"
#include "forms/sequentialfiles.h"
#include "forms/windowsdirectory_platform.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace forms {
namespace {

// A shared file is a line or two.
constexpr qint64 largestCarriedFile = qint64{64} * 1024;

QStringList &sharedFileNames()
{
    static QStringList names;
    return names;
}

QString &directoryForTests()
{
    static QString folder;
    return folder;
}

void carryOver(const QString &earlier, const QString &machineWide)
{
    const QStringList &names = sharedFileNames();
    const QDir from(earlier);
    const QDir to(machineWide);
    const auto in = [](const QDir &folder) { return [&folder](const QString &name) { return folder.exists(name); }; };
    if (names.isEmpty() || std::any_of(names.begin(), names.end(), in(to))
        || !std::all_of(names.begin(), names.end(), in(from)))
        return;
    QList<std::pair<QString, QString>> sourceForPath;
    for (const QString &name : names)
        sourceForPath.append({to.filePath(name), from.filePath(name)});
    try {
        copyFilesTogether(sourceForPath, largestCarriedFile);
    } catch (const RuntimeError &) {
        // The old files stay where they are; the folder starts without them.
    }
}

} // namespace

QString chooseSharedDirectory(const QString &machineWide, const QString &own, const QString &earlier)
{
    if (!machineWide.isEmpty() && mayWriteIn(machineWide)) {
        if (!earlier.isEmpty())
            carryOver(earlier, machineWide);
        return QDir::toNativeSeparators(machineWide);
    }
    if (own.isEmpty() || !QDir().mkpath(own))
        return QString();
    return QDir::toNativeSeparators(own);
}

unsigned GetWindowsDirectoryA(char *buffer, unsigned size)
{
    const QString folder = directoryForTests().isEmpty() ? platformSharedDirectory() : directoryForTests();
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

void setSharedFileNames(const QStringList &names)
{
    sharedFileNames() = names;
}

void setSharedDirectoryForTests(const QString &folder)
{
    directoryForTests() = folder;
}

} // namespace forms
