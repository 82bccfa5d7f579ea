#pragma once

#include <QString>

// What the files made in a folder are given, where the platform has modes.

bool hasFileModes();

// Sets the folder's setgid bit, as on a folder that players share; false
// where the platform has no such bit.
bool makeFolderShared(const QString &folder);

// Sets the process's umask; returns the one before (0 where there is none).
int setUmask(int mask);
