#include "forms/idlebutton.h"

#include <QAccessibleWidget>

namespace forms {

namespace {

QAccessibleInterface *idleButtonAccessible(const QString &className, QObject *object)
{
    if (className != QLatin1String(IdleButton::staticMetaObject.className()))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::StaticText);
}

} // namespace

IdleButton::IdleButton(QWidget *parent) : QPushButton(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(idleButtonAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled)
}

} // namespace forms
