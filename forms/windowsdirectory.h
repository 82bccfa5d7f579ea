#pragma once

#include <QChar>

namespace forms {

// The machine's Windows directory, the home of files shared by every player.
// Fills buffer with the path and a NUL and returns the path's length; when the
// buffer is too small, returns the size it would need, NUL included; 0 when no
// directory can be had. On Windows this is the system call itself. Elsewhere:
// the directory named by WINDIR when set; else the machine-wide game
// directory when this player may write there; else the player's own data
// directory, created when missing.
unsigned GetWindowsDirectoryA(char *buffer, unsigned size);

// The platform's separator between directory and file names.
QChar pathSeparator();

} // namespace forms
