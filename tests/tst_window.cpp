#include "forms/widgets/graphicalbutton.h"
#include "forms/widgets/label.h"
#include "announcements.h"
#include "gamefixture.h"
#include "waits.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QImageReader>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

namespace {

QWidget *control(GameFixture &fixture, const QString &name)
{
    auto *widget = fixture.tavola->findChild<QWidget *>(name);
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

QString accessibleName(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

QString accessibleDescription(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
}

// What the window last announced to screen readers, or "" before any news.
QString announced(const GameFixture &fixture)
{
    return lastAnnouncement(fixture.tavola.get());
}

void answer(GameFixture &fixture, const QString &typed)
{
    QTest::keyClicks(fixture.game.ui().txtAnswer, typed);
    QTest::keyClick(fixture.game.ui().txtAnswer, Qt::Key_Return);
}

QList<QSize> imageSizes(const QString &file)
{
    QImageReader reader(file);
    QList<QSize> sizes;
    for (int image = 0; image < reader.imageCount(); ++image) {
        reader.jumpToImage(image);
        sizes << reader.read().size();
    }
    return sizes;
}

QImage pictureImage(const QString &file)
{
    return QIcon(file).pixmap(QSize(32, 32)).toImage();
}

// The window is active, so that the keyboard reaches it as a player's would.
void activate(GameFixture &fixture)
{
    fixture.tavola->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fixture.tavola.get()));
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void controlsHaveTheirDesignFonts_data();
    void controlsHaveTheirDesignFonts();
    void autoSizedLabelsFitTheirDesignText();
    void autoSizedLabelFollowsItsCaption_data();
    void autoSizedLabelFollowsItsCaption();
    void clientAreaKeepsItsSize();
    void backgroundLiesBehindEverything();
    void command1LiesWhollyBehindCmdNext();
    void tabOrder_data();
    void tabOrder();
    void keysPressTheButtons_data();
    void keysPressTheButtons();
    void altOpensTheMenuBar();
    void picturesLoadAtTheirSizes_data();
    void picturesLoadAtTheirSizes();
    void controlsShowTheirPictures();
    void graphicalButtonShowsThePictureOfItsState_data();
    void graphicalButtonShowsThePictureOfItsState();
    void controlsHaveItalianNames_data();
    void controlsHaveItalianNames();
    void labelIsNamedByItsCaption_data();
    void labelIsNamedByItsCaption();
    void command1IsNoButtonToAScreenReader();
    void focusBringsTheQuestionAndTheVerdict();
    void questionAskedInTheAnswerBoxIsAnnounced();
    void timeRunningOutIsAnnouncedAtThreeMoments();
    void f1AnnouncesTheTimeLeftAndTheCounts_data();
    void f1AnnouncesTheTimeLeftAndTheCounts();
};

void TestWindow::init()
{
    forgetAnnouncements();
}

void TestWindow::controlsHaveTheirDesignFonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("face");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");

    QTest::newRow("client area") << "centralwidget"
                                 << "MS Sans Serif" << 8.25 << false << false;
    QTest::newRow("button") << "cmdNext"
                            << "MS Sans Serif" << 8.25 << true << false;
    QTest::newRow("player's name") << "lblnome1"
                                   << "MS Sans Serif" << 13.5 << true << false;
    QTest::newRow("verdict") << "lblMessage"
                             << "MS Sans Serif" << 24.0 << true << true;
    QTest::newRow("count") << "lblScore"
                           << "Times New Roman" << 36.0 << true << false;
    QTest::newRow("clock") << "lblconto"
                           << "Arial Black" << 18.0 << true << false;
    QTest::newRow("answer box") << "txtAnswer"
                                << "Arial" << 48.0 << true << false;
    QTest::newRow("equals sign") << "Label2"
                                 << "MS Serif" << 18.0 << false << false;
}

// Each control names its face, or where that is missing an installed
// substitute, so that the face drawn is the one named.
void TestWindow::controlsHaveTheirDesignFonts()
{
    QFETCH(QString, name);
    QFETCH(QString, face);
    GameFixture fixture;
    const QFont font = control(fixture, name)->font();
    QTEST(font.pointSizeF(), "points");
    QTEST(font.bold(), "bold");
    QTEST(font.italic(), "italic");
    const QString family = font.family();
    QVERIFY2(family == face || QFont::substitutes(face).contains(family, Qt::CaseInsensitive), qPrintable(family));
    QCOMPARE(QFontInfo(font).family().toLower(), family.toLower());
}

