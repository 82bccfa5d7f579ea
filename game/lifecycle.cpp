// Starting and ending games: load, exit, new game and the end of the time.
#include "game/tavola.h"

#include "forms/runtime/background.h"
#include "forms/widgets/fonts.h"
#include "forms/widgets/host.h"
#include "forms/widgets/spoken.h"
#include "forms/widgets/window.h"
#include "ui_tavola.h"

#include <QAction>
#include <QCursor>
#include <QDate>
#include <QFontDatabase>
#include <QLayout>
#include <QLocale>

using namespace forms;

// Resources of a static library must be registered by hand.
static void initTavolaResources()
{
    Q_INIT_RESOURCE(tavola);
}

namespace {

// The background bitmap stretched to Image2's rectangle. It is the largest
// picture of the window: made in the background, it keeps the window's start
// short, and a new game reuses it.
QImage stretchedBackground()
{
    return QImage(QStringLiteral(":/pictures/background.bmp"))
        .scaled(QSize(703, 552), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

Tavola::Tavola(QWidget *parent) : QMainWindow(parent)
{
    initTavolaResources();
    fontFamilies = inBackground([] { return QFontDatabase::families(); });
    background = inBackground(stretchedBackground);
    registerFontSubstitutes();
    setUpSpokenFocus();
    setApplicationTitle(QStringLiteral("mcm e MCD"));
    setCursor(QCursor(QPixmap(QStringLiteral(":/pictures/pointer.png")), 5, 0));
}

Tavola::~Tavola() = default;

void Tavola::Show()
{
    if (!loaded)
        Load();
    show();
}

void Tavola::Load()
{
    ui = std::make_unique<Ui::Tavola>();
    ui->setupUi(this);
    applyDesignFonts(this, fontFamilies.get());
    ui->Image2->setPixmap(QPixmap::fromImage(background.get()));
    // The controls sit at fixed places: the client area never changes size.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // Every load is followed by Resize when the window is shown, also when
    // a new game finds it at the size it had.
    setAttribute(Qt::WA_PendingResizeEvent);
    centreOnScreen(this);
    Timer1 = new forms::Timer(this);
    Timer1->setInterval(1000);
    Timer1->start();
    wireEvents();
    loaded = true;
    activatePending = true;
    Form_Load();
}

// The handler that unloads may belong to the controls going away (the menu
// item of a new game), so they are deleted only back in the event loop;
// the boxes of the next load run nested loops that leave them alone.
void Tavola::Unload()
{
    hide();
    Timer1->stop();
    Timer1->deleteLater();
    for (QAction *action : findChildren<QAction *>(Qt::FindDirectChildrenOnly))
        action->deleteLater();
    takeCentralWidget()->deleteLater();
    setMenuWidget(nullptr);
    loaded = false;
}

void Tavola::Form_Load()
{
    Timer1->stop();
    const QString name = InputBox(QStringLiteral("Come ti chiami"));
    MsgBox(QLatin1Char(' ') + name + QStringLiteral(" vediamo se sei un vero campione  "));
    ui->lblnome1->setCaption(name);
    ResetClock();
    CorrectCount = 0;
    WrongCount = 0;
    RecordDir = GetSystemDir();
    createRecordFiles();
    showRecord();
    TicksLeft = CInt(static_cast<double>(ClockSeconds) + 900);
    ui->lblconto->setCaption(clockText());
}

namespace {

// A Yes/No question with No as the default; only No keeps the game going.
bool confirmed(const QString &question, const QString &title)
{
    return MsgBox(question, vbYesNo + vbQuestion + vbDefaultButton2, title) != vbNo;
}

} // namespace

void Tavola::cmdExit_Click()
{
    if (!confirmed(QStringLiteral("Vuoi veramente lasciarmi  ?"), QStringLiteral("Uscire dal programma")))
        return;
    SaveRecordIfBeaten();
    End();
}

void Tavola::Next_Click()
{
    if (!confirmed(QStringLiteral("INIZIAMO UNA NUOVA GARA  ?"), QStringLiteral("INIZIARE NUOVA GARA")))
        return;
    SaveRecordIfBeaten();
    Unload();
    Show();
}

void Tavola::GameOver()
{
    const QString today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    MsgBox(QStringLiteral("Ciao a presto. Ore ") + CStr(TicksLeft), vbOKOnly, QStringLiteral("Data ") + today);
    // A short idle count before the record check.
    for (DelayCounter = 1; DelayCounter <= 1000; DelayCounter = static_cast<Integer>(DelayCounter + 1)) { }
    SaveRecordIfBeaten();
    End();
}
