#include "UWordRecorder.h"

#include "UMessageBox.h"
#include "USettings.h"
#include "USpellRules.h"

#include <QTimer>

TWordRecorder::TWordRecorder(TDataInterface &data, const TSettings &settings, std::function<const TGamePara &()> game,
                             std::function<int()> score, QWidget *window, TClock clock, QObject *parent)
    : QObject(parent)
    , m_progress(data)
    , m_settings(settings)
    , m_game(std::move(game))
    , m_score(std::move(score))
    , m_window(window)
    , m_clock(std::move(clock))
{
    m_progress.Open();
    NoticeRebuilt();
}

void TWordRecorder::Attach(TSpellRules &rules)
{
    connect(&rules, &TSpellRules::WordDealt, this, [this] { m_wrongThisDeal = false; });
    connect(&rules, &TSpellRules::WordSpelled, this, &TWordRecorder::WordSpelled);
    connect(&rules, &TSpellRules::WrongSpelling, this, &TWordRecorder::WrongSpelling);
    connect(&rules, &TSpellRules::WordMissed, this, &TWordRecorder::WordMissed);
}

void TWordRecorder::WordSpelled(const TWordInfo &word, bool hinted, int seconds)
{
    Record(word, TWordOutcome::Completed, hinted, seconds, m_score());
    m_wrongThisDeal = false;
}

void TWordRecorder::WrongSpelling(const TWordInfo &word)
{
    if (m_wrongThisDeal)
        return; // one way in per deal, however often the tiles are refilled
    Record(word, TWordOutcome::WrongOrder, false, 0, m_score());
    m_wrongThisDeal = true;
}

void TWordRecorder::WordMissed(const TWordInfo &word)
{
    Record(word, TWordOutcome::Missed, false, 0, m_score());
    m_wrongThisDeal = false;
}

void TWordRecorder::Record(const TWordInfo &word, TWordOutcome outcome, bool hinted, int seconds, int score)
{
    const TGamePara &game = m_game();
    TWordEvent event;
    event.Book = game.StoreTableName;
    event.TollGate = std::max(1, game.TollGateIndex);
    event.Score = score;
    event.Word = word;
    event.Outcome = outcome;
    event.Hinted = hinted;
    event.WrongBefore = m_wrongThisDeal;
    event.Seconds = seconds;
    // A record that meets another program's lock waits for the next one; the
    // progress logs the first one it has to drop.
    m_progress.Record(event, m_clock(), m_settings.IsEncrypt());
    NoticeRebuilt();
}

void TWordRecorder::NoticeRebuilt()
{
    if (!m_progress.TakeRebuiltNotice() || m_noticeShown)
        return;
    m_noticeShown = true;
    // Not inside the board's notification: a modal box there would run the
    // countdown's ticks in the middle of a pick.
    QTimer::singleShot(0, this, [this] {
        ShowInfo(m_window, QStringLiteral("学习记录已损坏，已重新建立一份空的记录。游戏可以照常进行。"));
    });
}
