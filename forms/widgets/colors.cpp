#include "forms/widgets/colors.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPalette>
#include <QWidget>

namespace forms {
namespace {

QPalette::ColorRole foreRole(const QWidget *control)
{
    if (qobject_cast<const QLineEdit *>(control))
        return QPalette::Text;
    if (qobject_cast<const QAbstractButton *>(control))
        return QPalette::ButtonText;
    return QPalette::WindowText;
}

QPalette::ColorRole backRole(const QWidget *control)
{
    if (qobject_cast<const QLineEdit *>(control))
        return QPalette::Base;
    if (qobject_cast<const QAbstractButton *>(control))
        return QPalette::Button;
    return QPalette::Window;
}

void setRoleColor(QWidget *control, QPalette::ColorRole role, Long colour)
{
    QPalette palette = control->palette();
    palette.setColor(role, toQColor(colour));
    control->setPalette(palette);
}

} // namespace

QColor toQColor(Long colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

Long fromQColor(const QColor &colour)
{
    return RGB(colour.red(), colour.green(), colour.blue());
}

void setForeColor(QWidget *control, Long colour)
{
    setRoleColor(control, foreRole(control), colour);
}

Long foreColor(const QWidget *control)
{
    return fromQColor(control->palette().color(foreRole(control)));
}

void setBackColor(QWidget *control, Long colour)
{
    setRoleColor(control, backRole(control), colour);
}

} // namespace forms
