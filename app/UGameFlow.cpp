#include "UGameFlow.h"

#include "UDataInterface.h"
#include "UErrorMessages.h"
#include "UFrmInputBox.h"
#include "UFrmSpellForm.h"
#include "UGateReviewFlow.h"
#include "UGuarded.h"
#include "UKnownWords.h"
#include "UMessageBox.h"
#include "UMistakeBook.h"
#include "URecentGames.h"
#include "USettings.h"
#include "USpellGameType.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>

#include <algorithm>
#include <limits>

namespace {
constexpr int kTollGateWords = 15;
}

TGameFlow::TGameFlow(TDataInterface &data, const TSettings &settings, TFrmSpellForm &form,
                     const TRecentGames &recent, QWidget *window, std::function<void()> onRecentChanged)
    : QObject(window)
    , m_data(data)
    , m_settings(settings)
    , m_form(form)
    , m_recent(recent)
    , m_window(window)
    , m_onRecentChanged(std::move(onRecentChanged))
{
}

void TGameFlow::AttachBoard(TSpellGameType *board)
{
    m_spellGame = board;
    TSpellRules *rules = &board->Rules();
    connect(rules, &TSpellRules::TimeChanged, this, &TGameFlow::SpellTimeChange);
    connect(rules, &TSpellRules::ScoreChanged, this, &TGameFlow::SpellScoreChange);
    connect(rules, &TSpellRules::TollGateOver, this,
            [this](bool success) { Guarded(m_window, [=, this] { SpellGameOver(success); }); });
}

void TGameFlow::StartSavedGame(TBoardSound *sound)
{
    TSpellRules &rules = m_spellGame->Rules();
    m_gamePara.TollGateWords = kTollGateWords;
    rules.SetTollGateWords(kTollGateWords);
    m_settings.LoadGamePara(m_gamePara);
    CountTollGates();
    TWordInfos words;
    LoadTollGateWords(m_gamePara.TollGateIndex, words);
    rules.StartGame(words, sound);
    rules.SetLevel(m_gamePara.Level);
    rules.SetHasSpeech(true);
    rules.PauseGame();
    ResetGameView();
    m_recent.Add(m_gamePara);
    m_onRecentChanged();
}

// ---------------------------------------------------------------------------
// Toll gates and the title strip

bool TGameFlow::LoadTollGateWords(int index, TWordInfos &words)
{
    words.clear();
    // Toll gates before the first read as the first, like rows skipped by a
    // negative count; those past any possible book are simply empty.
    const int gate = std::max(1, index);
    if ((qint64(gate) - 1) * m_gamePara.TollGateWords > std::numeric_limits<int>::max())
        return true;
    try {
        // The flag is read at every load, so an edit of the settings file
        // counts from the next toll gate on.
        // The mistake book deals the words that are due first.
        // Known words never stay in the mistake book, so only the other
        // books skip them.
        if (TMistakeBook::IsMistakeTable(m_gamePara.StoreTableName))
            words = TMistakeBook(m_data).LoadTollGate(gate, m_gamePara.TollGateWords, m_settings.IsEncrypt());
        else
            words = m_data.LoadTollGate(m_gamePara.StoreTableName, gate, m_gamePara.TollGateWords, m_settings.IsEncrypt(),
                                        SkippedWords());
    } catch (const EDatabaseError &) {
        return false; // a missing book plays as an empty toll gate
    }
    return true;
}

QSet<QString> TGameFlow::SkippedWords() const
{
    if (m_settings.ReadInteger(QStringLiteral("SkipKnownWords")) != 1)
        return {};
    try {
        return TKnownWords(m_data).Spellings();
    } catch (const EDatabaseError &) {
        return {}; // an unreadable list skips nothing
    }
}

