#include "forms/files/windowsdirectory.h"
#include "forms/files/windowsdirectory_platform.h"

#include <QFileInfo>

#include <emscripten.h>

namespace forms {
namespace {

// Set by the page's start (recordfolder_web.js) once the folder holds what
// the browser kept: false where the browser keeps nothing (storage refused).
EM_JS(bool, recordFolderReady, (), { return Module['mcmRecordFolderReady'] === true; });

} // namespace

// The browser is the machine: every game of this browser profile shares the
// folder that the browser's storage keeps.
QString platformSharedDirectory()
{
    return recordFolderReady() ? QStringLiteral("/primato") : QString();
}

QStringList platformEarlierFolders()
{
    return {};
}

QByteArray eightBitPath(const QString &folder)
{
    return folder.toUtf8();
}

bool mayWriteIn(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

} // namespace forms
