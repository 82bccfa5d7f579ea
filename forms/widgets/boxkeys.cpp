#include "forms/widgets/boxkeys.h"

#include "forms/runtime/nestedwait.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QScopedValueRollback>
#include <QSet>
#include <QTimer>
#include <QWidget>

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

// With a screen reader listening, Qt holds each key back until the reader
// has seen it, then posts it again: what reaches the program is no longer
// marked as the platform's. So keys are counted however they come, but for
// the presses a box replays at a release, made while this is set.
bool replaying = false;

// A key is named by its scan code where the platform gives one: its Qt key
// can change with the modifiers between press and release.
quint32 keyName(const QKeyEvent &key)
{
    return key.nativeScanCode() ? key.nativeScanCode() : quint32(key.key());
}

// Watches every key the player presses and releases. One key may be seen
// more than once on its way (at the window, at the widget, held back for a
// screen reader): a set counts it once.
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
        waitNested([&loop] { return loop.exec(); });
        allUp = outer;
        held.clear();
        if (outer)
            outer->quit();
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && !replaying) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (!key->isAutoRepeat())
                track(type == QEvent::KeyPress, keyName(*key));
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

bool actsOnRelease(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Escape;
}

} // namespace

// Holds back the press of a key the box acts on, and gives it to the box
// when the key is released.
class BoxKeysOnRelease::Filter final : public QObject
{
public:
    explicit Filter(QWidget *openBox) : box(openBox) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || replaying)
            return false;
        auto *target = qobject_cast<QWidget *>(watched);
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!target || !box || !(target == box || box->isAncestorOf(target)) || !actsOnRelease(*key))
            return false;
        if (type == QEvent::KeyPress) {
            if (!key->isAutoRepeat())
                pressed = {keyName(*key), key->key(), key->modifiers(), key->text(), target};
            return true;
        }
        if (key->isAutoRepeat() || !pressed.target || pressed.name != keyName(*key))
            return false;
        QKeyEvent press(QEvent::KeyPress, pressed.key, pressed.modifiers, pressed.text);
        QPointer<QWidget> to = std::exchange(pressed.target, nullptr);
        const QScopedValueRollback<bool> replay(replaying, true);
        QApplication::sendEvent(to, &press);
        return true;
    }

private:
    struct Press
    {
        quint32 name = 0;
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        QString text;
        QPointer<QWidget> target;
    };

    QPointer<QWidget> box;
    Press pressed;
};

BoxKeysOnRelease::BoxKeysOnRelease(QWidget *box) : filter(new Filter(box))
{ }

BoxKeysOnRelease::~BoxKeysOnRelease()
{
    delete filter;
}

void waitUntilKeysAreUp()
{
    static HeldKeys keys;
    keys.waitUntilUp();
}

} // namespace forms
