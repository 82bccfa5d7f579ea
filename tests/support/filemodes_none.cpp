#include "filemodes.h"

// Windows and a page: no Unix modes, no umask.

bool hasFileModes()
{
    return false;
}

bool makeFolderShared(const QString &)
{
    return false;
}

int setUmask(int)
{
    return 0;
}
