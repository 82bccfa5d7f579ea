#include "nonplainfiles.h"

#include <QDir>

#include <windows.h>

bool makeSymbolicLink(const QString &target, const QString &link)
{
    // QFile::link makes a shell shortcut on Windows, which is a plain file.
    return ::CreateSymbolicLinkW(QDir::toNativeSeparators(link).toStdWString().c_str(),
        QDir::toNativeSeparators(target).toStdWString().c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
}

bool makeFifo(const QString &)
{
    return false; // a Windows folder holds no FIFO
}
