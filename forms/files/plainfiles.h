#pragma once

#include <QString>
#include <QtGlobal>

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
    lock, // read, made when missing: enough to lock a file made by another player
};

[[noreturn]] void fail(int number, const QString &path, const QString &reason);

// Throws when the path holds a symbolic link, a FIFO, a device or a folder.
void refuseUnlessPlain(const QString &path);

// Opens the file at path, refusing anything but a plain file with no
// check-then-open race, and never waiting on a FIFO or a device. A file made
// in a folder that players share (setgid on Unix) can be written by all of
// them; one made in a player's own folder gets the player's usual rights.
// Returns a descriptor on Unix, a HANDLE on Windows.
qintptr openPlainHandle(const QString &path, Access access);

// The same, into file.
void openPlain(QFile &file, const QString &path, Access access);

void syncToDisk(QFile &file);

// Makes the files renamed or removed in path's folder survive a power cut.
void syncFolderOf(const QString &path);

// Puts the file at from in place of the one at to, whole, in one step.
void replaceFile(const QString &from, const QString &to);

} // namespace forms::plainfiles
