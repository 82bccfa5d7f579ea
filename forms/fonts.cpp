#include "forms/fonts.h"

#include <QFont>
#include <QVariant>
#include <QWidget>

namespace forms {

namespace {

const char *const pointSizeProperty = "fontPointSize";

void applyFontPointSize(QWidget *control)
{
    const QVariant points = control->property(pointSizeProperty);
    if (!points.isValid())
        return;
    QFont font = control->font();
    font.setPointSizeF(points.toReal());
    control->setFont(font);
}

} // namespace

// Liberation Sans and Serif share the widths of Arial and Times New Roman;
// the bitmap faces MS Sans Serif and MS Serif have nearly the same widths.
// Arial Black has a single heavy face: bold DejaVu Sans is as wide and dark.
void registerFontSubstitutes()
{
    const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList serif = {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("Arial"), sans);
    QFont::insertSubstitutions(QStringLiteral("MS Serif"), serif);
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), serif);
    QFont::insertSubstitutions(
        QStringLiteral("Arial Black"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
}

void applyFontPointSizes(QWidget *root)
{
    applyFontPointSize(root);
    for (QWidget *control : root->findChildren<QWidget *>())
        applyFontPointSize(control);
}

} // namespace forms
