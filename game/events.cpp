// The event wiring: every event the game handles enters here, through the
// forms runtime's guard, and reaches the handler of the same name.
#include "game/tavola.h"

#include "forms/widgets/eventguard.h"
#include "forms/widgets/host.h"
#include "ui_tavola.h"

#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QShortcut>

#include <algorithm>
#include <optional>

using forms::Integer;
using forms::runHandler;

namespace {

bool isEnter(const QKeyEvent &key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// Control with a key, as the forms runtime sees it; Windows reports AltGr as
// Control and Alt together, and its characters are typed ones.
bool isControlChord(const QKeyEvent &key)
{
    return (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier;
}

// The code of a character as the KeyPress event delivers it. Codes past the
// 8-bit range are refused by every filter alike.
Integer codeOf(QChar character)
{
    return static_cast<Integer>(std::min<int>(character.unicode(), 255));
}

bool isControlLetter(const QKeyEvent &key)
{
    return isControlChord(key) && key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z;
}

// Keys that type no character (arrows, Home, End, Delete, Tab) edit the box
// or move the focus and never reach the handler. Qt gives Delete the text
// DEL, but it deletes forward like an arrow moves.
bool editsOrMoves(const QKeyEvent &key)
{
    if (isEnter(key) || key.key() == Qt::Key_Backspace || isControlLetter(key))
        return false;
    return key.key() == Qt::Key_Delete || key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab
        || key.text().isEmpty();
}

// The character code a key raises KeyPress with. A Control chord that makes
// no control code (Ctrl+1, Ctrl+minus on X11, which carry their character)
// raises none, and types nothing.
std::optional<Integer> characterCode(const QKeyEvent &key)
{
    const bool control = isControlChord(key);
    if (isEnter(key))
        return control ? 10 : 13;
    if (key.key() == Qt::Key_Backspace)
        return control ? 127 : 8;
    if (isControlLetter(key))
        return static_cast<Integer>(key.key() - Qt::Key_A + 1);
    if (control)
        return std::nullopt;
    return codeOf(key.text().at(0));
}

// The text a character code types into a box: none for a control character.
QString typedText(Integer code)
{
    return code >= 32 && code != 127 ? QString(QChar(static_cast<char16_t>(code))) : QString();
}

// What the box does with a character the handler let through, as a text
// box of the forms runtime does: backspace deletes, a printable character is
// typed, any other control character is ignored.
void takeCharacter(QLineEdit *box, Integer code)
{
    const QString text = typedText(code);
    if (code == 8)
        box->backspace();
    else if (!text.isEmpty()) // inserting nothing would still delete a selection
        box->insert(text);
}

} // namespace

void Tavola::wireEvents()
{
    connect(ui->cmdNext, &QPushButton::clicked, this, [this] { runHandler([this] { cmdNext_Click(); }); });
    connect(ui->cmdExit, &QPushButton::clicked, this, [this] { runHandler([this] { cmdExit_Click(); }); });
    connect(ui->Next, &QAction::triggered, this, [this] { runHandler([this] { Next_Click(); }); });
    connect(Timer1, &forms::Timer::timeout, this, [this] { runHandler([this] { Timer1_Timer(); }); });
    for (QLineEdit *box : {ui->txtAnswer, ui->Text1, ui->Text2})
        box->installEventFilter(this);
    auto *timeAndCounts = new QShortcut(QKeySequence(Qt::Key_F1), centralWidget());
    connect(timeAndCounts, &QShortcut::activated, this, [this] { runHandler([this] { tellTimeAndCounts(); }); });
}

bool Tavola::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit *>(watched))
        return filterTextBoxKey(watched, static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::InputMethod && watched == ui->txtAnswer)
        filterComposedText(static_cast<QInputMethodEvent *>(event));
    return QMainWindow::eventFilter(watched, event);
}

// cmdNext is the default button: while it is enabled, Enter in a text box
// clicks it instead of reaching the box. Every character typed into the
// answer box goes through txtAnswer_KeyPress, and the box takes what the
// handler leaves of it. Returns whether the key is eaten.
bool Tavola::filterTextBoxKey(QObject *box, QKeyEvent *key)
{
    if (isEnter(*key) && !isControlChord(*key) && ui->cmdNext->isEnabled()) {
        ui->cmdNext->click();
        return true;
    }
    if (box != ui->txtAnswer || editsOrMoves(*key))
        return false;
    if (const std::optional<Integer> code = characterCode(*key))
        takeCharacter(ui->txtAnswer, keyPress(*code));
    return true;
}

// Text that an input method or a dead key composes is typed character by
// character, each through the handler.
void Tavola::filterComposedText(QInputMethodEvent *event)
{
    QString kept;
    for (const QChar character : event->commitString())
        kept += typedText(keyPress(codeOf(character)));
    event->setCommitString(kept, event->replacementStart(), event->replacementLength());
}

// Raises KeyPress for one character; returns the code the handler leaves.
Integer Tavola::keyPress(Integer code)
{
    Integer KeyAscii = code;
    runHandler([this, &KeyAscii] { txtAnswer_KeyPress(KeyAscii); });
    return KeyAscii;
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
