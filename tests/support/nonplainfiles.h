#pragma once

#include <QString>

// Files that are not plain files, made the platform's way; false where the
// platform or this account cannot make them.
bool makeSymbolicLink(const QString &target, const QString &link);
bool makeFifo(const QString &path);
