#pragma once
// What the board's painter reads of a board: the tiles as drawn, the geometry,
// the cue and the rules' state. The board widget implements it; the painter
// knows nothing else of the widget, so the two units do not depend on each
// other.

#include "UBoardCue.h"
#include "USpellRules.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

enum TSpellState : quint8 { ssNormal = 0, ssNormalMove = 1, ssShadow = 2, ssShadowMove = 3 };

// One tile as it is drawn and hit-tested.
struct TSpellItem
{
    int Left = 0, Top = 0;    // where the face is drawn and hit-tested
    QString Letter;           // one character
    TSpellState State = ssNormal;
    int HomeLeft = 0, HomeTop = 0;
    bool Picked = false;
    int PickIndex = -1;       // entry of the rules' Letters() holding this tile's letter
};
using TSpellItems = QList<TSpellItem>;

class TBoardView
{
public:
    virtual ~TBoardView() = default;

    virtual const TSpellRules &Rules() const = 0;
    // The tiles of the current word as drawn, in row order.
    virtual const TSpellItems &Items() const = 0;
    // The completed words listed in the frame, the newest first; the list
    // may stop short of the oldest of CompletedCount().
    virtual TWordInfos ListedWords() const = 0;
    virtual int CompletedCount() const = 0;

    virtual QSize BoardSize() const = 0;
    virtual int TileWidth() const = 0;
    virtual int TileHeight() const = 0;
    virtual int SlotLeft() const = 0;
    virtual int SlotTop() const = 0;
    virtual int SlotWidth() const = 0;
    virtual int TileRowTop() const = 0;
    virtual int FrameX() const = 0;
    virtual QSize ItemSize() const = 0;
    // Where tile index (0 <= index < Items().size()) is drawn; hit-testing
    // uses the same rectangle.
    virtual QRect ItemRect(int index) const = 0;
    // Sideways offset of the shaking slot, 0 when still.
    virtual int SlotShake() const = 0;

    // The line above the slot keeps the frame's lowest row while it is on,
    // so the listed words do not move as the game pauses and goes on. Its
    // text is the current word's phonetic and meaning, empty while nothing
    // of the word may show.
    virtual bool MeaningLineOn() const = 0;
    virtual QString MeaningLine() const = 0;
    // The say-again button beside the slot; empty when it is not shown.
    // Clicks are hit-tested on the same rectangle.
    virtual QRect SpeakerRect() const = 0;
    virtual bool SpeakerHovered() const = 0;

    virtual TBoardCue Cue() const = 0;
    virtual bool CueFlashing() const = 0;
    virtual bool Veiled() const = 0;
};
