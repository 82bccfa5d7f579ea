#include "forms/widgets/colors.h"
#include "gamefixture.h"
#include "scriptedrnd.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

using forms::RGB;

namespace {

// A least-common-multiple question of 6 and 4, which expects 12.
QList<float> questionExpecting12()
{
    return {0.1F, ScriptedRnd::drawing(6, 18, 2), ScriptedRnd::drawing(4, 10, 2)};
}

// Types each character as a key of its own, Latin-1 letters included.
void typeKeys(QWidget *box, const QString &text)
{
    for (const QChar character : text) {
        const Qt::Key key = character == QLatin1Char('\b') ? Qt::Key_Backspace : Qt::Key(character.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, box, key, QString(character), Qt::NoModifier);
    }
}

} // namespace

class TestAnswers : public QObject
{
    Q_OBJECT

private slots:
    void keyFilter_data();
    void keyFilter();
    void keysAsThePlatformDelivers_data();
    void keysAsThePlatformDelivers();
    void composedText_data();
    void composedText();
    void judging_data();
    void judging();
    void keyboardAlonePlays();
    void pastedValue_data();
    void pastedValue();
    void countsStopAtLargestInteger();
};

void TestAnswers::keyFilter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("digits") << "1234"
                            << "1234";
    QTest::newRow("no fifth character") << "12345"
                                        << "1234";
    QTest::newRow("letters, space, plus and point refused") << "a1 +.b2"
                                                            << "12";
    QTest::newRow("minus anywhere and twice") << "5-3-"
                                              << "5-3-";
    QTest::newRow("comma and other signs refused") << "1,2*/"
                                                   << "12";
    QTest::newRow("accented letter refused") << "è7"
                                             << "7";
    QTest::newRow("backspace let through") << "12\b3"
                                           << "13";
}

void TestAnswers::keyFilter()
{
    QFETCH(QString, typed);
    GameFixture fixture;
    typeKeys(fixture.game.ui().txtAnswer, typed);
    QTEST(fixture.game.ui().txtAnswer->text(), "shown");
}

// One key event as a platform's Qt delivers it, with the text it attaches,
// on "12" with the cursor at its start or end.
void TestAnswers::keysAsThePlatformDelivers_data()
{
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("shownCursor");
    QTest::addColumn<int>("verdicts");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers control = Qt::ControlModifier;
    const Qt::KeyboardModifiers altGr = Qt::ControlModifier | Qt::AltModifier; // as Windows reports it
    QTest::newRow("Delete deletes forward") << 0 << int(Qt::Key_Delete) << none << "\x7f"
                                            << "2" << 0 << 0;
    QTest::newRow("Delete at the end") << 2 << int(Qt::Key_Delete) << none << "\x7f"
                                       << "12" << 2 << 0;
    QTest::newRow("Home") << 2 << int(Qt::Key_Home) << none << ""
                          << "12" << 0 << 0;
    QTest::newRow("End") << 0 << int(Qt::Key_End) << none << ""
                         << "12" << 2 << 0;
    QTest::newRow("left arrow") << 2 << int(Qt::Key_Left) << none << ""
                                << "12" << 1 << 0;
    QTest::newRow("right arrow") << 0 << int(Qt::Key_Right) << none << ""
                                 << "12" << 1 << 0;
    QTest::newRow("Alt+A refused") << 2 << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::AltModifier) << "a"
                                   << "12" << 2 << 0;
    QTest::newRow("Alt+3 typed") << 2 << int(Qt::Key_3) << Qt::KeyboardModifiers(Qt::AltModifier) << "3"
                                 << "123" << 3 << 0;
    QTest::newRow("AltGr @ on Windows") << 2 << int(Qt::Key_Ograve) << altGr << "@"
                                        << "12" << 2 << 0;
    QTest::newRow("AltGr euro on Windows, not Ctrl+E") << 2 << int(Qt::Key_E) << altGr << "€"
                                                       << "12" << 2 << 0;
    QTest::newRow("AltGr # on X11") << 2 << int(Qt::Key_NumberSign)
                                    << Qt::KeyboardModifiers(Qt::GroupSwitchModifier) << "#"
                                    << "12" << 2 << 0;
    QTest::newRow("Ctrl+Enter is 10, not judged") << 2 << int(Qt::Key_Return) << control << "\n"
                                                  << "12" << 2 << 0;
    QTest::newRow("Ctrl+Backspace is 127, discarded") << 2 << int(Qt::Key_Backspace) << control << "\x7f"
                                                      << "12" << 2 << 0;
    QTest::newRow("Ctrl+H is backspace") << 2 << int(Qt::Key_H) << control << "\b"
                                         << "1" << 1 << 0;
    QTest::newRow("Ctrl+M is Enter") << 2 << int(Qt::Key_M) << control << "\r"
                                     << "12" << 2 << 1;
    QTest::newRow("Ctrl+A does not select and delete") << 2 << int(Qt::Key_A) << control << "\x01"
                                                       << "12" << 2 << 0;
    QTest::newRow("Ctrl+V does not paste") << 2 << int(Qt::Key_V) << control << "\x16"
                                           << "12" << 2 << 0;
    // X11 gives a Control chord its plain character; Windows gives none.
    QTest::newRow("Ctrl+1 on X11") << 2 << int(Qt::Key_1) << control << "1"
                                   << "12" << 2 << 0;
    QTest::newRow("Ctrl+0 on X11") << 0 << int(Qt::Key_0) << control << "0"
                                   << "12" << 0 << 0;
    QTest::newRow("Ctrl+minus on X11") << 0 << int(Qt::Key_Minus) << control << "-"
                                       << "12" << 0 << 0;
    QTest::newRow("Ctrl+9 on X11") << 2 << int(Qt::Key_9) << control << "9"
                                   << "12" << 2 << 0;
    QTest::newRow("Ctrl+1 on Windows") << 2 << int(Qt::Key_1) << control << ""
                                       << "12" << 2 << 0;
    QTest::newRow("Ctrl+minus on Windows") << 0 << int(Qt::Key_Minus) << control << ""
                                           << "12" << 0 << 0;
    QTest::newRow("keypad digit") << 2 << int(Qt::Key_4) << Qt::KeyboardModifiers(Qt::KeypadModifier) << "4"
                                  << "124" << 3 << 0;
}

