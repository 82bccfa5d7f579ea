// The event wiring: every event the game handles enters here, through the
// forms runtime's guard, and reaches the handler of the same name.
#include "game/tavola.h"

#include "forms/eventguard.h"
#include "forms/host.h"
#include "ui_tavola.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QShortcut>
#include <QTimer>

#include <optional>

using forms::Integer;
using forms::runHandler;

namespace {

bool isEnter(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// The character code a key types, as the KeyPress event delivers it; keys
// that type no character (arrows, Delete, Tab) have none and never reach it.
std::optional<Integer> characterCode(const QKeyEvent &key)
{
    if (isEnter(key))
        return 13;
    if (key.key() == Qt::Key_Backspace)
        return 8;
    if (key.key() == Qt::Key_Escape)
        return 27;
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        return std::nullopt;
    if ((key.modifiers() & Qt::ControlModifier) && key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z)
        return static_cast<Integer>(key.key() - Qt::Key_A + 1);
    if (key.text().isEmpty())
        return std::nullopt;
    // Codes past the 8-bit range are refused by every filter alike.
    return static_cast<Integer>(std::min<int>(key.text().at(0).unicode(), 255));
}

} // namespace

void Tavola::wireEvents()
{
    connect(ui->cmdNext, &QPushButton::clicked, this, [this] { runHandler([this] { cmdNext_Click(); }); });
    connect(ui->cmdExit, &QPushButton::clicked, this, [this] { runHandler([this] { cmdExit_Click(); }); });
    connect(ui->Next, &QAction::triggered, this, [this] { runHandler([this] { Next_Click(); }); });
    connect(Timer1, &QTimer::timeout, this, [this] { runHandler([this] { Timer1_Timer(); }); });
    for (QLineEdit *box : {ui->txtAnswer, ui->Text1, ui->Text2})
        box->installEventFilter(this);
    auto *timeAndCounts = new QShortcut(QKeySequence(Qt::Key_F1), centralWidget());
    connect(timeAndCounts, &QShortcut::activated, this, [this] { runHandler([this] { tellTimeAndCounts(); }); });
}

bool Tavola::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit *>(watched))
        return filterTextBoxKey(watched, static_cast<QKeyEvent *>(event));
    return QMainWindow::eventFilter(watched, event);
}

// cmdNext is the default button: while it is enabled, Enter in a text box
// clicks it instead of reaching the box. Returns whether the key is eaten.
bool Tavola::filterTextBoxKey(QObject *box, QKeyEvent *key)
{
    if (isEnter(*key) && ui->cmdNext->isEnabled()) {
        ui->cmdNext->click();
        return true;
    }
    if (box != ui->txtAnswer || (key->modifiers() & Qt::AltModifier))
        return false;
    const std::optional<Integer> code = characterCode(*key);
    if (!code)
        return false;
    Integer KeyAscii = *code;
    runHandler([this, &KeyAscii] { txtAnswer_KeyPress(KeyAscii); });
    return KeyAscii == 0;
}

void Tavola::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    runHandler([this] { Form_Resize(); });
}

void Tavola::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        runHandler([this] { Form_Resize(); });
}

// Activate comes once after every load, when the window is first shown;
// restoring it or closing one of the game's boxes does not raise it again.
void Tavola::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!activatePending)
        return;
    activatePending = false;
    runHandler([this] { Form_Activate(); });
}

// The window's own close button ends the program with no record check.
void Tavola::closeEvent(QCloseEvent *event)
{
    event->accept();
    runHandler([] { forms::End(); });
}
