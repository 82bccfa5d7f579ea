#include "forms/windowsdirectory.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace forms {
namespace {

#ifndef Q_OS_WIN
const char machineWideDirectory[] = "/var/games/mcm-mcd";

QString sharedDirectory()
{
    QString fromEnvironment = qEnvironmentVariable("WINDIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QFileInfo machineWide(QString::fromLatin1(machineWideDirectory));
    if (machineWide.isDir() && machineWide.isWritable())
        return machineWide.filePath();
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (own.isEmpty() || !QDir().mkpath(own))
        return QString();
    return QDir::toNativeSeparators(own);
}
#endif

} // namespace

unsigned GetWindowsDirectoryA(char *buffer, unsigned size)
{
#ifdef Q_OS_WIN
    return ::GetWindowsDirectoryA(buffer, size);
#else
    const QByteArray path = sharedDirectory().toLocal8Bit();
    const auto length = static_cast<unsigned>(path.size());
    if (length == 0 || length >= size)
        return length == 0 ? 0 : length + 1;
    std::memcpy(buffer, path.constData(), length + 1);
    return length;
#endif
}

QChar pathSeparator()
{
    return QDir::separator();
}

} // namespace forms
