#include "forms/widgets/spoken.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QWidget>

#include <emscripten.h>

// A page's screen reader sees no control drawn on the canvas: what Orca
// hears from the desktop builds goes into the page's live region instead.
namespace forms {
namespace {

EM_JS(void, sayInPage, (const char *news), {
    if (typeof mcmAnnuncia === 'function')
        mcmAnnuncia(UTF8ToString(news));
});

void say(const QString &news)
{
    if (!news.isEmpty())
        sayInPage(news.toUtf8().constData());
}

QString accessibleText(QWidget *control, QAccessible::Text which)
{
    QAccessibleInterface *about = QAccessible::queryAccessibleInterface(control);
    return about ? about->text(which) : QString();
}

// What a box says when it opens: its title and its text.
QString boxText(const QWidget *window)
{
    QString text;
    if (const auto *box = qobject_cast<const QMessageBox *>(window))
        text = box->text();
    else if (const auto *input = qobject_cast<const QInputDialog *>(window))
        text = input->labelText();
    return window->windowTitle() + QStringLiteral(". ") + text;
}

// The control that takes the focus is said by its name and description, and
// a box that opens by its title and text first, as a screen reader does.
void sayFocusChange(QWidget *before, QWidget *now)
{
    if (!now)
        return;
    QStringList parts;
    QWidget *window = now->window();
    if (window->isModal() && (!before || before->window() != window))
        parts << boxText(window);
    parts << accessibleText(now, QAccessible::Name) << accessibleText(now, QAccessible::Description);
    parts.removeAll(QString());
    say(parts.join(QStringLiteral(". ")));
}

} // namespace

void announce(QWidget *, const QString &news)
{
    say(news);
}

void setUpSpokenFocus()
{
    static const bool connected = QObject::connect(qApp, &QApplication::focusChanged, qApp, sayFocusChange);
    Q_UNUSED(connected)
}

} // namespace forms
