#include "forms/widgets/idlebutton.h"

#include "forms/widgets/accessiblerole.h"

namespace forms {

IdleButton::IdleButton(QWidget *parent) : QPushButton(parent)
{
    presentAs<IdleButton, QAccessible::StaticText>();
}

} // namespace forms