void TGameFlow::CountTollGates()
{
    const QSet<QString> skipped = SkippedWords();
    m_skipping = !skipped.isEmpty();
    int words = m_gamePara.WordCount;
    if (!skipped.isEmpty() && !TMistakeBook::IsMistakeTable(m_gamePara.StoreTableName)) {
        try {
            words = m_data.CountWordsLeft(m_gamePara.StoreTableName, m_settings.IsEncrypt(), skipped);
        } catch (const EDatabaseError &) {
        }
    }
    m_gamePara.TollGateCount = CeilDiv(m_gamePara.TollGateWords, words);
}

void TGameFlow::KnownWordsChanged()
{
    // The toll gate on the board stays as dealt; the count of those ahead
    // follows at once.
    CountTollGates();
    ShowTollGateInfo();
}

void TGameFlow::ChangeTollGate(int index)
{
    m_bookFinished = false;
    // Words marked known since the last toll gate may have taken gates away.
    CountTollGates();
    if (m_skipping && index > m_gamePara.TollGateCount && m_gamePara.TollGateCount > 0) {
        index = m_gamePara.TollGateCount;
        m_gamePara.TollGateIndex = index;
    }
    TWordInfos words;
    LoadTollGateWords(index, words);
    m_spellGame->Rules().SetWords(words);
    m_spellGame->Rules().RestartGame();
    ShowTollGateInfo();
    m_recent.Add(m_gamePara);
    m_onRecentChanged();
}

void TGameFlow::ShowTollGateInfo()
{
    m_form.labGate->setText(
        QStringLiteral("关卡：第%1关（共%2关）").arg(m_gamePara.TollGateIndex).arg(m_gamePara.TollGateCount));
    // The points of earlier toll gates still count (a level change restarts
    // only this one); wherever a new game begins the carry is 0 already.
    ShowScore();
    FitTitle();
}

void TGameFlow::FitTitle()
{
    m_form.FitTitleLabels();
    m_form.Layout(m_spellGame);
}

void TGameFlow::ResetGameView()
{
    // Every caller has just restarted the board on a toll gate: a new game.
    m_scoreBase = 0;
    m_gateScore = 0;
    ShowTollGateInfo();
    SetButtonStates(true, false, false, false, true);
    const int level = m_spellGame->Rules().GetLevel();
    m_form.CheckLevelItems(level);
    if (!LevelCaption(level).isEmpty())
        m_form.sbLevel->setText(LevelCaption(level));
    ShowTime();
    m_form.labBook->setText(m_gamePara.BookName);
    FitTitle();
}

void TGameFlow::SetButtonStates(bool start, bool reStart, bool cont, bool pause, bool level)
{
    m_form.sbStart->setEnabled(start);
    m_form.sbReStart->setEnabled(reStart);
    m_form.btnContinue->setEnabled(cont);
    m_form.btnPause->setEnabled(pause);
    m_form.sbLevel->setEnabled(level);
    // Clear and hint deal the word anew, so they belong to a running game
    // only: under the pause veil they would spend a hint on hidden tiles.
    m_form.btnClear->setEnabled(pause);
    m_form.btnDoHint->setEnabled(pause);
    // The "游戏" menu's items and their keys follow the buttons they stand for.
    m_form.startAction->setEnabled(start || cont);
    m_form.pauseAction->setEnabled(pause);
    m_form.restartAction->setEnabled(reStart);
    m_form.hintAction->setEnabled(pause);
    m_form.clearAction->setEnabled(pause);
    // Only a running game takes clicks: a paused board would let the player
    // think on a stopped clock.
    if (m_spellGame) {
        m_spellGame->setEnabled(!start && pause);
        m_spellGame->SetCue(start ? TBoardCue::Ready : cont ? TBoardCue::Paused : TBoardCue::None);
    }
}

int TGameFlow::Score() const
{
    return TSpellRules::ClampScore(qint64(m_scoreBase) + m_gateScore);
}

void TGameFlow::ShowScore()
{
    m_form.labScore->setText(QString::number(Score()));
}

void TGameFlow::ShowTime()
{
    m_form.labTime->setText(QString::number(m_secondsLeft) + QStringLiteral("秒"));
}

