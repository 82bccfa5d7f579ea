// What a player who listens through a screen reader is told: the question as
// it comes, the verdict, the time running out, and on F1 the time left and
// the counts. The question and the verdict are the descriptions of the
// controls that the focus goes to with them; the rest is announced
// (forms/widgets/spoken.h). The window shows nothing new.
#include "game/tavola.h"

#include "forms/widgets/spoken.h"
#include "ui_tavola.h"

#include <array>
#include <utility>

namespace {

// "un minuto", "5 minuti"
QString amount(int count, const QString &one, const QString &many)
{
    return count == 1 ? QStringLiteral("un ") + one : QString::number(count) + QLatin1Char(' ') + many;
}

// "13 minuti e 59 secondi", "15 minuti", "10 secondi"
QString timeInWords(int seconds)
{
    const int minutes = seconds / 60;
    const int secondsPart = seconds % 60;
    QStringList parts;
    if (minutes > 0)
        parts << amount(minutes, QStringLiteral("minuto"), QStringLiteral("minuti"));
    if (secondsPart > 0 || minutes == 0)
        parts << amount(secondsPart, QStringLiteral("secondo"), QStringLiteral("secondi"));
    return parts.join(QStringLiteral(" e "));
}

} // namespace

// Read when the focus comes to the answer box; said at once when the box
// has kept the focus, as it does when Enter there asks the next question.
void Tavola::describeQuestion(const QString &kind)
{
    const QString question
        = kind + QStringLiteral(" di ") + ui->Text1->text() + QStringLiteral(" e ") + ui->Text2->text();
    ui->txtAnswer->setAccessibleDescription(question);
    if (ui->txtAnswer->hasFocus())
        forms::announce(this, question);
}

// Read when the focus comes to the button, right after the answer; until
// the first answer its description says what it does.
void Tavola::describeVerdict()
{
    ui->cmdNext->setAccessibleDescription(ui->lblMessage->caption());
}

// A few moments worth a word, never every second.
void Tavola::tellTimeRunningOut()
{
    static const std::array<std::pair<int, const char *>, 3> moments{{
        {300, "Mancano 5 minuti"},
        {60, "Manca un minuto"},
        {10, "Mancano 10 secondi"},
    }};
    for (const auto &[secondsLeft, words] : moments) {
        if (TicksLeft == secondsLeft)
            forms::announce(this, QString::fromLatin1(words));
    }
}

void Tavola::tellTimeAndCounts()
{
    forms::announce(this,
        QStringLiteral("Tempo restante ") + timeInWords(TicksLeft) + QStringLiteral(". Risposte esatte ")
            + ui->lblScore->caption() + QStringLiteral(", errate ") + ui->lblScore1->caption()
            + QStringLiteral(", totali ") + ui->lblScore2->caption());
}
