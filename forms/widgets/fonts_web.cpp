#include "forms/widgets/fonts_platform.h"

#include <QDirIterator>
#include <QFontDatabase>

namespace forms {

// A browser lends the page none of its fonts: the faces the desktop builds
// find installed travel inside the program, so no label is cut short.
void addBundledFaces()
{
    QDirIterator faces(QStringLiteral(":/faces"), QDir::Files);
    while (faces.hasNext())
        QFontDatabase::addApplicationFont(faces.next());
}

} // namespace forms
