#include "forms/files/windowsdirectory.h"
#include "forms/files/windowsdirectory_platform.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace forms {

QString platformSharedDirectory()
{
    QString fromEnvironment = qEnvironmentVariable("WINDIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return chooseSharedDirectory(
        QStringLiteral("/var/games/mcm-mcd"), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QStringList platformEarlierFolders()
{
    return {};
}

QByteArray eightBitPath(const QString &folder)
{
    return folder.toLocal8Bit();
}

bool mayWriteIn(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

} // namespace forms
