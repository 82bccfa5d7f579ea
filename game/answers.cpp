// Judging the typed answer and keeping the score.
#include "game/tavola.h"

#include "forms/widgets/colors.h"
#include "ui_tavola.h"

#include <algorithm>
#include <limits>

using namespace forms;

namespace {

constexpr int largestCount = std::numeric_limits<Integer>::max();

// A count never passes the largest Integer: it stays there.
Integer countedUpTo(int value)
{
    return static_cast<Integer>(std::min(value, largestCount));
}

bool isLetThrough(Integer code)
{
    return code == 45 || (code >= 48 && code <= 57) || code == 8;
}

} // namespace

void Tavola::txtAnswer_KeyPress(Integer &KeyAscii)
{
    if (isLetThrough(KeyAscii))
        return;
    if (KeyAscii == 13) {
        judgeAnswer();
        return;
    }
    KeyAscii = 0;
}

void Tavola::judgeAnswer()
{
    if (ui->txtAnswer->text().isEmpty())
        ui->txtAnswer->setText(QStringLiteral("0"));
    // Pasted text may hold a value no Integer can; it is judged wrong rather
    // than ending the game with an overflow.
    const double typed = Val(ui->txtAnswer->text());
    if (fitsInteger(typed) && CInt(typed) == ExpectedAnswer) {
        CorrectCount = countedUpTo(CorrectCount + 1);
        setForeColor(ui->lblMessage, RGB(0, 255, 0));
        ui->lblMessage->setCaption(QStringLiteral("Esatto, sei proprio in gamba!!!"));
    } else {
        setForeColor(ui->lblMessage, RGB(255, 0, 0));
        WrongCount = countedUpTo(WrongCount + 1);
        ui->lblMessage->setCaption(QStringLiteral("Sbagliato!! ") + Format(ExpectedAnswer, QStringLiteral("####0")));
        ui->lblScore1->setCaption(Format(WrongCount, QStringLiteral("###0")));
    }
    ui->lblScore->setCaption(Format(CorrectCount, QStringLiteral("####0")));
    ui->lblScore2->setCaption(Format(countedUpTo(WrongCount + CorrectCount), QStringLiteral("####0")));
    ui->cmdNext->setEnabled(true);
    describeVerdict();
    ui->cmdNext->setFocus();
}
