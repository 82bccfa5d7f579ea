#include "forms/files/plainfiles.h"

#include "forms/runtime/runtimeerror.h"

#include <QDir>
#include <QFileInfo>

namespace forms::plainfiles {

void fail(int number, const QString &path, const QString &reason)
{
    throw RuntimeError(number, QStringLiteral("File \"%1\": %2").arg(QDir::toNativeSeparators(path), reason));
}

void refuseUnlessPlain(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymbolicLink())
        fail(pathFileAccessError, path, QStringLiteral("è un collegamento simbolico, non un file normale"));
    if (!info.exists() || info.isFile())
        return;
    if (info.isDir())
        fail(pathFileAccessError, path, QStringLiteral("è una cartella, non un file"));
    fail(pathFileAccessError, path, QStringLiteral("non è un file normale"));
}

} // namespace forms::plainfiles
