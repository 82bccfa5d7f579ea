#pragma once

#include "forms/runtime/conversions.h"
#include "forms/runtime/timer.h"

#include <QImage>
#include <QMainWindow>
#include <QStringList>

#include <future>
#include <memory>

namespace Ui {
class Tavola;
}
class QInputMethodEvent;
class QKeyEvent;

// The game's one window. It owns all the game state: the variables below and
// the texts and captions of its controls, which are the source of truth for
// the numbers shown (the score is read back from lblScore, the record from
// lblpunti). Its controls come from ui/tavola.ui and are made anew at every
// load, so a new game starts from the design values.
class Tavola : public QMainWindow
{
    Q_OBJECT

public:
    explicit Tavola(QWidget *parent = nullptr);
    ~Tavola() override;

    // Loads the window when it is unloaded (controls, then Form_Load) and
    // shows it, which raises Resize and Activate.
    void Show();

    void cmdExit_Click();
    QString Leggifiletxt(const QString &nomefile);
    QString GetSystemDir();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    friend class TavolaTestAccess;

    // lifecycle.cpp
    void Load();
    void Unload();
    void Form_Load();
    void Next_Click();
    void GameOver();

    // events.cpp
    void wireEvents();
    bool filterTextBoxKey(QObject *box, QKeyEvent *key);
    void filterComposedText(QInputMethodEvent *event);
    forms::Integer keyPress(forms::Integer code);

    // questions.cpp
    void cmdNext_Click();
    void Form_Activate();
    void Form_Resize();

    // answers.cpp
    void txtAnswer_KeyPress(forms::Integer &KeyAscii);
    void judgeAnswer();

    // clock.cpp
    void ResetClock();
    void Timer1_Timer();
    QString clockText() const;

    // spoken.cpp
    void describeQuestion(const QString &kind);
    void describeVerdict();
    void tellTimeRunningOut();
    void tellTimeAndCounts();

    // records.cpp
    void createRecordFiles();
    QStringList recordFiles() const;
    void showRecord();
    void showNoRecord();
    void SaveRecordIfBeaten();

    std::unique_ptr<Ui::Tavola> ui;
    forms::Timer *Timer1 = nullptr;
    // Image2's picture, decoded and stretched aside while the first boxes wait.
    std::shared_future<QImage> background;
    // The installed font families. Qt reads them from the system at the first
    // text it measures; read here in the background, the list is ready sooner.
    std::shared_future<QStringList> fontFamilies;
    bool loaded = false;
    bool activatePending = false;

    forms::Integer ExpectedAnswer = 0;
    forms::Integer CorrectCount = 0;
    forms::Integer WrongCount = 0;
    forms::Integer FirstNumber = 0;
    forms::Integer SecondNumber = 0;
    forms::Long FirstValue = 0;
    forms::Long SecondValue = 0;
    forms::Integer ClockHours = 0;
    forms::Integer ClockMinutes = 0;
    forms::Single ClockSeconds = 0;
    forms::Integer TicksLeft = 0;
    QString RecordDir;
    forms::Integer DelayCounter = 0;
};
