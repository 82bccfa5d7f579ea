#pragma once

#include <QStringList>

class QWidget;

namespace forms {

// Gives each face of the classic forms the nearest faces of the same metrics
// and look, which Qt takes in turn where the face itself is missing (in the
// message boxes too).
void registerFontSubstitutes();

// Finishes the fonts that root and the widgets under it were given. A .ui
// file holds whole points only: a control whose size has a fraction (8.25,
// 13.5) carries it in its dynamic property "fontPointSize". A face that is
// not installed is replaced by its first installed substitute, so that Qt
// need not search every installed font for it. installedFamilies is
// QFontDatabase::families(), which is quicker read ahead in the background.
void applyDesignFonts(QWidget *root, const QStringList &installedFamilies);

} // namespace forms
