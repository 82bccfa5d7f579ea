#pragma once

#include "forms/runtime/conversions.h"

#include <QColor>

class QWidget;

namespace forms {

// Colour values as RGB() makes them: red + 256 * green + 65536 * blue.
QColor toQColor(Long colour);
Long fromQColor(const QColor &colour);

// The text colour and back colour of a control, in every colour group.
void setForeColor(QWidget *control, Long colour);
Long foreColor(const QWidget *control);
void setBackColor(QWidget *control, Long colour);

} // namespace forms
