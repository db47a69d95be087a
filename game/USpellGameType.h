#pragma once
// The game board: deals the current word's letters as shuffled tiles, takes
// picks and unpicks, judges the spelled word, counts a toll gate's time down,
// scores, gives the hint, and draws itself with the completed words above the
// slot. It reports to its host through synchronous signals, so a handler may
// call straight back into the board (the host's OnGameOver handler loads the
// next toll gate before the last word's points are added).
//
// Invariants after every public call: ItemCount() == Items().size(); the
// entries of Letters() are exactly the letters of the picked tiles, entry
// PickIndex of each picked tile holding that tile's letter; a tile is in a
// shadow state exactly when it is picked.

#include "UBoardPainter.h"
#include "UBoardShake.h"
#include "UBoardSound.h"
#include "UWordInfo.h"

#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <memory>

class QPainter;

enum TSpellState : quint8 { ssNormal = 0, ssNormalMove = 1, ssShadow = 2, ssShadowMove = 3 };

struct TSpellItem
{
    int Left = 0, Top = 0;    // where the face is drawn and hit-tested
    QString Letter;           // one character
    TSpellState State = ssNormal;
    int HomeLeft = 0, HomeTop = 0;
    bool Picked = false;
    int PickIndex = -1;       // entry of Letters holding this tile's letter
};
using TSpellItems = QList<TSpellItem>;

class TSpellGameType : public QWidget
{
    Q_OBJECT
public:
    explicit TSpellGameType(QWidget *parent = nullptr);
    ~TSpellGameType() override;

    // Loads the artwork and fonts that every board shares, so that a caller
    // can do it while it waits for something else.
    static void PreloadArtwork();

    // The host's operations.
    // The sound is not owned and may be null (a silent board).
    void StartGame(const TWordInfos &words, TBoardSound *sound);
    void SetWords(const TWordInfos &words);
    void RestartGame();
    void SetLevel(int value);
    void SetTollGateWords(int value);
    void SetHasSpeech(bool value);
    void PauseGame();
    void ContinueGame();
    void ClearSpelling();
    void ShowHint();
    void StopBackMusic();
    void PlayBackMusic();

    int GetLevel() const { return m_level; }
    int GetTollGateWords() const { return m_tollGateWords; }
    int GetLevelTime() const { return m_levelTime; }
    int GetTimerTime() const { return m_timerTime; }
    int GetTollGateIndex() const { return m_tollGateIndex; }
    int GetTollGateCount() const { return m_tollGateCount; }
    int GetScore() const { return m_score; }
    bool GetHasSpeech() const { return m_hasSpeech; }

    // State for the host's display and for tests.
    const TWordInfos &Words() const { return m_words; }
    int WordIndex() const { return m_wordIndex; }
    const TSpellItems &Items() const { return m_items; }
    int ItemCount() const { return m_itemCount; }
    const QStringList &Letters() const { return m_letters; }
    bool HintUsed() const { return m_hintUsed; }
    bool TimerActive() const { return m_timer.isActive(); }

    // Geometry, all derived from the loaded bitmaps.
    int TileWidth() const { return m_tileWidth; }
    int TileHeight() const { return m_tileHeight; }
    int SlotLeft() const { return m_slotLeft; }
    int SlotTop() const { return m_slotTop; }
    int SlotWidth() const { return m_slotWidth; }
    int TileRowTop() const { return m_tileRowTop; }
    int FrameX() const;
    // Size of the current word's tiles: the bitmap's size for words that fit
    // the row, smaller for longer words so every tile stays reachable.
    QSize ItemSize() const { return m_itemSize; }

    // Where tile index (0 <= index < ItemCount()) is drawn; hit-testing and
    // painting both take the tiles' places from here.
    QRect ItemRect(int index) const;

    // Pointer input, resolved on the same geometry that painting uses.
    int ItemAt(int x, int y) const;
    void UpdateHover(int x, int y);
    void ClickAt(int x, int y);

    // The host's word on why the board takes no clicks; a click it then
    // ignores brings the cue forward for a moment.
    void SetCue(TBoardCue cue);
    TBoardCue Cue() const { return m_cue; }
    bool CueFlashing() const { return m_cueFlash.isActive(); }

