#pragma once
// Notes what happens to each word on the board in the word progress and the
// mistake book: a completion (after the hint or not), a time-out, and the
// first wrong fill of every tile while a word is dealt. Every recording is
// written at the rules' notification, never while painting; one that cannot
// be stored is logged once by the progress, and the game goes on.

#include "UCommonFun.h"
#include "UWordInfo.h"
#include "UWordProgress.h"

#include <QDate>
#include <QObject>

#include <functional>

class QWidget;
class TDataInterface;
class TSettings;
class TSpellRules;

class TWordRecorder : public QObject
{
    Q_OBJECT
public:
    using TClock = std::function<QDate()>;

    // game gives the game being played and score the score the player sees
    // (kept with each outcome as the book's best; the rules settle a word's
    // points before they report it);
    // window parents the one-time notice of rebuilt progress tables.
    TWordRecorder(TDataInterface &data, const TSettings &settings, std::function<const TGamePara &()> game,
                  std::function<int()> score, QWidget *window, TClock clock = &QDate::currentDate,
                  QObject *parent = nullptr);

    void Attach(TSpellRules &rules);
    TWordProgress &Progress() { return m_progress; }

private:
    void WordSpelled(const TWordInfo &word, bool hinted, int seconds);
    void WrongSpelling(const TWordInfo &word);
    void WordMissed(const TWordInfo &word);
    void Record(const TWordInfo &word, TWordOutcome outcome, bool hinted, int seconds, int score);
    void NoticeRebuilt();

    TWordProgress m_progress;
    const TSettings &m_settings;
    std::function<const TGamePara &()> m_game;
    std::function<int()> m_score;
    QWidget *m_window;
    TClock m_clock;
    bool m_wrongThisDeal = false; // since the current word was dealt
    bool m_noticeShown = false;
};
