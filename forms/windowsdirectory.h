#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace forms {

// The folder of the files that every player of the machine shares; the
// earlier program kept them in the Windows folder itself. Fills buffer with
// the path, in the platform's 8-bit code page, and a NUL and returns the
// path's length; when the buffer is too small, returns the size it would
// need, NUL included; 0 when no folder can be had.
// On Windows: %ProgramData%\mcm-mcd when this player may write there, else
// the player's own %LOCALAPPDATA%\mcm-mcd. Elsewhere: the folder named by
// WINDIR when set, else /var/games/mcm-mcd when this player may write there,
// else the player's own data folder. The player's own folder is created when
// missing; the Windows folder is never written.
unsigned GetWindowsDirectoryA(char *buffer, unsigned size);

// The platform's separator between directory and file names.
QChar pathSeparator();

// The names of the files the program shares in that folder. The first time
// the machine-wide folder is used, holding none of them, those the earlier
// program left in the Windows folder are copied there, all or none.
void setSharedFileNames(const QStringList &names);

// For tests: from now on the shared folder is `folder`; "" ends that.
void setSharedDirectoryForTests(const QString &folder);

// The choice made on every platform, given its candidates: machineWide when
// this player may write there, after carrying over the shared files from
// `earlier` (none when empty); else `own`, created when missing; "" when
// neither can be had.
QString chooseSharedDirectory(const QString &machineWide, const QString &own, const QString &earlier);

} // namespace forms