void TestAnswers::keysAsThePlatformDelivers()
{
    QFETCH(int, cursor);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    ScriptedRnd rnd(questionExpecting12());
    GameFixture fixture;
    auto &ui = fixture.game.ui();
    QGuiApplication::clipboard()->setText(QStringLiteral("34"));
    QTest::keyClicks(ui.txtAnswer, QStringLiteral("12"));
    ui.txtAnswer->setCursorPosition(cursor);

    QTest::sendKeyEvent(QTest::Press, ui.txtAnswer, Qt::Key(key), text, modifiers);
    QTest::sendKeyEvent(QTest::Release, ui.txtAnswer, Qt::Key(key), text, modifiers);

    QTEST(ui.txtAnswer->text(), "shown");
    QTEST(ui.txtAnswer->cursorPosition(), "shownCursor");
    QTEST(ui.lblScore2->caption().toInt(), "verdicts");
}

// What an input method or a dead key commits (´ then e gives é) goes
// through the filter character by character.
void TestAnswers::composedText_data()
{
    QTest::addColumn<QString>("committed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("accented letter refused") << "é"
                                             << "1";
    QTest::newRow("digit kept") << "5"
                                << "15";
    QTest::newRow("mixed, digits kept") << "5é-x6"
                                        << "15-6";
    QTest::newRow("still four characters at most") << "23456"
                                                   << "1234";
}

void TestAnswers::composedText()
{
    GameFixture fixture;
    auto &ui = fixture.game.ui();
    QTest::keyClick(ui.txtAnswer, Qt::Key_1);
    QFETCH(QString, committed);
    QInputMethodEvent event;
    event.setCommitString(committed);
    QApplication::sendEvent(ui.txtAnswer, &event);
    QTEST(ui.txtAnswer->text(), "shown");
}

void TestAnswers::judging_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("boxAfter");
    QTest::addColumn<bool>("right");
    QTest::addColumn<QString>("verdict");

    QTest::newRow("empty is 0") << ""
                                << "0" << false << "Sbagliato!! 12";
    QTest::newRow("lone minus") << "-"
                                << "-" << false << "Sbagliato!! 12";
    QTest::newRow("0-5 is 0") << "0-5"
                              << "0-5" << false << "Sbagliato!! 12";
    QTest::newRow("12-3 is 12") << "12-3"
                                << "12-3" << true << "Esatto, sei proprio in gamba!!!";
    QTest::newRow("leading zeros") << "0012"
                                   << "0012" << true << "Esatto, sei proprio in gamba!!!";
    QTest::newRow("negative") << "-12"
                              << "-12" << false << "Sbagliato!! 12";
    QTest::newRow("right") << "12"
                           << "12" << true << "Esatto, sei proprio in gamba!!!";
}

