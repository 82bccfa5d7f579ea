#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// The sequential text files of the forms runtime, made safe for files that
// hold something worth keeping. Text is 8-bit, in the platform's encoding.
// Only plain files are touched: a symbolic link, a FIFO, a device or a
// directory at the path is refused. Failures throw forms::RuntimeError with
// a text that names the file and the reason.
namespace forms {

// Open For Append, then Close: a missing file is created empty (readable and
// writable by its group, for a shared directory); an existing one is left as
// it is.
void createFile(const QString &path);

// Open For Input, Input(LOF), Close: the whole text, at most `limit` bytes of
// it. Bytes that are not valid in the local encoding are read as Latin-1.
QString readFile(const QString &path, qint64 limit);

// Print # of one line (text + CR LF) in place of each file's content, all
// files or none. Each is written aside (its name + ".new") and synced; then a
// commit mark (the first name + ".commit") is made, and the files are put in
// place whole. A crash, a kill or a full disk never leaves a file empty or
// half-written, and finishInterruptedPrint brings the group back together.
// Callers that may run at once must hold one lock around both calls.
void printLinesToFiles(const QList<std::pair<QString, QString>> &lineForPath);

// Copies each source file (at most `limit` bytes of it) to the path beside
// it, all files or none, as printLinesToFiles does.
void copyFilesTogether(const QList<std::pair<QString, QString>> &sourceForPath, qint64 limit);

// After a print that was killed part way: puts its files in place if it had
// made its commit mark, and throws away what it had written aside if not.
void finishInterruptedPrint(const QStringList &paths);

} // namespace forms
