#pragma once
// The spelling game's rules for one list of words, with nothing on screen:
// the deal of each word's letters as shuffled tiles, picks and take-backs,
// the judgement of the spelled text, the score, the hint, and a toll gate's
// countdown on the clock it is given. The board widget paints this state and
// forwards the player's input; the host drives it with the operations below.
//
// Every move is settled completely before it is reported: a word's points
// are added (ScoreChanged) before WordSpelled, and both come before the next
// deal or the end of the list (TollGateOver). Signals carry the values a
// receiver needs, so no receiver reads the rules back or depends on the order
// in which it was connected. Handlers may call straight back into the rules.
//
// Invariants after every public call: the entries of Letters() are exactly
// the letters of the picked tiles, entry PickIndex of each picked tile holding
// that tile's letter.

#include "UBoardSound.h"
#include "UWordInfo.h"

#include <QList>
#include <QObject>
#include <QStringList>

class TGameClock;

struct TSpellTile
{
    QString Letter;     // one character
    bool Picked = false;
    int PickIndex = -1; // entry of Letters() holding this tile's letter; -1 when not picked
};
using TSpellTiles = QList<TSpellTile>;

class TSpellRules : public QObject
{
    Q_OBJECT
public:
    // The clock is not owned and must outlive the rules.
    explicit TSpellRules(TGameClock &clock, QObject *parent = nullptr);
    ~TSpellRules() override;

    // The host's operations. The sound is not owned and may be null (silent).
    void StartGame(const TWordInfos &words, TBoardSound *sound);
    // Replaces the list; nothing else changes until RestartGame.
    void SetWords(const TWordInfos &words);
    // First word, score 0, a full countdown running.
    void RestartGame();
    // A different level restarts the current toll gate with a full countdown
    // of the new level; the score stays.
    void SetLevel(int value);
    void SetTollGateWords(int value);
    void SetHasSpeech(bool value);
    // Listening first: with speech on, each word is said as soon as the
    // player can spell it (dealt on a running countdown, or its countdown
    // started), once per word; a fresh deal by clear or hint is no new word.
    void SetListenFirst(bool value) { m_listenFirst = value; }
    // Says the current word again, whether or not listening first is on;
    // only with speech on and while the word is being spelled.
    void SayAgain();
    void PauseGame();
    void ContinueGame();
    // A fresh deal of the current word with nothing spelled. Like the hint,
    // only while the countdown runs; otherwise nothing changes.
    void ClearSpelling();
    // Spells all but the last letter; the word then scores nothing.
    void ShowHint();
    void StopBackMusic();
    void PlayBackMusic();

    // The player's moves, on tiles 0 <= index < Tiles().size(); anything else,
    // or a move with no word to spell, is ignored.
    // Picks an unpicked tile; true when that completed the word (the tiles
    // are then those of the next word, or the list is over).
    bool Pick(int index);
    // Takes a picked tile's letter back out; the letters after it close up.
    void Unpick(int index);
    // The leftmost unpicked tile showing the typed character, ignoring case;
    // where the word holds it in both cases, a tile of the next letter's own
    // case goes first. Returns the tile picked, or -1.
    int PickByKey(QChar typed);
    // Takes the last pick back; returns its tile, or -1.
    int TakeBackLastPick();

    // One second of the countdown; the clock calls it.
    void Tick();

    int GetLevel() const { return m_level; }
    int GetTollGateWords() const { return m_tollGateWords; }
    int GetLevelTime() const { return m_levelTime; }
    int GetTimerTime() const { return m_timerTime; }
    int GetTollGateIndex() const { return m_tollGateIndex; }
    int GetTollGateCount() const { return m_tollGateCount; }
    int GetScore() const { return m_score; }
    bool GetHasSpeech() const { return m_hasSpeech; }
    bool GetListenFirst() const { return m_listenFirst; }

    const TWordInfos &Words() const { return m_words; }
    // The current word; Words().size() once the last word is spelled, so every
    // word before it counts as done.
    int WordIndex() const { return m_wordIndex; }
    // True while there is a dealt word to spell.
    bool HasCurrentWord() const;
    const TSpellTiles &Tiles() const { return m_tiles; }
    const QStringList &Letters() const { return m_letters; }
    bool HintUsed() const { return m_hintUsed; }
    bool ClockRunning() const;
    // A dealt word on a running countdown: not waiting to start, not paused,
    // not over. Only then may anything of the word be shown or said.
    bool BeingSpelled() const { return HasCurrentWord() && ClockRunning(); }

    // Spellings that are dealt as tiles: not empty, and short enough that
    // every tile keeps a face of at least a few pixels in the tile rows. Any
    // other word (a hand-edited library may hold thousands of letters) is
    // passed over like an empty one: no tiles, no points.
    static bool IsPlayable(const QString &spelling);
    static int MaxPlayableLetters();

    // A sum of points brought back into the score's range.
    static int ClampScore(qint64 points);

signals:
    // The tiles were dealt anew (also the same word again, or no tiles).
    void TilesDealt();
    // A word became the current one and its tiles are dealt: it may be
    // spoken soon. Not raised when clear or hint deal the same word again.
    void WordDealt(const TWordInfo &word);
    // Anything the board shows has changed.
    void Changed();
    void ScoreChanged(int score);
    void TimeChanged(int secondsLeft);
    // seconds: the countdown's seconds since the word was dealt.
    void WordSpelled(const TWordInfo &word, bool hinted, int seconds);
    // Every tile is picked and the text is not the word.
    void WrongSpelling(const TWordInfo &word);
    // The countdown ran out on this word; raised just before TollGateOver.
    void WordMissed(const TWordInfo &word);
    // true: the list's last word is spelled and scored; false: the time ran out.
    void TollGateOver(bool success);

private:
    // The points a word completed now earns: Level x 100, none after the
    // hint. Computed in 64 bits, so any Level from the settings file is safe.
    qint64 WordPoints() const;
    void DealWord(int index);
    // Makes index the current word with a fresh deal and nothing spelled.
    void EnterWord(int index);
    // After a completed word: the next playable word, or the end of the list.
    void NextWord();
    // At the start of a toll gate or a list: from an unplayable current word
    // on to the next playable one. With none left it stays put and deals
    // nothing, so the toll gate plays as an empty one and only the countdown
    // can end it; nothing completes without a pick, and no toll gate leads
    // into the next from here.
    void SkipUnplayableWords();
    // The first playable word from index on; -1 when none.
    int NextPlayableWord(int index) const;
    void MoveToWord(int index);
    void ResetTimer();
    void ApplyLevelTime();
    void RemovePickedLetter(int index);
    bool IsWordSpelled() const;
    bool ValidTile(int index) const { return HasCurrentWord() && index >= 0 && index < m_tiles.size(); }
    void Play(TBoardSoundCue cue);
    // Settles later whether the current word is due to be said first.
    void QueueFirstSaying();
    void SayFirstIfDue();

    TGameClock &m_clock;
    TWordInfos m_words;
    int m_wordIndex = 0;
    int m_level = 0;
    int m_levelTime = 0;
    int m_timerTime = 0;
    int m_wordStart = 0; // m_timerTime when the current word was dealt
    int m_tollGateIndex = 0;
    int m_tollGateWords = 10;
    int m_tollGateCount = 0;
    int m_score = 0;
    TSpellTiles m_tiles;
    QStringList m_letters;
    TBoardSound *m_sound = nullptr; // not owned
    bool m_hasSpeech = false;
    bool m_hintUsed = false;
    bool m_listenFirst = false;
    bool m_firstSayingDue = false; // the current word has not had its first saying
    bool m_firstSayingQueued = false;
};