void TestAnswers::judging()
{
    QFETCH(QString, typed);
    QFETCH(bool, right);
    ScriptedRnd rnd(questionExpecting12());
    GameFixture fixture;
    auto &ui = fixture.game.ui();
    QTest::keyClicks(ui.txtAnswer, typed);
    QTest::keyClick(ui.txtAnswer, Qt::Key_Return);

    QTEST(ui.txtAnswer->text(), "boxAfter");
    QTEST(ui.lblMessage->caption(), "verdict");
    QCOMPARE(forms::foreColor(ui.lblMessage), right ? RGB(0, 255, 0) : RGB(255, 0, 0));
    QCOMPARE(ui.lblScore->caption(), right ? QStringLiteral("1") : QStringLiteral("0"));
    QCOMPARE(ui.lblScore1->caption(), right ? QStringLiteral("0") : QStringLiteral("1"));
    QCOMPARE(ui.lblScore2->caption(), QStringLiteral("1"));
    QVERIFY(ui.cmdNext->isEnabled());
    QCOMPARE(fixture.tavola->focusWidget(), ui.cmdNext);
}

// Type, Enter for the verdict, Enter for the next question.
void TestAnswers::keyboardAlonePlays()
{
    ScriptedRnd rnd(questionExpecting12());
    GameFixture fixture;
    auto &ui = fixture.game.ui();
    QTest::keyClicks(ui.txtAnswer, QStringLiteral("12"));
    QTest::keyClick(ui.txtAnswer, Qt::Key_Enter);
    QCOMPARE(ui.lblMessage->caption(), QStringLiteral("Esatto, sei proprio in gamba!!!"));

    // Enter in the box while the button is enabled asks the next question
    // instead of judging the same answer again.
    rnd.append(questionExpecting12());
    QTest::keyClick(ui.txtAnswer, Qt::Key_Return);
    QCOMPARE(ui.lblScore2->caption(), QStringLiteral("1"));
    QCOMPARE(ui.lblMessage->caption(), QString());
    QVERIFY(!ui.cmdNext->isEnabled());

    QTest::keyClicks(ui.txtAnswer, QStringLiteral("7"));
    QTest::keyClick(ui.txtAnswer, Qt::Key_Return);
    QCOMPARE(ui.lblMessage->caption(), QStringLiteral("Sbagliato!! 12"));
    QCOMPARE(ui.lblScore2->caption(), QStringLiteral("2"));

    // Enter and Space on the focused button click it.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        rnd.append(questionExpecting12());
        QTest::keyClick(ui.cmdNext, key);
        QVERIFY2(!ui.cmdNext->isEnabled(), "no new question");
        QTest::keyClick(ui.txtAnswer, Qt::Key_1);
        QTest::keyClick(ui.txtAnswer, Qt::Key_Return);
        QVERIFY(ui.cmdNext->isEnabled());
    }
}

void TestAnswers::pastedValue_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<bool>("right");

    QTest::newRow("beyond an Integer") << "9e99" << false;
    QTest::newRow("just beyond") << "4e04" << false;
    QTest::newRow("far below") << "-9e9" << false;
    QTest::newRow("fraction rounds to 12") << "12.4" << true;
    QTest::newRow("half rounds to even 12") << "12.5" << true;
    QTest::newRow("text after the number") << "12ab" << true;
    QTest::newRow("hexadecimal") << "&HC" << true;
}

// Pasting bypasses the key filter; whatever it brings must not end the game.
void TestAnswers::pastedValue()
{
    QFETCH(QString, pasted);
    QFETCH(bool, right);
    ScriptedRnd rnd(questionExpecting12());
    GameFixture fixture;
    auto &ui = fixture.game.ui();
    QGuiApplication::clipboard()->setText(pasted);
    ui.txtAnswer->paste();
    QCOMPARE(ui.txtAnswer->text(), pasted);
    QTest::keyClick(ui.txtAnswer, Qt::Key_Return);

    QCOMPARE(fixture.host.endCount, 0);
    QCOMPARE(ui.lblScore->caption(), right ? QStringLiteral("1") : QStringLiteral("0"));
    QCOMPARE(ui.lblScore2->caption(), QStringLiteral("1"));
}

void TestAnswers::countsStopAtLargestInteger()
{
    ScriptedRnd rnd(questionExpecting12());
    GameFixture fixture;
    auto &ui = fixture.game.ui();
    fixture.game.CorrectCount() = 32767;
    fixture.game.WrongCount() = 32767;
    QTest::keyClicks(ui.txtAnswer, QStringLiteral("12"));
    QTest::keyClick(ui.txtAnswer, Qt::Key_Return);
    QCOMPARE(fixture.host.endCount, 0);
    QCOMPARE(ui.lblScore->caption(), QStringLiteral("32767"));
    QCOMPARE(ui.lblScore2->caption(), QStringLiteral("32767"));
}

QTEST_MAIN(TestAnswers)
#include "tst_answers.moc"
