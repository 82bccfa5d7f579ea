#include "nonplainfiles.h"

#include <QFile>

#include <sys/stat.h>

bool makeSymbolicLink(const QString &target, const QString &link)
{
    return QFile::link(target, link);
}

bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}
