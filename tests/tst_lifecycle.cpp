#include "gamefixture.h"
#include "recordfiles.h"

#include <QCloseEvent>
#include <QFile>
#include <QTest>

namespace {

const QString exitQuestion = QStringLiteral("Vuoi veramente lasciarmi  ?");
const QString newGameQuestion = QStringLiteral("INIZIAMO UNA NUOVA GARA  ?");

// Plays a right answer, so that the score beats an empty record.
void answerRight(GameFixture &fixture)
{
    auto &ui = fixture.game.ui();
    ui.txtAnswer->setText(QString::number(fixture.game.ExpectedAnswer()));
    QTest::keyClick(ui.txtAnswer, Qt::Key_Return);
}

} // namespace

class TestLifecycle : public QObject
{
    Q_OBJECT

private slots:
    void loadAsksNameAndGreets_data();
    void loadAsksNameAndGreets();
    void confirmations_data();
    void confirmations();
    void exitSavesBeatenRecordThenEnds();
    void newGameStartsAfreshAndShowsNewRecord();
    void timeRunsOutUnderBox_data();
    void timeRunsOutUnderBox();
    void closingTheWindowWritesNothing();
};

void TestLifecycle::loadAsksNameAndGreets_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("greeting");
    QTest::newRow("Anna") << QStringList{"Anna"} << " Anna vediamo se sei un vero campione  ";
    QTest::newRow("cancelled") << QStringList{} << "  vediamo se sei un vero campione  ";
    QTest::newRow("markup is a name like any") << QStringList{"<b>Zoë</b> & co"}
                                               << " <b>Zoë</b> & co vediamo se sei un vero campione  ";
}

void TestLifecycle::loadAsksNameAndGreets()
{
    QFETCH(QStringList, names);
    QList<bool> timerDuringBoxes;
    GameFixture fixture(names, QString(),
        [&](GameFixture &loading, const ScriptedHost::Box &) { timerDuringBoxes << loading.game.timer()->isActive(); });
    QCOMPARE(timerDuringBoxes, (QList<bool>{false, false}));

    const auto &boxes = fixture.host.boxes;
    QCOMPARE(boxes.size(), 2);
    QVERIFY(boxes[0].input);
    QCOMPARE(boxes[0].prompt, QStringLiteral("Come ti chiami"));
    QCOMPARE(boxes[0].title, QStringLiteral("mcm e MCD"));
    QTEST(boxes[1].prompt, "greeting");
    QCOMPARE(boxes[1].buttons, 0);
    QCOMPARE(boxes[1].title, QStringLiteral("mcm e MCD"));

    auto &ui = fixture.game.ui();
    QCOMPARE(ui.lblnome1->caption(), names.value(0));
    QCOMPARE(ui.lblnome1->textFormat(), Qt::PlainText);
    QCOMPARE(ui.lblconto->caption(), QStringLiteral("00:15:00"));
    QCOMPARE(static_cast<int>(fixture.game.TicksLeft()), 900);
    QCOMPARE(static_cast<int>(fixture.game.CorrectCount()), 0);
    QVERIFY(fixture.game.timer()->isActive());
    QVERIFY(!ui.Text1->text().isEmpty());
}

void TestLifecycle::confirmations_data()
{
    QTest::addColumn<bool>("newGame");
    QTest::newRow("exit") << false;
    QTest::newRow("new game") << true;
}

// No leaves the game as it was; the clock goes on.
void TestLifecycle::confirmations()
{
    QFETCH(bool, newGame);
    GameFixture fixture;
    auto &ui = fixture.game.ui();
    answerRight(fixture);
    const QString question = ui.Text1->text() + ui.Text2->text();
    fixture.host.boxes.clear();
    if (newGame)
        ui.Next->trigger();
    else
        ui.cmdExit->click();

    QCOMPARE(fixture.host.boxes.size(), 1);
    const ScriptedHost::Box box = fixture.host.boxes[0];
    QCOMPARE(box.prompt, newGame ? newGameQuestion : exitQuestion);
    QCOMPARE(box.title, newGame ? QStringLiteral("INIZIARE NUOVA GARA") : QStringLiteral("Uscire dal programma"));
    QCOMPARE(box.buttons, 292);
    QCOMPARE(fixture.host.endCount, 0);
    QCOMPARE(ui.lblScore->caption(), QStringLiteral("1"));
    QCOMPARE(ui.Text1->text() + ui.Text2->text(), question);
    QVERIFY(fixture.game.timer()->isActive());
    QVERIFY(QFile(fixture.recordPath("primato.txt")).size() == 0);
}