    // Keyboard play, off unless the host turns it on: a typed character picks
    // the leftmost unpicked tile showing it, ignoring case, and Backspace
    // takes the last pick back. Both go through the same rules as a click.
    // With it on, the board takes the keyboard focus whenever it is enabled,
    // and no input method ever composes on it.
    void SetKeyboardPlay(bool value);
    bool KeyboardPlay() const { return m_keyboardPlay; }
    // True when a tile was picked. Where the word holds the character in
    // both cases, a tile matching the next letter's own case goes first, so
    // "Anna" can be typed without the shift key.
    bool PickByKey(QChar typed);
    // True when a tile was taken back.
    bool TakeBackLastPick();

    // After a wrong spelling the slot shakes for about 300 ms: its sideways
    // offset in pixels now, 0 when still. Only the slot moves; the tiles and
    // their hit areas stay put.
    int SlotShake() const { return m_shake.Offset(); }
    bool Shaking() const { return m_shake.Active(); }

    // With the veil on, a paused board covers its tiles and slot, so the
    // letters cannot be studied while the clock stands still.
    void SetPauseVeil(bool value);
    bool Veiled() const { return m_pauseVeil && m_cue == TBoardCue::Paused; }

    // One countdown second; the 1000 ms timer calls it, tests call it directly.
    void TimerTick();

    QSize sizeHint() const override { return size(); }

    // Spellings the board deals as tiles: not empty, and short enough that
    // every tile keeps a face of at least a few pixels in the tile rows. Any
    // other word (a hand-edited library may hold thousands of letters) is
    // passed over like an empty one: no tiles, no points.
    static bool IsPlayable(const QString &spelling);
    static int MaxPlayableLetters();

    // The points a word completed now earns: Level x 100, none after the
    // hint. Computed in 64 bits, so any Level from the settings file is safe;
    // ClampScore brings a sum back into the score's range.
    qint64 WordPoints() const;
    static int ClampScore(qint64 points);

    // Draws the whole board with its top-left at the painter's origin. The
    // painter's device decides the resolution: art and text are rendered at
    // its device pixels, the geometry stays in logical pixels.
    void Paint(QPainter &painter);

signals:
    void OnTollGateChange(QObject *sender);
    void OnLevelChange(QObject *sender);
    void OnTimeChange(QObject *sender);
    void OnScoreChange(QObject *sender);
    void OnGameOver(QObject *sender, bool success);
    // Every tile is picked and the text is not the word: nothing else happens
    // on the board, but a host may give feedback or note the miss.
    void OnWrongSpelling(QObject *sender);
    // A word is spelled, before the board moves on (hinted: after the hint).
    void OnWordSpelled(QObject *sender, const TWordInfo &word, bool hinted);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void DealWord(int index);
    // After a completed word: the next playable word, or the end of the list
    // (OnGameOver with success) when none is left.
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
    void UpdateTollGateIndex(int wordIndex);
    void ResetTimer();
    void ApplyLevelTime();
    // True when the pick completed the word.
    bool PickItem(int index);
    void UnpickItem(int index);
    void RemovePickedLetter(int index);
    bool IsWordSpelled() const;

    TBoardPainter m_painter;
    int m_tileWidth = 0, m_tileHeight = 0;
    int m_slotLeft = 0, m_slotTop = 0, m_slotWidth = 0;
    int m_tileRowTop = 0;
    QSize m_itemSize;

    TWordInfos m_words;
    int m_wordIndex = 0;
    QTimer m_timer;
    int m_level = 0;
    int m_levelTime = 0;
    int m_timerTime = 0;
    int m_tollGateIndex = 0;
    int m_tollGateWords = 10;
    int m_tollGateCount = 0;
    int m_score = 0;
    TSpellItems m_items;
    int m_itemCount = 0;
    QStringList m_letters;
    TBoardSound *m_sound = nullptr; // not owned
    bool m_hasSpeech = false;
    bool m_hintUsed = false;
    TBoardCue m_cue = TBoardCue::None;
    QTimer m_cueFlash;
    bool m_paintedOnce = false; // for the start-up trace
    bool m_keyboardPlay = false;
    bool m_pauseVeil = false;
    TBoardShake m_shake;
};
