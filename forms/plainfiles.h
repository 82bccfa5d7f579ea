#pragma once

#include <QString>

class QFile;

// What the sequential files need from the platform: opening nothing but plain
// files, syncing them to disk and putting one file in place of another in one
// step. Failures throw RuntimeError with a text that names the file.
namespace forms::plainfiles {

constexpr int pathFileAccessError = 75;
constexpr int deviceIoError = 57;

enum class Access {
    read,
    append, // made when missing
    replace, // made when missing, emptied when not
};

[[noreturn]] void fail(int number, const QString &path, const QString &reason);

// Throws when the path holds a symbolic link, a FIFO, a device or a folder.
void refuseUnlessPlain(const QString &path);

// Opens the file at path into file, refusing anything but a plain file with
// no check-then-open race. A file made here can be written by every player
// who shares its folder.
void openPlain(QFile &file, const QString &path, Access access);

void syncToDisk(QFile &file);

// Makes the files renamed or removed in path's folder survive a power cut.
void syncFolderOf(const QString &path);

// Puts the file at from in place of the one at to, whole, in one step.
void replaceFile(const QString &from, const QString &to);

} // namespace forms::plainfiles