// Fonts of a fractional size are applied after the captions: the labels must
// have sized themselves again.
void TestWindow::autoSizedLabelsFitTheirDesignText()
{
    GameFixture fixture;
    for (const forms::Label *label : fixture.tavola->findChildren<forms::Label *>()) {
        if (label->autoSize())
            QVERIFY2(label->size() == label->sizeHint(), qPrintable(label->objectName()));
    }
}

void TestWindow::autoSizedLabelFollowsItsCaption_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    QTest::newRow("verdict past the right edge") << "lblMessage"
                                                 << "Sbagliato!! il risultato giusto era 1234";
    QTest::newRow("verdict emptied") << "lblMessage"
                                     << "";
    QTest::newRow("kind of question, right aligned") << "Label7"
                                                     << "Massimo Comune Divisore";
    QTest::newRow("player's name in a border") << "lblnome1"
                                               << "Giovanni Battista";
    QTest::newRow("count grows") << "lblScore2"
                                 << "1234";
}

void TestWindow::autoSizedLabelFollowsItsCaption()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    GameFixture fixture;
    auto *label = qobject_cast<forms::Label *>(control(fixture, name));
    const QPoint topLeft = label->pos();
    label->setCaption(QStringLiteral("0"));
    const int oneLine = label->height();

    label->setCaption(caption);

    QCOMPARE(label->pos(), topLeft);
    QCOMPARE(label->height(), oneLine);
    QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(caption) + 2 * label->frameWidth());
}

void TestWindow::clientAreaKeepsItsSize()
{
    GameFixture fixture;
    QWidget *clientArea = fixture.tavola->centralWidget();
    const QSize designed = clientArea->size();

    fixture.tavola->resize(fixture.tavola->size() + QSize(200, 100));
    QApplication::processEvents();

    QCOMPARE(clientArea->size(), designed);
    QCOMPARE(fixture.tavola->minimumSize(), fixture.tavola->maximumSize());
}

void TestWindow::backgroundLiesBehindEverything()
{
    GameFixture fixture;
    QWidget *clientArea = fixture.tavola->centralWidget();
    const QList<QWidget *> controls = clientArea->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);

    QCOMPARE(controls.first(), fixture.game.ui().Image2);
    QVERIFY(fixture.game.ui().Image2->geometry().contains(clientArea->rect()));
}

void TestWindow::command1LiesWhollyBehindCmdNext()
{
    GameFixture fixture;
    const Ui::Tavola &ui = fixture.game.ui();

    QVERIFY(ui.cmdNext->geometry().contains(ui.Command1->geometry()));
    QCOMPARE(fixture.tavola->centralWidget()->childAt(ui.Command1->geometry().center()), ui.cmdNext);
}

void TestWindow::tabOrder_data()
{
    QTest::addColumn<bool>("nextEnabled");
    QTest::addColumn<QStringList>("order");

    const QStringList rest = {"txtAnswer", "Command1", "Text1", "Text2", "cmdExit"};
    QTest::newRow("cmdNext disabled is skipped") << false << QStringList{"cmdExit"} + rest;
    QTest::newRow("cmdNext enabled") << true << QStringList{"cmdExit", "cmdNext"} + rest;
}

void TestWindow::tabOrder()
{
    QFETCH(bool, nextEnabled);
    QFETCH(QStringList, order);
    GameFixture fixture;
    activate(fixture);
    fixture.game.ui().cmdNext->setEnabled(nextEnabled);
    fixture.game.ui().cmdExit->setFocus(Qt::TabFocusReason);

    QStringList visited{QApplication::focusWidget()->objectName()};
    while (visited.size() < order.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, order);
}

void TestWindow::keysPressTheButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");

    QTest::newRow("Alt+N") << "cmdNext" << false << int(Qt::Key_N) << int(Qt::AltModifier);
    QTest::newRow("Alt+X") << "cmdExit" << false << int(Qt::Key_X) << int(Qt::AltModifier);
    QTest::newRow("Space on cmdExit") << "cmdExit" << true << int(Qt::Key_Space) << int(Qt::NoModifier);
    QTest::newRow("Enter on cmdExit") << "cmdExit" << true << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("Enter on cmdNext") << "cmdNext" << true << int(Qt::Key_Return) << int(Qt::NoModifier);
}

