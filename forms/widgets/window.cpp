#include "forms/widgets/window.h"

#include <QLayout>
#include <QScreen>
#include <QWidget>

namespace forms {

void centreOnScreen(QWidget *window)
{
    // The layout settles the window's size only when it is first shown.
    if (QLayout *layout = window->layout())
        layout->activate();
    const QRect area = window->screen()->availableGeometry();
    window->move(area.center() - window->rect().center());
}

} // namespace forms
