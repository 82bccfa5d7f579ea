#include "forms/widgets/fonts.h"

#include "forms/widgets/fonts_platform.h"

#include <QFont>
#include <QSet>
#include <QVariant>
#include <QWidget>

namespace forms {

namespace {

const char *const pointSizeProperty = "fontPointSize";

// Installed faces, by lower-case name.
using InstalledFaces = QSet<QString>;

InstalledFaces lowerCase(const QStringList &families)
{
    InstalledFaces faces;
    for (const QString &family : families)
        faces.insert(family.toLower());
    return faces;
}

// The face itself where it is installed, else its first installed substitute.
QString installedFace(const QString &family, const InstalledFaces &installed)
{
    if (installed.contains(family.toLower()))
        return family;
    for (const QString &substitute : QFont::substitutes(family)) {
        if (installed.contains(substitute.toLower()))
            return substitute;
    }
    return family;
}

void applyDesignFont(QWidget *control, const InstalledFaces &installed)
{
    if (!control->testAttribute(Qt::WA_SetFont))
        return; // inherits its parent's
    QFont font = control->font();
    const QVariant points = control->property(pointSizeProperty);
    if (points.isValid())
        font.setPointSizeF(points.toReal());
    // Qt would look the missing face up among every installed font, for
    // each size, before it tried the substitutes: a long wait at start.
    font.setFamily(installedFace(font.family(), installed));
    control->setFont(font);
}

} // namespace

// Liberation Sans and Serif share the widths of Arial and Times New Roman;
// the bitmap faces MS Sans Serif and MS Serif have nearly the same widths.
// Arial Black has a single heavy face: bold DejaVu Sans is as wide and dark.
void registerFontSubstitutes()
{
    addBundledFaces();
    const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList serif = {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("Arial"), sans);
    QFont::insertSubstitutions(QStringLiteral("MS Serif"), serif);
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), serif);
    QFont::insertSubstitutions(
        QStringLiteral("Arial Black"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
}

void applyDesignFonts(QWidget *root, const QStringList &installedFamilies)
{
    const InstalledFaces installed = lowerCase(installedFamilies);
    applyDesignFont(root, installed);
    for (QWidget *control : root->findChildren<QWidget *>())
        applyDesignFont(control, installed);
}

} // namespace forms