// ---------------------------------------------------------------------------
// The player's commands

void TGameFlow::Start()
{
    if (m_bookFinished)
        return;
    m_spellGame->Rules().ContinueGame();
    SetButtonStates(false, true, false, true, true);
}

void TGameFlow::ReStart()
{
    m_gamePara.TollGateIndex = 1;
    m_scoreBase = 0;
    ChangeTollGate(1);
    SetButtonStates(false, true, false, true, true);
}

void TGameFlow::Pause()
{
    if (m_bookFinished)
        return;
    m_spellGame->Rules().PauseGame();
    SetButtonStates(false, true, true, false, true);
}

void TGameFlow::Continue()
{
    if (m_bookFinished)
        return;
    m_spellGame->Rules().ContinueGame();
    SetButtonStates(false, true, false, true, true);
}

void TGameFlow::Clear()
{
    if (Running())
        m_spellGame->Rules().ClearSpelling();
}

void TGameFlow::Hint()
{
    if (Running())
        m_spellGame->Rules().ShowHint();
}

bool TGameFlow::Running() const
{
    // The pause button is on exactly in the running state.
    return !m_bookFinished && m_form.btnPause->isEnabled();
}

void TGameFlow::ChangeLevel(int level, const QString &caption)
{
    const bool finished = m_bookFinished;
    m_form.CheckLevelItems(level);
    m_form.sbLevel->setText(caption);
    m_spellGame->Rules().SetLevel(level);
    m_gamePara.Level = level;
    ChangeTollGate(m_gamePara.TollGateIndex);
    if (!m_form.btnPause->isEnabled())
        m_spellGame->Rules().PauseGame();
    // The finished game's score is settled: the restarted last toll gate is
    // a new game, or its points would stack onto the old total again.
    if (finished)
        ResetGameView();
}

void TGameFlow::ChangeBook(const TGamePara &chosen)
{
    CopyGamePara(chosen, m_gamePara);
    ChangeTollGate(m_gamePara.TollGateIndex);
    m_spellGame->Rules().PauseGame();
    ResetGameView();
}

void TGameFlow::ResumeGame(const TGamePara &para)
{
    const int words = m_gamePara.TollGateWords;
    m_gamePara = para;
    m_gamePara.TollGateWords = words;
    ChangeTollGate(para.TollGateIndex);
    m_spellGame->Rules().SetLevel(para.Level);
    m_spellGame->Rules().PauseGame();
    ResetGameView();
}

void TGameFlow::StartAtTollGate(int index)
{
    m_gamePara.TollGateIndex = std::clamp(index, 1, std::max(1, m_gamePara.TollGateCount));
    ChangeTollGate(m_gamePara.TollGateIndex);
    m_spellGame->Rules().PauseGame();
    ResetGameView();
}

void TGameFlow::OpenMistakeBook()
{
    TMistakeBook book(m_data);
    TGamePara para = m_gamePara;
    para.StoreTableName = TMistakeBook::TableName();
    para.BookName = TMistakeBook::Title();
    para.WordCount = book.Exists() ? book.Count() : 0;
    para.TollGateIndex = 1;
    para.TollGateCount = CeilDiv(para.TollGateWords, para.WordCount);
    ChangeBook(para);
}

// ---------------------------------------------------------------------------
// The rules' notifications

void TGameFlow::SpellTimeChange(int secondsLeft)
{
    m_secondsLeft = secondsLeft;
    ShowTime();
    FitTitle();
}

void TGameFlow::SpellScoreChange(int score)
{
    m_gateScore = score;
    ShowScore();
    FitTitle();
}