// The exit box is answered No, so pressing cmdExit leaves the game running.
void TestWindow::keysPressTheButtons()
{
    QFETCH(QString, name);
    QFETCH(bool, focused);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    GameFixture fixture;
    activate(fixture);
    fixture.game.ui().cmdNext->setEnabled(true);
    auto *button = qobject_cast<QPushButton *>(control(fixture, name));
    QWidget *target = focused ? static_cast<QWidget *>(button) : fixture.game.ui().txtAnswer;
    target->setFocus();
    QSignalSpy clicks(button, &QAbstractButton::clicked);

    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    // An access key clicks the way a mouse does, after showing the button down.
    QVERIFY(waitUntil([&clicks] { return clicks.count() == 1; }));
}

void TestWindow::altOpensTheMenuBar()
{
    GameFixture fixture;
    activate(fixture);
    QMenuBar *menuBar = fixture.game.ui().menubar;

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);

    QCOMPARE(menuBar->activeAction(), fixture.game.ui().infor->menuAction());
}

void TestWindow::picturesLoadAtTheirSizes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QList<QSize>>("sizes");

    const QList<QSize> icon = {QSize(32, 32), QSize(16, 16)};
    QTest::newRow("window icon") << ":/pictures/tavola.ico" << QList<QSize>{QSize(32, 32)};
    QTest::newRow("mouse pointer") << ":/pictures/pointer.png" << QList<QSize>{QSize(32, 32)};
    for (const char *name : {"next", "nextdown", "nextdisabled", "exit", "clock"})
        QTest::newRow(name) << QStringLiteral(":/pictures/%1.ico").arg(QLatin1String(name)) << icon;
    QTest::newRow("background") << ":/pictures/background.bmp" << QList<QSize>{QSize(726, 545)};
}

void TestWindow::picturesLoadAtTheirSizes()
{
    QFETCH(QString, file);
    QFETCH(QList<QSize>, sizes);
    GameFixture fixture; // registers the resources

    QCOMPARE(imageSizes(file), sizes);
}

void TestWindow::controlsShowTheirPictures()
{
    GameFixture fixture;
    const Ui::Tavola &ui = fixture.game.ui();

    QCOMPARE(ui.Image1->pixmap().size(), QSize(32, 32));
    QCOMPARE(ui.Image1->size(), QSize(32, 32));
    // The 726 x 545 bitmap, stretched to fill the control.
    QCOMPARE(ui.Image2->pixmap().size(), ui.Image2->size());
    QVERIFY(!fixture.tavola->windowIcon().isNull());
    QCOMPARE(fixture.tavola->cursor().hotSpot(), QPoint(5, 0));
    QCOMPARE(fixture.tavola->cursor().pixmap().size(), QSize(32, 32));
}

void TestWindow::graphicalButtonShowsThePictureOfItsState_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("down");
    QTest::addColumn<QString>("file");

    QTest::newRow("cmdNext up") << "cmdNext" << true << false << ":/pictures/next.ico";
    QTest::newRow("cmdNext held down") << "cmdNext" << true << true << ":/pictures/nextdown.ico";
    QTest::newRow("cmdNext disabled") << "cmdNext" << false << false << ":/pictures/nextdisabled.ico";
    QTest::newRow("cmdExit up") << "cmdExit" << true << false << ":/pictures/exit.ico";
    QTest::newRow("cmdExit held down") << "cmdExit" << true << true << ":/pictures/exit.ico";
}

void TestWindow::graphicalButtonShowsThePictureOfItsState()
{
    QFETCH(QString, name);
    QFETCH(bool, enabled);
    QFETCH(bool, down);
    QFETCH(QString, file);
    GameFixture fixture;
    auto *button = qobject_cast<forms::GraphicalButton *>(control(fixture, name));

    button->setEnabled(enabled);
    button->setDown(down);

    QCOMPARE(button->shownPicture().toImage(), pictureImage(file));
}

void TestWindow::controlsHaveItalianNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessible");

    QTest::newRow("Text1") << "Text1"
                           << "Primo numero";
    QTest::newRow("Text2") << "Text2"
                           << "Secondo numero";
    QTest::newRow("txtAnswer") << "txtAnswer"
                               << "Risposta";
    QTest::newRow("cmdNext") << "cmdNext"
                             << "Nuovo calcolo";
    QTest::newRow("cmdExit") << "cmdExit"
                             << "Esci";
    QTest::newRow("Command1") << "Command1"
                              << "spazio vuoto";
}

void TestWindow::controlsHaveItalianNames()
{
    QFETCH(QString, name);
    QFETCH(QString, accessible);
    GameFixture fixture;

    QCOMPARE(accessibleName(control(fixture, name)), accessible);
}