void TestLifecycle::exitSavesBeatenRecordThenEnds()
{
    GameFixture fixture;
    answerRight(fixture);
    fixture.host.boxes.clear();
    fixture.host.yesNoAnswer = forms::vbYes;
    fixture.game.ui().cmdExit->click();
    QCOMPARE(fixture.host.prompts(), (QStringList{exitQuestion, campione}));
    QCOMPARE(fixture.host.endCount, 1);
    QCOMPARE(contents(fixture.recordPath("primato.txt")), QByteArray("1\r\n"));
    QCOMPARE(contents(fixture.recordPath("nprimato.txt")), QByteArray("Anna\r\n"));
}

void TestLifecycle::newGameStartsAfreshAndShowsNewRecord()
{
    const QString caption = QStringLiteral("  Gioca con il minimo comune multiplo ed il Massimo Comune Divisore");
    GameFixture fixture({"Anna", "Bea"});
    QCOMPARE(fixture.tavola->windowTitle(), caption);
    answerRight(fixture);
    fixture.game.ticks(100);
    fixture.host.boxes.clear();
    fixture.host.yesNoAnswer = forms::vbYes;
    fixture.game.ui().Next->trigger();
    TavolaTestAccess::flushDeletes();

    QCOMPARE(fixture.host.prompts(),
        (QStringList{newGameQuestion, campione, "Come ti chiami", " Bea vediamo se sei un vero campione  "}));
    QCOMPARE(fixture.host.endCount, 0);
    auto &ui = fixture.game.ui();
    QVERIFY(fixture.tavola->isVisible());
    // The reloaded window is resized anew, though its size is the same.
    QCOMPARE(fixture.tavola->windowTitle(), caption);
    for (const forms::Label *count : {ui.lblScore, ui.lblScore1, ui.lblScore2})
        QCOMPARE(count->caption(), QStringLiteral("0"));
    QCOMPARE(static_cast<int>(fixture.game.CorrectCount()), 0);
    QCOMPARE(ui.lblconto->caption(), QStringLiteral("00:15:00"));
    QCOMPARE(ui.lblpunti->caption(), QStringLiteral("1\r\n"));
    QCOMPARE(ui.lblnome->caption(), QStringLiteral("Anna\r\n"));
    QCOMPARE(ui.lblnome1->caption(), QStringLiteral("Bea"));
    QVERIFY(!ui.Text1->text().isEmpty());
    QVERIFY(!ui.cmdNext->isEnabled());
    // The controls of the game before are gone; only one set is left.
    QCOMPARE(fixture.tavola->findChildren<QLineEdit *>("txtAnswer").size(), 1);

    // The new game plays on.
    answerRight(fixture);
    QCOMPARE(ui.lblScore->caption(), QStringLiteral("1"));
}

void TestLifecycle::timeRunsOutUnderBox_data()
{
    QTest::addColumn<bool>("newGame");
    QTest::addColumn<QString>("openBox");
    QTest::addColumn<QStringList>("shown");

    const QString farewell = QStringLiteral("Ciao a presto. Ore 0");
    QTest::newRow("exit confirmation") << false << exitQuestion << QStringList{exitQuestion, farewell, campione};
    QTest::newRow("new-game confirmation")
        << true << newGameQuestion << QStringList{newGameQuestion, farewell, campione};
    // The record is on disk already: the game over does not save it twice.
    QTest::newRow("record box") << false << campione << QStringList{exitQuestion, campione, farewell};
}

// The farewell comes on top of the open box, and the program ends without
// that box being answered.
void TestLifecycle::timeRunsOutUnderBox()
{
    QFETCH(bool, newGame);
    QFETCH(QString, openBox);
    GameFixture fixture;
    answerRight(fixture);
    fixture.host.boxes.clear();
    fixture.host.yesNoAnswer = forms::vbYes;
    fixture.host.whileOpen = [&](const ScriptedHost::Box &box) {
        if (box.prompt == openBox)
            fixture.game.ticks(901);
    };
    if (newGame)
        fixture.game.ui().Next->trigger();
    else
        fixture.game.ui().cmdExit->click();

    QTEST(fixture.host.prompts(), "shown");
    QCOMPARE(fixture.host.endCount, 1);
    QCOMPARE(contents(fixture.recordPath("primato.txt")), QByteArray("1\r\n"));
}

void TestLifecycle::closingTheWindowWritesNothing()
{
    GameFixture fixture;
    answerRight(fixture);
    fixture.host.boxes.clear();
    fixture.tavola->close();
    QCOMPARE(fixture.host.endCount, 1);
    QVERIFY(fixture.host.boxes.isEmpty());
    QCOMPARE(contents(fixture.recordPath("primato.txt")), QByteArray());
}

QTEST_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
