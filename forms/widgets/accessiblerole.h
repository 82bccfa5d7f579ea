#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLatin1String>
#include <QWidget>

namespace forms {

namespace detail {

template <class Widget, QAccessible::Role role>
QAccessibleInterface *accessibleWithRole(const QString &className, QObject *object)
{
    if (className != QLatin1String(Widget::staticMetaObject.className()))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), role);
}

} // namespace detail

// From now on assistive technology is told `role` for every widget of the
// class Widget (which has Q_OBJECT). Once is enough; later calls do nothing.
template <class Widget, QAccessible::Role role>
void presentAs()
{
    static const bool installed = (QAccessible::installFactory(detail::accessibleWithRole<Widget, role>), true);
    Q_UNUSED(installed)
}

} // namespace forms
