#include "filemodes.h"

// A page's files belong to no user and no group: modes mean nothing there.
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
