// Making a question: the kind, the two numbers, the expected answer.
#include "game/tavola.h"

#include "forms/runtime/random.h"
#include "forms/widgets/colors.h"
#include "module1/gcd.h"
#include "ui_tavola.h"

using namespace forms;

namespace {

// A whole number from 2 to n + 1, each equally likely.
Integer drawNumber(int n)
{
    return CInt(Int(static_cast<double>(Rnd()) * n) + 2);
}

} // namespace

void Tavola::cmdNext_Click()
{
    ui->txtAnswer->setText(QString());
    ui->lblMessage->setCaption(QString());
    Randomize();
    const Integer kind = CInt(Int(static_cast<double>(Rnd()) * 4) + 1);
    const bool leastCommonMultiple = kind <= 2;
    FirstNumber = drawNumber(leastCommonMultiple ? 18 : 20);
    SecondNumber = drawNumber(leastCommonMultiple ? 10 : 20);
    Randomize();

    ui->Text1->setText(Format(FirstNumber, QStringLiteral("#0")));
    ui->Text2->setText(Format(SecondNumber, QStringLiteral("#0")));
    // The numbers reach Gcd through the texts just written.
    FirstValue = CLng(Val(ui->Text1->text()));
    SecondValue = CLng(Val(ui->Text2->text()));
    // The product comes first: Gcd overwrites both variables.
    const Long product = CLng(Val(ui->Text2->text()) * FirstValue);
    ui->Text4->setText(CStr(IntDiv(product, Gcd(FirstValue, SecondValue))));
    if (!leastCommonMultiple)
        ui->Text5->setText(CStr(Gcd(FirstValue, SecondValue)));
    ExpectedAnswer = CInt(Val((leastCommonMultiple ? ui->Text4 : ui->Text5)->text()));

    const QString kindName
        = leastCommonMultiple ? QStringLiteral("minimo comune multiplo") : QStringLiteral("Massimo Comune Divisore");
    // Said when the focus comes to the answer box, which disabling the
    // button may already do.
    describeQuestion(kindName);
    ui->cmdNext->setEnabled(false);
    ui->Label7->setCaption(kindName);
    setForeColor(ui->Label7, leastCommonMultiple ? RGB(255, 0, 255) : RGB(255, 255, 0));
    setBackColor(centralWidget(),
        RGB(checkedInteger(FirstNumber * 20LL), checkedInteger(SecondNumber * 20LL),
            checkedInteger(FirstNumber * 50LL)));
    ui->txtAnswer->setFocus();
}

void Tavola::Form_Activate()
{
    cmdNext_Click();
}

void Tavola::Form_Resize()
{
    setWindowTitle(QStringLiteral("  Gioca con il minimo comune multiplo ed il Massimo Comune Divisore"));
}
