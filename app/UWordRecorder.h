#pragma once
// Notes what happens to each word on the board in the word progress and the
// mistake book: a completion (after the hint or not), a time-out, and the
// first wrong fill of every tile during a deal. Every recording is written
// at the board's notification, never while painting; one that cannot be
// stored is logged once by the progress, and the game goes on.
//
// Attach it to the board before the game flow: the flow's time-out handler
// shows dialogs and may load other words, and the word that ran out of time
// must be read first.

#include "UCommonFun.h"
#include "UWordInfo.h"
#include "UWordProgress.h"

#include <QDate>
#include <QObject>

#include <functional>

class QWidget;
class TDataInterface;
class TSettings;
class TSpellGameType;

class TWordRecorder : public QObject
{
    Q_OBJECT
public:
    using TClock = std::function<QDate()>;

    // game gives the game being played and score the score the player sees
    // (kept with each outcome as the book's best);
    // window parents the one-time notice of rebuilt progress tables.
    TWordRecorder(TDataInterface &data, const TSettings &settings, std::function<const TGamePara &()> game,
                  std::function<int()> score, QWidget *window, TClock clock = &QDate::currentDate,
                  QObject *parent = nullptr);

    void AttachBoard(TSpellGameType *board);
    TWordProgress &Progress() { return m_progress; }

private:
    void WordSpelled(const TWordInfo &word, bool hinted);
    void WrongSpelling();
    void GameOver(bool success);
    void TollGateChanged();
    void Record(const TWordInfo &word, TWordOutcome outcome, bool hinted, int seconds, int score);
    void NoticeRebuilt();

    TWordProgress m_progress;
    const TSettings &m_settings;
    std::function<const TGamePara &()> m_game;
    std::function<int()> m_score;
    QWidget *m_window;
    TClock m_clock;
    TSpellGameType *m_board = nullptr;
    int m_timeMark = 0;       // countdown seconds at the end of the last word
    bool m_wrongThisDeal = false;
    bool m_noticeShown = false;
};
