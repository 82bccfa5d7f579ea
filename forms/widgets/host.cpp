#include "forms/widgets/host.h"

#include "forms/runtime/nestedwait.h"
#include "forms/widgets/boxkeys.h"
#include "forms/widgets/endprogram.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include <cstdlib>

namespace forms {
namespace {

QMessageBox::Icon iconFor(int buttons)
{
    switch (buttons & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The real boxes, with Italian button texts whatever the system's language.
class WidgetHost final : public Host
{
public:
    int msgBox(const QString &prompt, int buttons, const QString &title) override
    {
        QMessageBox box(iconFor(buttons), title, prompt, QMessageBox::NoButton, QApplication::activeWindow());
        // A player's name is shown as typed, never taken for markup.
        box.setTextFormat(Qt::PlainText);
        if ((buttons & 0x7) == vbYesNo) {
            QPushButton *yes = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
            QPushButton *no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
            box.setDefaultButton((buttons & vbDefaultButton2) ? no : yes);
            box.setEscapeButton(no);
            waitUntilKeysAreUp();
            const BoxKeysOnRelease keys(&box);
            waitNested([&box] { return box.exec(); });
            return box.clickedButton() == yes ? vbYes : vbNo;
        }
        box.setDefaultButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
        waitUntilKeysAreUp();
        const BoxKeysOnRelease keys(&box);
        waitNested([&box] { return box.exec(); });
        return vbOK;
    }

    QString inputBox(const QString &prompt, const QString &title) override
    {
        QInputDialog dialog(QApplication::activeWindow());
        dialog.setWindowTitle(title);
        dialog.setLabelText(prompt);
        if (auto *label = dialog.findChild<QLabel *>())
            label->setTextFormat(Qt::PlainText);
        dialog.setOkButtonText(QStringLiteral("OK"));
        dialog.setCancelButtonText(QStringLiteral("Annulla"));
        waitUntilKeysAreUp();
        const BoxKeysOnRelease keys(&dialog);
        return waitNested([&dialog] { return dialog.exec(); }) == QDialog::Accepted ? dialog.textValue() : QString();
    }

    [[noreturn]] void end() override
    {
        endProgram();
    }
};

Host *&installedHost()
{
    static Host *host = nullptr;
    return host;
}

Host &currentHost()
{
    static WidgetHost widgetHost;
    Host *host = installedHost();
    return host ? *host : widgetHost;
}

QString &titleStore()
{
    static QString title;
    return title;
}

} // namespace

void setApplicationTitle(const QString &title)
{
    titleStore() = title;
}

QString applicationTitle()
{
    return titleStore();
}

void setHost(Host *host)
{
    installedHost() = host;
}

int MsgBox(const QString &prompt, int buttons, const QString &title)
{
    return currentHost().msgBox(prompt, buttons, title.isEmpty() ? applicationTitle() : title);
}

QString InputBox(const QString &prompt)
{
    return currentHost().inputBox(prompt, applicationTitle());
}

void End()
{
    currentHost().end();
    std::abort(); // no host returns from end()
}

} // namespace forms
