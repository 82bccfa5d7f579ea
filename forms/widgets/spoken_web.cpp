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

// The text of a box.
QString boxText(const QWidget *window)
{
    if (const auto *box = qobject_cast<const QMessageBox *>(window))
        return box->text();
    if (const auto *input = qobject_cast<const QInputDialog *>(window))
        return input->labelText();
    return QString();
}

// The parts in turn, each said once, each a sentence of its own.
QString sentences(const QStringList &parts)
{
    QString said;
    for (const QString &part : parts) {
        const QString text = part.trimmed();
        if (text.isEmpty() || said.contains(text))
            continue;
        if (!said.isEmpty())
            said += QStringLiteral(".!?:;").contains(said.back()) ? QStringLiteral(" ") : QStringLiteral(". ");
        said += text;
    }
    return said;
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
        parts << window->windowTitle() << boxText(window);
    parts << accessibleText(now, QAccessible::Name) << accessibleText(now, QAccessible::Description);
    say(sentences(parts));
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
