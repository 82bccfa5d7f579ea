#pragma once

#include <QString>

class QWidget;

// Orca 43 speaks neither a label whose text changes nor a changed name or
// description: Qt 6.4 sends those changes without their new text. What it
// does speak is the control that gets the focus (name, role, description)
// and a notification that shows up. The game's news goes these two ways.
namespace forms {

// Says the news at once, whatever control has the focus: a hidden
// notification of the window, named by the news, tells screen readers it is
// shown. Nothing is drawn.
void announce(QWidget *window, const QString &news);

// A box that is cleared while another control has the focus, and then takes
// the focus, would reach a screen reader as a caret move first: the reader,
// hearing of it late, takes the box as already announced and says nothing
// when the focus comes. So only the caret of a box with the focus is told.
void tellCaretsOfFocusedBoxesOnly();

} // namespace forms
