#pragma once
// The board's pieces (tile faces, slot, frame) as loaded from the program's
// resources, keyed to real transparency, and drawn at any size and density.
// Every board shares one loaded copy: the resources never change while the
// program runs, and keying them is not free.

#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;

enum TPiece {
    pNormal, pNormalMove, pShadow, pShadowMove,
    pSlotLeft, pSlotMiddle, pSlotRight,
    pFrameLeft, pFrameMiddle, pFrameRight,
    kPieceCount
};

// One piece at its own size and, where the resources carry one, at twice that
// size for high-density screens and scaled tiles.
struct TBoardBitmap
{
    QImage Normal;
    QImage DoubleSource;
    bool WhiteTransparent = false;

    // Keying the large copy costs more than the rest of start-up together,
    // and it serves only high-density screens and narrowed tiles: it is done
    // at the first paint that needs it.
    const QImage &Double() const;

private:
    mutable QImage m_double;
};

class TBoardArt
{
public:
    // Loads (once per program) every piece.
    TBoardArt();

    // Loads the pieces ahead of the first board, so that a caller can do it
    // while it waits for something else.
    static void Preload();

    // The piece's size in logical pixels: its small bitmap's size.
    QSize PieceSize(TPiece piece) const { return m_pieces[piece].Normal.size(); }

    // Draws a piece into a logical rectangle, from the bitmap that best
    // matches the target's density.
    void Draw(QPainter &painter, TPiece piece, const QRect &target, qreal dpr) const;

private:
    TBoardBitmap m_pieces[kPieceCount];
};

// White becomes transparent, with the smoothed outline against white turned
// into partial coverage of the art's own colour (no pale fringe).
QImage KeyOutWhite(const QImage &source);
