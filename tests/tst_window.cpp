#include "forms/graphicalbutton.h"
#include "forms/label.h"
#include "gamefixture.h"

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
};

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
    QTRY_COMPARE(clicks.count(), 1);
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

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
