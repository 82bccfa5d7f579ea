#pragma once

class QWidget;

namespace forms {

// Gives each face of the classic forms the nearest faces of the same metrics
// and look, which Qt takes in turn where the face itself is missing.
void registerFontSubstitutes();

// A .ui file holds whole points only: a control whose size has a fraction
// (8.25, 13.5) carries it in its dynamic property "fontPointSize", and this
// puts it into the fonts of root and every widget under it.
void applyFontPointSizes(QWidget *root);

} // namespace forms
