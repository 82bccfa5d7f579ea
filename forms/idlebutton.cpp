#include "forms/idlebutton.h"

#include "forms/accessiblerole.h"

namespace forms {

IdleButton::IdleButton(QWidget *parent) : QPushButton(parent)
{
    presentAs<IdleButton, QAccessible::StaticText>();
}

} // namespace forms
