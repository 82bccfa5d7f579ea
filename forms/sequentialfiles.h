#pragma once

#include <QList>
#include <QString>

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

// Print # of one line (text + CR LF) in place of each file's content. Every
// file is written aside first and then put in place whole, so a crash, a kill
// or a full disk never leaves one empty or half-written.
void printLinesToFiles(const QList<std::pair<QString, QString>> &lineForPath);

} // namespace forms
