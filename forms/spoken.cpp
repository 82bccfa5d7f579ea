#include "forms/spoken.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace forms {

namespace {

// A widget that is never shown; screen readers take it for a notification.
class Notice : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;
};

QAccessibleInterface *noticeAccessible(const QString &className, QObject *object)
{
    if (className != QLatin1String(Notice::staticMetaObject.className()))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
}

void passOnUnlessHiddenCaret(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::TextCaretMoved) {
        const auto *box = qobject_cast<QWidget *>(event->object());
        if (box && !box->hasFocus())
            return;
    }
    // Qt gives an event to the installed handler instead of the platform:
    // without one for the moment, the event reaches the platform.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(passOnUnlessHiddenCaret);
}

} // namespace

void announce(QWidget *window, const QString &news)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(noticeAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled)
    auto *notice = window->findChild<Notice *>(QString(), Qt::FindDirectChildrenOnly);
    if (!notice) {
        notice = new Notice(window);
        notice->hide();
    }
    notice->setAccessibleName(news);
    QAccessibleEvent shown(notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void tellCaretsOfFocusedBoxesOnly()
{
    QAccessible::installUpdateHandler(passOnUnlessHiddenCaret);
}

} // namespace forms

#include "spoken.moc"
