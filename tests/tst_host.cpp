#include "forms/runtime/runtimeerror.h"
#include "forms/widgets/boxkeys.h"
#include "forms/widgets/eventguard.h"
#include "forms/widgets/host.h"
#include "forms/widgets/toolkittexts.h"
#include "programs.h"
#include "scriptedhost.h"
#include "waits.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// Runs `look` on the modal box once it is open, from inside its own loop.
void whenBoxOpens(const std::function<void(QWidget *)> &look)
{
    QTimer::singleShot(0, [look] {
        QWidget *box = QApplication::activeModalWidget();
        QVERIFY(box);
        look(box);
    });
}

// A key held down, as the platform repeats it.
void sendRepeated(QWidget *to, QEvent::Type type, int key)
{
    QKeyEvent event(type, key, Qt::NoModifier, QString(), true);
    // Sent as the platform's events come: sendEvent would make it the program's own.
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(to, &event);
}

QAbstractButton *buttonNamed(QWidget *box, const QString &text)
{
    for (QAbstractButton *button : box->findChildren<QAbstractButton *>())
        if (button->text() == text)
            return button;
    return nullptr;
}

} // namespace

class TestHost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { forms::setApplicationTitle(QStringLiteral("mcm e MCD")); }
    void yesNoBoxIsItalianWithNoAsDefault_data();
    void yesNoBoxIsItalianWithNoAsDefault();
    void okBoxAndTimersUnderIt();
    void inputBoxCancelGivesEmpty_data();
    void inputBoxCancelGivesEmpty();
    void runtimeErrorIsShownAndEnds();
    void endUnwindsNestedHandlers();
    void endExitsAtOnceFromAnOpenBox();
    void boxesShowTextAsTyped_data();
    void boxesShowTextAsTyped();
    void toolkitTextsAreItalian();
    void boxKeysActWhenReleased_data();
    void boxKeysActWhenReleased();
    void boxWaitsForTheKeysToBeUp_data();
    void boxWaitsForTheKeysToBeUp();
};

void TestHost::yesNoBoxIsItalianWithNoAsDefault_data()
{
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<int>("answer");
    QTest::newRow("Sì") << QStringLiteral("Sì") << 6;
    QTest::newRow("No") << QStringLiteral("No") << 7;
}

void TestHost::yesNoBoxIsItalianWithNoAsDefault()
{
    QFETCH(QString, pressed);
    whenBoxOpens([pressed](QWidget *box) {
        auto *message = qobject_cast<QMessageBox *>(box);
        QVERIFY(message);
        QCOMPARE(message->windowTitle(), QStringLiteral("Uscire dal programma"));
        QCOMPARE(message->icon(), QMessageBox::Question);
        QCOMPARE(message->defaultButton()->text(), QStringLiteral("No"));
        QVERIFY(buttonNamed(box, QStringLiteral("Sì")));
        buttonNamed(box, pressed)->click();
    });
    QTEST(forms::MsgBox(QStringLiteral("Vuoi veramente lasciarmi  ?"), 292, QStringLiteral("Uscire dal programma")),
        "answer");
}

// Timers go on ticking while a box waits for the player.
void TestHost::okBoxAndTimersUnderIt()
{
    int ticks = 0;
    QTimer clock;
    clock.setInterval(5);
    QObject::connect(&clock, &QTimer::timeout, [&ticks] { ++ticks; });
    clock.start();
    whenBoxOpens([&ticks](QWidget *box) {
        QCOMPARE(box->windowTitle(), QStringLiteral("mcm e MCD"));
        QVERIFY(waitUntil([&ticks] { return ticks >= 3; }));
        buttonNamed(box, QStringLiteral("OK"))->click();
    });
    QCOMPARE(forms::MsgBox(QStringLiteral("Ciao")), 1);
}

void TestHost::inputBoxCancelGivesEmpty_data()
{
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<QString>("answer");
    QTest::newRow("OK") << QStringLiteral("OK") << QStringLiteral("Anna");
    QTest::newRow("Annulla") << QStringLiteral("Annulla") << QString();
}

void TestHost::inputBoxCancelGivesEmpty()
{
    QFETCH(QString, pressed);
    whenBoxOpens([pressed](QWidget *box) {
        QCOMPARE(box->windowTitle(), QStringLiteral("mcm e MCD"));
        box->findChild<QLineEdit *>()->setText(QStringLiteral("Anna"));
        buttonNamed(box, pressed)->click();
    });
    QTEST(forms::InputBox(QStringLiteral("Come ti chiami")), "answer");
}

void TestHost::runtimeErrorIsShownAndEnds()
{
    ScriptedHost host;
    forms::runHandler([] { throw forms::RuntimeError::overflow(); });
    QCOMPARE(host.endCount, 1);
    QCOMPARE(host.boxes.size(), 1);
    QVERIFY(host.boxes[0].prompt.contains(QStringLiteral("Overflow")));
}

// Nothing after End runs, in the handler that ended nor in the one below it.
void TestHost::endUnwindsNestedHandlers()
{
    ScriptedHost host;
    QStringList ran;
    forms::runHandler([&ran] {
        forms::runHandler([&ran] {
            ran << "inner";
            forms::End();
        });
        ran << "after inner";
    });
    QCOMPARE(ran, QStringList{"inner"});
    QCOMPARE(host.endCount, 1);
}

void TestHost::endExitsAtOnceFromAnOpenBox()
{
    if (!canStartPrograms())
        QSKIP("no other program can be started here");
    HelperProgram probe(QStringLiteral("endprobe"));
    QVERIFY(probe.waitForExit(10000, 0));
    QCOMPARE(probe.output(), QByteArray("before\n"));
}

