#include "forms/heldkeys.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QSet>
#include <QTimer>

#include <utility>

namespace forms {

namespace {

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::InputMethod:
        return true;
    default:
        return false;
    }
}

// Watches every key event the program receives. A key is named by its scan
// code where the platform gives one: its Qt key can change with the
// modifiers between press and release.
class HeldKeys final : public QObject
{
public:
    HeldKeys() { qApp->installEventFilter(this); }

    void waitUntilUp()
    {
        if (held.isEmpty())
            return;
        QEventLoop loop;
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        // A box opened by a timer during the wait waits in a loop of its own;
        // once that one is over, so is this.
        QEventLoop *outer = std::exchange(allUp, &loop);
        loop.exec();
        allUp = outer;
        held.clear();
        if (outer)
            outer->quit();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (!key->isAutoRepeat())
                track(type == QEvent::KeyPress, key->nativeScanCode() ? key->nativeScanCode() : quint32(key->key()));
        } else if (type == QEvent::ApplicationDeactivate) {
            // The releases now go elsewhere.
            held.clear();
        }
        if (allUp && held.isEmpty())
            allUp->quit();
        return allUp && isUserInput(type);
    }

private:
    void track(bool pressed, quint32 key)
    {
        if (pressed)
            held.insert(key);
        else
            held.remove(key);
    }

    QSet<quint32> held;
    QEventLoop *allUp = nullptr;
};

} // namespace

void waitUntilKeysAreUp()
{
    static HeldKeys keys;
    keys.waitUntilUp();
}

} // namespace forms
