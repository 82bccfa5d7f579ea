#pragma once

#include <QString>

class QWidget;

// Orca 43 speaks neither a label whose text changes nor a changed name or
// description: Qt 6.4 sends those changes without their new text. What it
// does speak is the control that gets the focus (name, role, description)
// and a notification that shows up. The game's news goes these two ways.
namespace forms {

// Says the news at once, whatever control has the focus: on the desktop, a
// hidden notification of the window, named by the news, tells screen readers
// it is shown; in a page, the page's live region. Nothing is drawn.
void announce(QWidget *window, const QString &news);

// Makes the control that takes the focus heard as it should be.
// On the desktop, a box that is cleared while another control has the focus,
// and then takes the focus, would reach a screen reader as a caret move
// first: the reader, hearing of it late, takes the box as already announced
// and says nothing when the focus comes. So only the caret of a box with the
// focus is told. In a page, where screen readers see only the canvas, the
// focused control's name and description (and a box's title and text as it
// opens) are said through the page.
void setUpSpokenFocus();

} // namespace forms
