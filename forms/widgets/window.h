#pragma once

class QWidget;

namespace forms {

// Places a window that is about to be shown in the middle of its screen.
void centreOnScreen(QWidget *window);

} // namespace forms
