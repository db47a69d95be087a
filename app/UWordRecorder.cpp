#include "UWordRecorder.h"

#include "UMessageBox.h"
#include "USettings.h"
#include "USpellGameType.h"

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

void TWordRecorder::AttachBoard(TSpellGameType *board)
{
    m_board = board;
    connect(board, &TSpellGameType::OnWordSpelled, this,
            [this](QObject *, const TWordInfo &word, bool hinted) { WordSpelled(word, hinted); });
    connect(board, &TSpellGameType::OnWrongSpelling, this, &TWordRecorder::WrongSpelling);
    connect(board, &TSpellGameType::OnGameOver, this, [this](QObject *, bool success) { GameOver(success); });
    connect(board, &TSpellGameType::OnTollGateChange, this, &TWordRecorder::TollGateChanged);
}

void TWordRecorder::WordSpelled(const TWordInfo &word, bool hinted)
{
    const int now = m_board->GetTimerTime();
    // The board adds this word's points after the notification.
    const qint64 score = qint64(m_score()) + m_board->WordPoints();
    Record(word, TWordOutcome::Completed, hinted, now - m_timeMark, TSpellGameType::ClampScore(score));
    m_timeMark = now;
    m_wrongThisDeal = false;
}

void TWordRecorder::WrongSpelling()
{
    if (m_wrongThisDeal)
        return; // one way in per deal, however often the tiles are refilled
    const int index = m_board->WordIndex();
    if (index < 0 || index >= m_board->Words().size())
        return;
    Record(m_board->Words()[index], TWordOutcome::WrongOrder, false, 0, m_score());
    m_wrongThisDeal = true;
}

void TWordRecorder::GameOver(bool success)
{
    if (success)
        return;
    const int index = m_board->WordIndex();
    if (index >= 0 && index < m_board->Words().size() && TSpellGameType::IsPlayable(m_board->Words()[index].Spelling))
        Record(m_board->Words()[index], TWordOutcome::Missed, false, 0, m_score());
    m_wrongThisDeal = false;
}

void TWordRecorder::TollGateChanged()
{
    m_timeMark = 0;
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
