#pragma once
// The game around the board: the chosen book cut into toll gates, one toll
// gate loaded at a time, the board driven from the toolbar and menus, the
// score of finished toll gates carried, and the end of a book or of the time
// answered with the player's messages and the offer to record the score.
//
// It shows its state in the main window's components (title strip, toolbar
// buttons, level items), setting them from the values the rules report and
// never reading them back, and keeps "UseRecord.txt" up to date. Database
// errors propagate to the caller, which ends the user's action there.

#include "UCommonFun.h"
#include "UWordInfo.h"

#include <QObject>
#include <QSet>

#include <functional>

class QWidget;
class TBoardSound;
class TDataInterface;
class TGateReviewFlow;
class TRecentGames;
class TSettings;
class TSpellGameType;
struct TFrmSpellForm;

class TGameFlow : public QObject
{
    Q_OBJECT
public:
    // window parents the message boxes; onRecentChanged runs after each write
    // of the recent-games file.
    TGameFlow(TDataInterface &data, const TSettings &settings, TFrmSpellForm &form, const TRecentGames &recent,
              QWidget *window, std::function<void()> onRecentChanged);

    // Takes the board (not owned: the window's panel owns it) and answers its
    // rules' notifications from now on.
    void AttachBoard(TSpellGameType *board);
    TSpellGameType *Board() const { return m_spellGame; }
    // The gates' records and their review (not owned; may stay unset: no
    // records, no review).
    void SetGateReview(TGateReviewFlow *review) { m_review = review; }

    // Start-up: the saved game from the settings, its toll gate on the board,
    // paused until "开始游戏".
    void StartSavedGame(TBoardSound *sound);

    TGamePara &GamePara() { return m_gamePara; }
    const TGamePara &GamePara() const { return m_gamePara; }
    int ScoreBase() const { return m_scoreBase; }
    // The score of the running game: the finished toll gates' points plus
    // those of the toll gate on the board, as the title strip shows it.
    int Score() const;

    bool LoadTollGateWords(int index, TWordInfos &words);
    // The toll gates of the book from the catalogue's word count, or, with
    // "跳过熟词" on, from the words that are not known; the title strip
    // follows. Called again whenever the known words or the switch change.
    void CountTollGates();
    void KnownWordsChanged();
    void ChangeTollGate(int index);
    void ResetGameView();
    void ShowTollGateInfo();
    void SetButtonStates(bool start, bool reStart, bool cont, bool pause, bool level);
    void SaveGameRecord(int score);

    // The player's commands.
    // Start, pause, continue, clear and hint do nothing once the book is
    // finished and the player declined another round: the finished board
    // stays as it is, and only a new start (restart, level, book, recent
    // game) leaves that state. Clear and hint act on a running game only.
    void Start();
    void ReStart();
    void Pause();
    void Continue();
    void Clear();
    void Hint();
    void ChangeLevel(int level, const QString &caption);
    // A book chosen in the selection dialog (the level is kept).
    void ChangeBook(const TGamePara &chosen);
    // A game picked from the recent-games menu.
    void ResumeGame(const TGamePara &para);
    // A new game at a gate of the current book, waiting for "开始游戏".
    void StartAtTollGate(int index);
    // A new game in the mistake book (the level is kept).
    void OpenMistakeBook();

private:
    void SpellTimeChange(int secondsLeft);
    void SpellScoreChange(int score);
    void SpellGameOver(bool success);
    // The review's choice after a gate ended; without a review the game
    // goes on as it always did.
    // A finished gate: again with the score it began with, or the mistake
    // book; true when it chose one of those and the game has moved there.
    bool ReviewFinishedGate(int gate, int score);
    void ReviewTimedOutGate(int gate);
    void FinishBook();
    bool Running() const;
    void FitTitle();
    void ShowScore();
    void ShowTime();
    // The known words' plain spellings while "跳过熟词" is on, else none.
    QSet<QString> SkippedWords() const;

    TDataInterface &m_data;
    const TSettings &m_settings;
    TFrmSpellForm &m_form;
    const TRecentGames &m_recent;
    QWidget *m_window;
    std::function<void()> m_onRecentChanged;
    TSpellGameType *m_spellGame = nullptr;
    TGateReviewFlow *m_review = nullptr;
    TGamePara m_gamePara;
    int m_scoreBase = 0;   // points of the finished toll gates of the running game
    int m_gateScore = 0;   // the rules' score of the toll gate on the board
    int m_secondsLeft = 0; // of the toll gate's countdown
    bool m_bookFinished = false;
    bool m_skipping = false; // known words were left out of the count
};
