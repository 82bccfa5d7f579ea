#include "forms/widgets/fonts_platform.h"

#include <QDirIterator>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

namespace forms {

// A browser lends the page none of its fonts: the faces the desktop builds
// find installed travel inside the program, so no label is cut short. What
// has no face of its own (the menu bar, the boxes) gets the desktop's usual
// one, which Qt brings.
void addBundledFaces()
{
    QDirIterator faces(QStringLiteral(":/faces"), QDir::Files);
    while (faces.hasNext())
        QFontDatabase::addApplicationFont(faces.next());
    QGuiApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
}

} // namespace forms
