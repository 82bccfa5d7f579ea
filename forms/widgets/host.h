#pragma once

#include <QString>

// Message boxes, the input box and End: what the forms runtime does with the
// screen and the process. The game calls the free functions; a Host behind
// them does the work, so that tests can answer the boxes themselves.
namespace forms {

// Buttons values of MsgBox and its answers.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbDefaultButton2 = 256,
};
enum MsgBoxResult : int { vbOK = 1, vbYes = 6, vbNo = 7 };

class Host
{
public:
    virtual ~Host() = default;
    virtual int msgBox(const QString &prompt, int buttons, const QString &title) = 0;
    // The typed text, or "" when the box is cancelled.
    virtual QString inputBox(const QString &prompt, const QString &title) = 0;
    // Stops the program at once; never returns to its caller.
    [[noreturn]] virtual void end() = 0;
};

// Thrown by a test host's end() to unwind to the outermost event handler;
// the real host never throws it.
struct EndRequested
{
};

// The title shown on every box that is given none.
void setApplicationTitle(const QString &title);
QString applicationTitle();

// nullptr brings back the real host: QMessageBox, QInputDialog, process exit.
void setHost(Host *host);

int MsgBox(const QString &prompt, int buttons = vbOKOnly, const QString &title = QString());
QString InputBox(const QString &prompt);
[[noreturn]] void End();

} // namespace forms
