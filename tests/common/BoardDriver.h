#pragma once
// Plays the board the way a player does: pointer events delivered to the
// widget, so the tests go through the same event handlers as a real mouse.

#include "USpellGameType.h"

#include <QApplication>
#include <QMouseEvent>

inline void SendMove(TSpellGameType &board, QPoint at)
{
    QMouseEvent event(QEvent::MouseMove, QPointF(at), board.mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&board, &event);
}

inline void SendRelease(TSpellGameType &board, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent event(QEvent::MouseButtonRelease, QPointF(at), board.mapToGlobal(QPointF(at)), button, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&board, &event);
}

inline QPoint TileCentre(const TSpellGameType &board, int index)
{
    const TSpellItem &item = board.Items()[index];
    return QPoint(item.Left + board.ItemSize().width() / 2, item.Top + board.ItemSize().height() / 2);
}

// Moves onto tile index and releases the button over it.
inline void ClickTile(TSpellGameType &board, int index)
{
    const QPoint at = TileCentre(board, index);
    SendMove(board, at);
    SendRelease(board, at);
}

// Moves onto and clicks an unpicked tile of the given letter; false when none.
inline bool ClickLetter(TSpellGameType &board, QChar letter)
{
    for (int i = 0; i < board.ItemCount(); ++i) {
        const TSpellItem &item = board.Items()[i];
        if (!item.Picked && item.Letter == QString(letter)) {
            ClickTile(board, i);
            return true;
        }
    }
    return false;
}

// Clicks, in order, an unpicked tile for each character of text; false when
// a character had no tile left.
inline bool SpellByClicks(TSpellGameType &board, const QString &text)
{
    for (QChar c : text)
        if (!ClickLetter(board, c))
            return false;
    return true;
}

// Spells the current word letter by letter; false when a letter had no tile.
inline bool SpellCurrentWord(TSpellGameType &board)
{
    return SpellByClicks(board, board.Rules().Words()[board.Rules().WordIndex()].Spelling);
}
