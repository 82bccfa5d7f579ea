#pragma once

#include <QString>
#include <QStringList>

namespace forms {

// The shared folder as this platform finds it, through chooseSharedDirectory.
QString platformSharedDirectory();

// The folders of the earlier program's files on this platform.
QStringList platformEarlierFolders();

// The folder's path in the platform's 8-bit code page.
QByteArray eightBitPath(const QString &folder);

// Whether this player may make files in the folder.
bool mayWriteIn(const QString &folder);

} // namespace forms
