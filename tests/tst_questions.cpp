#include "forms/runtime/conversions.h"
#include "forms/widgets/colors.h"
#include "gamefixture.h"
#include "scriptedrnd.h"

#include <QSet>
#include <QTest>

using forms::RGB;

namespace {

// The three Rnd values that draw a question of this kind and numbers.
QList<float> drawingQuestion(bool leastCommonMultiple, int first, int second)
{
    const int kind = leastCommonMultiple ? 1 : 4;
    return {ScriptedRnd::drawing(kind, 4, 1), ScriptedRnd::drawing(first, leastCommonMultiple ? 18 : 20, 2),
        ScriptedRnd::drawing(second, leastCommonMultiple ? 10 : 20, 2)};
}

} // namespace

class TestQuestions : public QObject
{
    Q_OBJECT

private slots:
    void makesQuestion_data();
    void makesQuestion();
    void nextQuestionAfterVerdict();
    void typingIntoNumbersChangesNothing();
    void captionAfterResize();
    void drawsEveryKindAndNumber();
};

void TestQuestions::makesQuestion_data()
{
    QTest::addColumn<bool>("lcm");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<QString>("text4");
    QTest::addColumn<QString>("text5");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("background");

    // Text5 keeps its design text "Text3" in a least-common-multiple question.
    QTest::newRow("lcm 6 and 4") << true << 6 << 4 << "12"
                                 << "Text3" << 12 << RGB(120, 80, 255);
    QTest::newRow("gcd 12 and 18") << false << 12 << 18 << "36"
                                   << "6" << 6 << RGB(240, 255, 255);
    QTest::newRow("gcd 3 and 7") << false << 3 << 7 << "21"
                                 << "1" << 1 << RGB(60, 140, 150);
    QTest::newRow("gcd 15 and 12") << false << 15 << 12 << "60"
                                   << "3" << 3 << RGB(255, 240, 255);
    QTest::newRow("gcd equal 7 and 7") << false << 7 << 7 << "7"
                                       << "7" << 7 << RGB(140, 140, 255);
    QTest::newRow("gcd coprime 8 and 9") << false << 8 << 9 << "72"
                                         << "1" << 1 << RGB(160, 180, 255);
    QTest::newRow("lcm multiple 12 and 4") << true << 12 << 4 << "12"
                                           << "Text3" << 12 << RGB(240, 80, 255);
    QTest::newRow("lcm largest 19 and 11") << true << 19 << 11 << "209"
                                           << "Text3" << 209 << RGB(255, 220, 255);
    QTest::newRow("gcd largest 21 and 20") << false << 21 << 20 << "420"
                                           << "1" << 1 << RGB(255, 255, 255);
    QTest::newRow("lcm smallest 2 and 2") << true << 2 << 2 << "2"
                                          << "Text3" << 2 << RGB(40, 40, 100);
}

void TestQuestions::makesQuestion()
{
    QFETCH(bool, lcm);
    QFETCH(int, first);
    QFETCH(int, second);
    ScriptedRnd rnd(drawingQuestion(lcm, first, second));
    GameFixture fixture;
    auto &ui = fixture.game.ui();

    QCOMPARE(ui.Text1->text(), QString::number(first));
    QCOMPARE(ui.Text2->text(), QString::number(second));
    QTEST(ui.Text4->text(), "text4");
    QTEST(ui.Text5->text(), "text5");
    QTEST(static_cast<int>(fixture.game.ExpectedAnswer()), "expected");
    QCOMPARE(ui.Label7->caption(),
        lcm ? QStringLiteral("minimo comune multiplo") : QStringLiteral("Massimo Comune Divisore"));
    QCOMPARE(forms::foreColor(ui.Label7), lcm ? RGB(255, 0, 255) : RGB(255, 255, 0));
    QTEST(static_cast<int>(fixture.game.backColor()), "background");
    QVERIFY(!ui.cmdNext->isEnabled());
    QCOMPARE(fixture.tavola->focusWidget(), ui.txtAnswer);
}

