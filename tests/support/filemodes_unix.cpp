#include "filemodes.h"

#include <QFile>

#include <sys/stat.h>

bool hasFileModes()
{
    return true;
}

bool makeFolderShared(const QString &folder)
{
    return ::chmod(QFile::encodeName(folder).constData(), 02775) == 0;
}

int setUmask(int mask)
{
    return static_cast<int>(::umask(static_cast<mode_t>(mask)));
}