void TestWindow::labelIsNamedByItsCaption_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    QTest::newRow("verdict") << "lblMessage"
                             << "Esatto, sei proprio in gamba!!!";
    QTest::newRow("kind of question") << "Label7"
                                      << "Massimo Comune Divisore";
    QTest::newRow("clock") << "lblconto"
                           << "00:14:59";
}

void TestWindow::labelIsNamedByItsCaption()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    GameFixture fixture;
    auto *label = qobject_cast<forms::Label *>(control(fixture, name));

    label->setCaption(caption);

    QCOMPARE(accessibleName(label), caption);
}

// It takes the focus in its turn but does nothing: not a button to press.
void TestWindow::command1IsNoButtonToAScreenReader()
{
    GameFixture fixture;
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(fixture.game.ui().Command1);

    QCOMPARE(accessible->role(), QAccessible::StaticText);
    QVERIFY(!accessible->actionInterface()
        || !accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
}

// A screen reader reads the description of the control the focus comes to:
// the answer box brings the question as shown, Nuovo calcolo the verdict.
void TestWindow::focusBringsTheQuestionAndTheVerdict()
{
    GameFixture fixture;
    activate(fixture);
    Ui::Tavola &ui = fixture.game.ui();
    QCOMPARE(QApplication::focusWidget(), ui.txtAnswer);
    QCOMPARE(accessibleDescription(ui.txtAnswer),
        ui.Label7->caption() + " di " + ui.Text1->text() + " e " + ui.Text2->text());

    answer(fixture, QString::number(fixture.game.ExpectedAnswer() + 1));

    QCOMPARE(QApplication::focusWidget(), ui.cmdNext);
    QCOMPARE(accessibleDescription(ui.cmdNext), "Sbagliato!! " + QString::number(fixture.game.ExpectedAnswer()));
}

// Enter in the answer box after a verdict asks the next question without
// moving the focus: the question is announced instead.
void TestWindow::questionAskedInTheAnswerBoxIsAnnounced()
{
    GameFixture fixture;
    activate(fixture);
    Ui::Tavola &ui = fixture.game.ui();
    answer(fixture, QStringLiteral("0"));
    ui.txtAnswer->setFocus();

    QTest::keyClick(ui.txtAnswer, Qt::Key_Return);

    QCOMPARE(announced(fixture), ui.Label7->caption() + " di " + ui.Text1->text() + " e " + ui.Text2->text());
}

// Never every second: only at five minutes, one minute and ten seconds left.
void TestWindow::timeRunningOutIsAnnouncedAtThreeMoments()
{
    GameFixture fixture;
    QStringList heard;
    QString lastNews;
    while (fixture.game.TicksLeft() > 0) {
        fixture.game.tick();
        const QString news = announced(fixture);
        if (news != lastNews)
            heard << fixture.game.ui().lblconto->caption() + " " + news;
        lastNews = news;
    }
    QCOMPARE(
        heard, QStringList({"00:05:00 Mancano 5 minuti", "00:01:00 Manca un minuto", "00:00:10 Mancano 10 secondi"}));
}

void TestWindow::f1AnnouncesTheTimeLeftAndTheCounts_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("news");

    QTest::newRow("at the start") << 0 << QStringList()
                                  << "Tempo restante 15 minuti. Risposte esatte 0, errate 0, totali 0";
    QTest::newRow("minutes and seconds")
        << 61 << QStringList({"right", "wrong", "right"})
        << "Tempo restante 13 minuti e 59 secondi. Risposte esatte 2, errate 1, totali 3";
    QTest::newRow("one of each") << 839 << QStringList({"wrong"})
                                 << "Tempo restante un minuto e un secondo. Risposte esatte 0, errate 1, totali 1";
    QTest::newRow("seconds only") << 890 << QStringList()
                                  << "Tempo restante 10 secondi. Risposte esatte 0, errate 0, totali 0";
}

void TestWindow::f1AnnouncesTheTimeLeftAndTheCounts()
{
    QFETCH(int, ticks);
    QFETCH(QStringList, answers);
    GameFixture fixture;
    activate(fixture);
    for (const QString &kind : answers) {
        answer(fixture, QString::number(fixture.game.ExpectedAnswer() + (kind == "right" ? 0 : 1)));
        fixture.game.ui().cmdNext->click();
    }
    fixture.game.ticks(ticks);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);

    QTEST(announced(fixture), "news");
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