void TestHost::boxesShowTextAsTyped_data()
{
    QTest::addColumn<bool>("input");
    QTest::newRow("message box") << false;
    QTest::newRow("input box") << true;
}

// A name like "<b>Zoë</b> & co" is shown as typed, blanks included, never
// taken for markup.
void TestHost::boxesShowTextAsTyped()
{
    QFETCH(bool, input);
    const QString prompt = QStringLiteral(" <b>Zoë</b> & co vediamo se sei un vero campione  ");
    whenBoxOpens([prompt](QWidget *box) {
        QStringList shown;
        for (const QLabel *label : box->findChildren<QLabel *>())
            if (label->textFormat() == Qt::PlainText)
                shown << label->text();
        QCOMPARE(shown, QStringList{prompt});
        box->close();
    });
    if (input)
        forms::InputBox(prompt);
    else
        forms::MsgBox(prompt);
}

// Qt's own texts are Italian whatever the system's language.
void TestHost::toolkitTextsAreItalian()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    forms::useItalianToolkitTexts();
    QLineEdit box;
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            texts << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    QCOMPARE(texts,
        (QStringList{"Annulla", "Rifai", "Taglia", "Copia", "Incolla", "Elimina", "Seleziona tutto"}));
}

void TestHost::boxKeysActWhenReleased_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("passedOn");
    for (const bool passedOn : {false, true}) {
        const char *how = passedOn ? "passed on by the screen reader's bridge" : "from the platform";
        QTest::addRow("Enter on OK, %s", how)
            << int(Qt::Key_Return) << int(forms::vbOKOnly) << int(forms::vbOK) << passedOn;
        QTest::addRow("keypad Enter on No, %s", how) << int(Qt::Key_Enter) << 292 << int(forms::vbNo) << passedOn;
        QTest::addRow("Escape is No, %s", how) << int(Qt::Key_Escape) << 292 << int(forms::vbNo) << passedOn;
    }
}

// The box closes when the key is released, so that no key is down when the
// next box opens; held down, repeating, the key does nothing more. With a
// screen reader listening, Qt passes each key on once the reader has seen it,
// posted again: no longer marked as the platform's.
void TestHost::boxKeysActWhenReleased()
{
    QFETCH(int, key);
    QFETCH(bool, passedOn);
    const auto send = [passedOn](QWidget *to, QEvent::Type type, int code, bool repeated) {
        auto *event = new QKeyEvent(type, code, Qt::NoModifier, QString(), repeated);
        if (passedOn) {
            QCoreApplication::postEvent(to, event);
            QCoreApplication::processEvents();
            return;
        }
        // Sent as the platform's events come: sendEvent would make it the program's own.
        QSpontaneKeyEvent::setSpontaneous(event);
        qApp->notify(to, event);
        delete event;
    };
    whenBoxOpens([key, send](QWidget *box) {
        QWidget *focused = box->focusWidget();
        send(focused, QEvent::KeyPress, key, false);
        for (int repeat = 0; repeat < 3; ++repeat)
            send(focused, QEvent::KeyPress, key, true);
        QTest::qWait(20);
        QVERIFY(box->isVisible());
        send(focused, QEvent::KeyRelease, key, false);
    });
    QFETCH(int, buttons);
    QTEST(forms::MsgBox(QStringLiteral("Ciao"), buttons), "answer");
}

void TestHost::boxWaitsForTheKeysToBeUp_data()
{
    QTest::addColumn<QList<int>>("repeatsAt");
    QTest::addColumn<int>("releasedAt");
    QTest::addColumn<int>("opensAfter");
    QTest::newRow("no key down") << QList<int>{} << 0 << 0;
    QTest::newRow("released") << QList<int>{} << 300 << 300;
    QTest::newRow("held, repeating, released") << QList<int>{100, 200, 300} << 400 << 400;
    // Two seconds, by a timer that may end up to 5 % early.
    QTest::newRow("release never seen") << QList<int>{} << -1 << 1900;
}

// A box asked for while a key is down (the Enter that closed the box before)
// opens once the key is up; meanwhile keys and clicks do nothing, and timers
// tick.
void TestHost::boxWaitsForTheKeysToBeUp()
{
    QFETCH(QList<int>, repeatsAt);
    QFETCH(int, releasedAt);
    QFETCH(int, opensAfter);
    QLineEdit window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    forms::waitUntilKeysAreUp(); // nothing is down yet: returns at once, watching from now on
    if (releasedAt != 0)
        QTest::keyPress(&window, Qt::Key_Return);

    for (int at : repeatsAt)
        QTimer::singleShot(at, &window, [&window] {
            sendRepeated(&window, QEvent::KeyRelease, Qt::Key_Return);
            sendRepeated(&window, QEvent::KeyPress, Qt::Key_Return);
        });
    QTimer::singleShot(50, &window, [&window] {
        QTest::keyClick(&window, Qt::Key_7);
        QTest::mouseClick(&window, Qt::LeftButton);
    });
    if (releasedAt > 0)
        QTimer::singleShot(releasedAt, &window, [&window] { QTest::keyRelease(&window, Qt::Key_Return); });
    int ticks = 0;
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, [&ticks] { ++ticks; });
    clock.start(20);

    qint64 openedAfter = -1;
    QElapsedTimer elapsed;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto *box = QApplication::activeModalWidget()) {
            openedAfter = elapsed.elapsed();
            box->close();
        }
    });
    closer.start(10);
    elapsed.start();
    forms::MsgBox(QStringLiteral("Ho registrato il tuo record"));

    QVERIFY(openedAfter >= opensAfter);
    if (opensAfter > 0) {
        QVERIFY(ticks > 0);
        QCOMPARE(window.text(), QString());
    }
}

QTEST_MAIN(TestHost)
#include "tst_host.moc"
