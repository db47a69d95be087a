#pragma once
// Draws a board from its state, and keeps what it drew between paints. Mouse
// moves repaint the whole board but change only hover states, so the layer
// above the tiles (the frame with its words, the slot with the spelled text)
// and the face-plus-letter image of each tile are rendered once and then
// blitted until what they show changes.

#include "UBoardArt.h"
#include "UBoardCue.h"
#include "UWordListLayout.h"

#include <QHash>
#include <QPixmap>
#include <QStringList>

class QPaintDevice;
class QPainter;
class TBoardView;

class TBoardPainter
{
public:
    const TBoardArt &Art() const { return m_art; }

    // Draws the whole board with its top-left at the painter's origin. The
    // painter's device decides the resolution: art and text are rendered at
    // its device pixels, the geometry stays in logical pixels.
    void Paint(QPainter &painter, const TBoardView &board);
    // Where the completed words are drawn on device (which gives the fonts'
    // metrics); pointer hits on the list use it too.
    TWordListLayout DoneWordsLayout(const TBoardView &board, const QPaintDevice *device) const;

private:
    TWordListArea DoneWordsArea(const TBoardView &board, const QPaintDevice *device) const;
    const QPixmap &BackLayer(const TBoardView &board, qreal dpr);
    const QPixmap &TileImage(const TBoardView &board, int index, qreal dpr);
    void DrawItemLetter(QPainter &painter, const TBoardView &board, int index) const;
    void DrawSpelling(QPainter &painter, const TBoardView &board) const;
    // The cue in place of the spelled text, or nothing; true when drawn.
    bool DrawCue(QPainter &painter, const TBoardView &board) const;
    void DrawDoneWords(QPainter &painter, const TBoardView &board) const;
    void DrawMeaningLine(QPainter &painter, const TBoardView &board, const QRect &band) const;
    void DrawSpeaker(QPainter &painter, const TBoardView &board) const;
    // Covers the slot and the tiles of a paused board.
    void DrawVeil(QPainter &painter, const TBoardView &board) const;

    struct TPaintCache
    {
        QPixmap Back;
        qreal BackDpr = 0;
        QString BackSpelling;
        int BackCue = -1; // cue and whether it is brought forward
        int BackShake = 0;
        QStringList BackRows; // spelling and meaning of each listable word, newest first
        QString BackMeaning;  // the meaning line's text; null while the line is off

        // Tiles by letter and state, for one tile size and density.
        QHash<QString, QPixmap> Tiles;
        QSize TileSize;
        qreal TileDpr = 0;
    };

    TBoardArt m_art;
    TPaintCache m_cache;
};
