#pragma once
// The game board widget: it paints the rules' state (the tiles of the current
// word, the spelled text in the slot, the completed words in the frame above
// it) and turns pointer and keyboard input into the rules' moves. The rules
// themselves live in TSpellRules, which the host drives through Rules() and
// whose signals it listens to.
//
// A tile's face shows whether it is picked (from the rules) and whether the
// pointer rests on it (the board's own hover state). At most one tile is
// hovered; it is the tile under the pointer at its last move over the board,
// and a deal, a pick or a take-back of that tile ends its hover.

#include "UBoardView.h"
#include "UBoardShake.h"
#include "UGameClock.h"
#include "USpellRules.h"

#include <QList>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <memory>

class QPainter;
class TBoardPainter;

class TSpellGameType : public QWidget, public TBoardView
{
    Q_OBJECT
public:
    // With no clock given the board counts real seconds; a clock given is
    // not owned and must outlive the board.
    explicit TSpellGameType(QWidget *parent = nullptr, TGameClock *clock = nullptr);
    ~TSpellGameType() override;

    // Loads the artwork and fonts that every board shares, so that a caller
    // can do it while it waits for something else.
    static void PreloadArtwork();

    TSpellRules &Rules() { return m_rules; }
    const TSpellRules &Rules() const override { return m_rules; }

    // The window's sound and speech switches and its pause guard.
    void SetHasSpeech(bool value) { m_rules.SetHasSpeech(value); }
    void StopBackMusic() { m_rules.StopBackMusic(); }
    void PlayBackMusic() { m_rules.PlayBackMusic(); }
    bool TimerActive() const { return m_rules.ClockRunning(); }

    // The tiles of the current word as drawn, in row order.
    const TSpellItems &Items() const override { return m_items; }
    int ItemCount() const { return int(m_items.size()); }

    // The completed words listed in the frame, the newest first; the list
    // may stop short of the oldest of CompletedCount().
    TWordInfos ListedWords() const override;
    int CompletedCount() const override;

    // Geometry, all derived from the loaded bitmaps.
    int TileWidth() const override { return m_tileWidth; }
    int TileHeight() const override { return m_tileHeight; }
    int SlotLeft() const override { return m_slotLeft; }
    int SlotTop() const override { return m_slotTop; }
    int SlotWidth() const override { return m_slotWidth; }
    int TileRowTop() const override { return m_tileRowTop; }
    int FrameX() const override;
    // Size of the current word's tiles: the bitmap's size for words that fit
    // the row, smaller for longer words so every tile stays reachable.
    QSize ItemSize() const override { return m_itemSize; }

    // Where tile index (0 <= index < ItemCount()) is drawn; hit-testing and
    // painting both take the tiles' places from here.
    QRect ItemRect(int index) const override;

    // Pointer input, resolved on the same geometry that painting uses.
    int ItemAt(int x, int y) const;
    void UpdateHover(int x, int y);
    void ClickAt(int x, int y);
    // The completed word listed under (x, y), -1 when none: an index into
    // ListedWords(), on the geometry the list is painted with.
    int ListedWordAt(int x, int y) const;

signals:
    // A right click (or the menu key) on a completed word in the frame, in a
    // running, paused or finished game; globalPos is where a menu goes.
    void ListedWordMenu(const TWordInfo &word, const QPoint &globalPos);

public:

    // The host's word on why the board takes no clicks; a click it then
    // ignores brings the cue forward for a moment.
    void SetCue(TBoardCue cue);
    TBoardCue Cue() const override { return m_cue; }
    bool CueFlashing() const override { return m_cueFlash.isActive(); }

    // Keyboard play, off unless the host turns it on: a typed character picks
    // a tile by the rules' PickByKey and Backspace takes the last pick back.
    // With it on, the board takes the keyboard focus whenever it is enabled,
    // and no input method ever composes on it.
    void SetKeyboardPlay(bool value);
    bool KeyboardPlay() const { return m_keyboardPlay; }

    // After a wrong spelling the slot shakes for about 300 ms: its sideways
    // offset in pixels now, 0 when still. Only the slot moves; the tiles and
    // their hit areas stay put.
    int SlotShake() const override { return m_shake.Offset(); }
    bool Shaking() const { return m_shake.Active(); }

    // Learning helps, off unless the host turns them on. The meaning line
    // shows the word being spelled's phonetic and meaning above the slot;
    // listening first says each word as it comes (the rules' SetListenFirst)
    // and shows a say-again button beside the slot while a word is spelled.
    void SetShowMeaning(bool value);
    void SetListenFirst(bool value);
    bool MeaningLineOn() const override { return m_showMeaning; }
    QString MeaningLine() const override;
    QRect SpeakerRect() const override;
    bool SpeakerHovered() const override { return m_speakerHovered; }

    // With the veil on, a paused board covers its tiles and slot, so the
    // letters cannot be studied while the clock stands still.
    void SetPauseVeil(bool value);
    bool Veiled() const override { return m_pauseVeil && m_cue == TBoardCue::Paused; }

    QSize sizeHint() const override { return size(); }
    QSize BoardSize() const override { return size(); }

    // Draws the whole board with its top-left at the painter's origin. The
    // painter's device decides the resolution: art and text are rendered at
    // its device pixels, the geometry stays in logical pixels.
    void Paint(QPainter &painter);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void PlaceTiles();
    void RulesChanged();
    void RebuildItems();

    std::unique_ptr<TBoardPainter> m_painter;
    int m_tileWidth = 0, m_tileHeight = 0;
    int m_slotLeft = 0, m_slotTop = 0, m_slotWidth = 0;
    int m_tileRowTop = 0;
    QSize m_itemSize;
    QList<QRect> m_places; // one face per tile of the current deal

    TTimerClock m_ownClock;
    TSpellRules m_rules;
    TSpellItems m_items;
    int m_hovered = -1;           // the tile under the pointer, or -1
    bool m_hoveredPicked = false; // whether it was picked when hovered

    TBoardCue m_cue = TBoardCue::None;
    QTimer m_cueFlash;
    bool m_paintedOnce = false; // for the start-up trace
    bool m_keyboardPlay = false;
    bool m_pauseVeil = false;
    bool m_showMeaning = false;
    bool m_speakerHovered = false;
    TBoardShake m_shake;
};