void TGameFlow::SpellGameOver(bool success)
{
    // The gate's record goes with the game as it stands, before anything
    // below moves it on.
    if (m_review)
        m_review->GateOver(success);
    // The rules have settled the last word's points before they report the
    // end, so the score here is the whole game's.
    const int score = Score();
    const int gate = m_gamePara.TollGateIndex;
    if (success && ReviewFinishedGate(gate, score))
        return;
    // Known words marked during the game may leave the gate on the board
    // past the last one.
    if (success && (m_gamePara.TollGateIndex == m_gamePara.TollGateCount
                    || (m_skipping && m_gamePara.TollGateIndex > m_gamePara.TollGateCount))) {
        if (!AskYesNo(m_window, QStringLiteral("恭喜您完成了此次游戏的所有关卡！\n得分：%1\n再玩一次吧？").arg(score))) {
            // Not playing again is no reason to lose the finished game's score.
            SaveGameRecord(score);
            FinishBook();
            return;
        }
        SaveGameRecord(score);
        m_gamePara.TollGateIndex = 1;
        m_scoreBase = 0;
        ChangeTollGate(1);
        return;
    }
    if (success) {
        m_scoreBase = score;
        ++m_gamePara.TollGateIndex;
        ChangeTollGate(m_gamePara.TollGateIndex);
        return;
    }
    ShowInfo(m_window, QStringLiteral("很遗憾，您没能完成此次游戏，再接再厉吧！\n得分：%1").arg(score));
    SaveGameRecord(score);
    m_gamePara.TollGateIndex = 1;
    m_scoreBase = 0;
    ChangeTollGate(1);
    m_spellGame->Rules().PauseGame();
    ResetGameView();
    ReviewTimedOutGate(gate);
}

bool TGameFlow::ReviewFinishedGate(int gate, int score)
{
    const std::optional<TGateReviewChoice> choice = m_review ? m_review->Review(m_gamePara, gate) : std::nullopt;
    switch (choice.value_or(TGateReviewChoice::NextGate)) {
    case TGateReviewChoice::NextGate:
        return false;
    case TGateReviewChoice::ReplayGate:
        // The carry stays what it was before this gate: the replay's points
        // take the place of this round's.
        ChangeTollGate(gate);
        return true;
    case TGateReviewChoice::MistakeBook:
        // A finished book's score is offered for the ranking as at its end.
        if (gate == m_gamePara.TollGateCount)
            SaveGameRecord(score);
        OpenMistakeBook();
        return true;
    }
    return false;
}

void TGameFlow::ReviewTimedOutGate(int gate)
{
    // The classic end has run (score told, offered for the ranking, a new
    // game at the first gate); the review may start the new game elsewhere.
    const std::optional<TGateReviewChoice> choice = m_review ? m_review->Review(m_gamePara, gate) : std::nullopt;
    if (!choice)
        return;
    switch (*choice) {
    case TGateReviewChoice::NextGate:
        if (gate < m_gamePara.TollGateCount)
            StartAtTollGate(gate + 1);
        break;
    case TGateReviewChoice::ReplayGate:
        StartAtTollGate(gate);
        break;
    case TGateReviewChoice::MistakeBook:
        OpenMistakeBook();
        break;
    }
}

void TGameFlow::FinishBook()
{
    // The board is over on its last word, which the rules no longer take
    // moves on; the countdown stays stopped, and only a new start (restart,
    // level, book, recent game) leaves this state.
    m_bookFinished = true;
    m_spellGame->Rules().PauseGame();
    SetButtonStates(false, true, false, false, true);
}

void TGameFlow::SaveGameRecord(int score)
{
    if (!AskYesNo(m_window, QStringLiteral("是否记录您的游戏成绩？")))
        return;
    TFrmInputBox input(m_window);
    input.setWindowTitle(QStringLiteral("用户名"));
    input.SetPrompt(QStringLiteral("请输入您的名字："));
    if (DialogService().ExecDialog(input) != QDialog::Accepted)
        return;
    // A score that cannot be stored (a full disk) is told here and the game
    // goes on as after a stored one: thrown on, it would end the game-over
    // step and leave the board on its finished word.
    try {
        m_data.AddGameRecord(input.Text(), score);
    } catch (const EDatabaseError &error) {
        ShowScoreNotSaved(m_window, error);
    }
}
