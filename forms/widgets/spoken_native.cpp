#include "forms/widgets/spoken.h"

#include "forms/widgets/accessiblerole.h"

#include <QAccessible>
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
    presentAs<Notice, QAccessible::Notification>();
    auto *notice = window->findChild<Notice *>(QString(), Qt::FindDirectChildrenOnly);
    if (!notice) {
        notice = new Notice(window);
        notice->hide();
    }
    notice->setAccessibleName(news);
    QAccessibleEvent shown(notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

void setUpSpokenFocus()
{
    QAccessible::installUpdateHandler(passOnUnlessHiddenCaret);
}

} // namespace forms

#include "spoken_native.moc"