void TestQuestions::nextQuestionAfterVerdict()
{
    ScriptedRnd rnd(drawingQuestion(true, 6, 4));
    GameFixture fixture;
    auto &ui = fixture.game.ui();
    QTest::keyClicks(ui.txtAnswer, QStringLiteral("12"));
    QTest::keyClick(ui.txtAnswer, Qt::Key_Return);
    QVERIFY(ui.cmdNext->isEnabled());
    QVERIFY(!ui.lblMessage->caption().isEmpty());

    rnd.append(drawingQuestion(false, 12, 18));
    ui.cmdNext->click();
    QCOMPARE(ui.txtAnswer->text(), QString());
    QCOMPARE(ui.lblMessage->caption(), QString());
    QVERIFY(!ui.cmdNext->isEnabled());
    QCOMPARE(fixture.tavola->focusWidget(), ui.txtAnswer);
    QCOMPARE(ui.Text5->text(), QStringLiteral("6"));
    // The score stays as it was.
    QCOMPARE(ui.lblScore->caption(), QStringLiteral("1"));
}

void TestQuestions::typingIntoNumbersChangesNothing()
{
    ScriptedRnd rnd(drawingQuestion(true, 6, 4));
    GameFixture fixture;
    auto &ui = fixture.game.ui();
    ui.Text1->setText(QStringLiteral("9"));
    ui.Text2->setText(QStringLiteral("9"));
    QCOMPARE(static_cast<int>(fixture.game.ExpectedAnswer()), 12);
}

void TestQuestions::captionAfterResize()
{
    GameFixture fixture;
    const QString caption = QStringLiteral("  Gioca con il minimo comune multiplo ed il Massimo Comune Divisore");
    QCOMPARE(caption.size(), 67);
    QCOMPARE(fixture.tavola->windowTitle(), caption);
    const QString question = fixture.game.ui().Text1->text();
    fixture.tavola->showMinimized();
    fixture.tavola->showNormal();
    QCOMPARE(fixture.tavola->windowTitle(), caption);
    QCOMPARE(fixture.game.ui().Text1->text(), question);
}

// The real generator: each kind about half the time, every number drawn.
void TestQuestions::drawsEveryKindAndNumber()
{
    GameFixture fixture;
    auto &ui = fixture.game.ui();
    int leastCommonMultiples = 0;
    QSet<int> lcmFirsts, lcmSeconds, gcdNumbers;
    const int questions = 4000;
    for (int i = 0; i < questions; ++i) {
        ui.cmdNext->setEnabled(true);
        ui.cmdNext->click();
        const int first = ui.Text1->text().toInt();
        const int second = ui.Text2->text().toInt();
        if (ui.Label7->caption() == QLatin1String("minimo comune multiplo")) {
            ++leastCommonMultiples;
            lcmFirsts << first;
            lcmSeconds << second;
        } else {
            gcdNumbers << first << second;
        }
    }
    QVERIFY2(leastCommonMultiples > questions * 45 / 100 && leastCommonMultiples < questions * 55 / 100,
        qPrintable(QString::number(leastCommonMultiples)));
    QCOMPARE(lcmFirsts.size(), 18);
    QCOMPARE(*std::min_element(lcmFirsts.begin(), lcmFirsts.end()), 2);
    QCOMPARE(*std::max_element(lcmFirsts.begin(), lcmFirsts.end()), 19);
    QCOMPARE(lcmSeconds.size(), 10);
    QCOMPARE(*std::max_element(lcmSeconds.begin(), lcmSeconds.end()), 11);
    QCOMPARE(gcdNumbers.size(), 20);
    QCOMPARE(*std::max_element(gcdNumbers.begin(), gcdNumbers.end()), 21);
}

QTEST_MAIN(TestQuestions)
#include "tst_questions.moc"
