#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace forms {

// The folder of the files that every player of the machine shares. Fills
// buffer with the path, in the platform's 8-bit code page, and a NUL and
// returns the path's length; when the buffer is too small, returns the size
// it would need, NUL included; 0 when no folder can be had.
// On Windows: %ProgramData%\mcm-mcd when this player may write there, else
// the player's own %LOCALAPPDATA%\mcm-mcd. Elsewhere: the folder named by
// WINDIR when set, else /var/games/mcm-mcd when this player may write there,
// else the player's own data folder. The player's own folder is created when
// missing.
unsigned GetWindowsDirectoryA(char *buffer, unsigned size);

// The platform's separator between directory and file names.
QChar pathSeparator();

// Where the earlier program may have left the files it shared, the likelier
// first; none but on Windows. It kept them in the Windows folder; a 32-bit
// program with no manifest, its writes there went, for a player who is not
// an administrator, to that player's VirtualStore instead. Never written.
QStringList earlierSharedFolders();

// For tests: from now on the shared folder is `folder` and the earlier
// program's folders are `earlier`; "" ends that.
void setSharedFoldersForTests(const QString &folder, const QStringList &earlier = {});

// The choice made on every platform, given its candidates: machineWide when
// this player may write there; else `own`, created when missing; "" when
// neither can be had.
QString chooseSharedDirectory(const QString &machineWide, const QString &own);

} // namespace forms
