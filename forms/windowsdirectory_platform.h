#pragma once

#include <QString>

namespace forms {

// The shared folder as this platform finds it, through chooseSharedDirectory.
QString platformSharedDirectory();

// Whether this player may make files in the folder.
bool mayWriteIn(const QString &folder);

} // namespace forms
