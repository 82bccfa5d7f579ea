#include "filemodes.h"

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
