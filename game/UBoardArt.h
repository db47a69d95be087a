#pragma once
// The board's pieces (tile faces, slot, frame) as loaded from the program's
// resources, with their own transparency, drawn at any size and density.
// Every board shares one loaded copy: the resources never change while the
// program runs.

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
// size for high-density screens and scaled tiles; both premultiplied, as
// painting wants them.
struct TBoardBitmap
{
    QImage Normal;
    QImage Double;
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
