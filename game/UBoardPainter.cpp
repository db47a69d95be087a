#include "UBoardPainter.h"

#include "UCommonFun.h"
#include "UFontMap.h"
#include "UBoardView.h"
#include "UWordListLayout.h"

#include <QPainter>

#include <algorithm>

namespace {

QColor LetterColour(TSpellState state)
{
    switch (state) {
    case ssNormal: return QColor(0, 255, 255);
    case ssNormalMove: return QColor(179, 255, 255);
    case ssShadow: return QColor(106, 106, 106);
    case ssShadowMove: return QColor(164, 164, 164);
    }
    return Qt::black;
}

TPiece FacePiece(TSpellState state)
{
    switch (state) {
    case ssNormal: return pNormal;
    case ssNormalMove: return pNormalMove;
    case ssShadow: return pShadow;
    case ssShadowMove: return pShadowMove;
    }
    return pNormal;
}

// Room around a cached tile image, so that a letter reaching past its face is
// not cut off.
constexpr int kTileMargin = 4;

QFont BoardFont(const QString &family, qreal points)
{
    QFont font = FontByPoints(family, 1, true);
    font.setPointSizeF(points);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QPixmap TransparentPixmap(QSize logical, qreal dpr)
{
    QPixmap pixmap((QSizeF(logical) * dpr).toSize());
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// Shown: the quiet grey of a hint; brought forward after an ignored click.
const QColor kCueColour(150, 150, 150);
const QColor kCueForwardColour(60, 60, 60);
// The line that tells of earlier words left out of the list: quieter than
// the words, still readable on the frame's light blue.
const QColor kMoreWordsColour(70, 80, 100);

// The meaning line: a pale band in the frame's lowest row, dark ink on it,
// so it reads apart from the listed words above it.
const QColor kMeaningBand(255, 246, 214);
const QColor kMeaningBorder(214, 188, 120);
const QColor kMeaningInk(24, 40, 92);
// The say-again button: the slot's blue, lighter under the pointer.
const QColor kSpeakerFace(58, 96, 170);
const QColor kSpeakerHoverFace(86, 132, 214);
const QColor kSpeakerRim(190, 215, 250);

// The meaning line's key in the paint cache: null while the line is off.
QString MeaningKey(const TBoardView &board)
{
    return board.MeaningLineOn() ? board.MeaningLine() + QChar(u'|') : QString();
}

int CueKey(const TBoardView &board)
{
    return int(board.Cue()) * 2 + (board.CueFlashing() ? 1 : 0);
}

} // namespace

void TBoardPainter::Paint(QPainter &painter, const TBoardView &board)
{
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    painter.setBrush(Qt::NoBrush);
    // The layer and the tiles do not overlap, so drawing the layer first
    // gives the same picture as the tiles-slot-frame order.
    painter.drawPixmap(0, 0, BackLayer(board, dpr));
    for (int i = 0; i < board.Items().size(); ++i)
        painter.drawPixmap(board.ItemRect(i).topLeft() - QPoint(kTileMargin, kTileMargin), TileImage(board, i, dpr));
    if (!board.SpeakerRect().isEmpty())
        DrawSpeaker(painter, board);
    if (board.Veiled())
        DrawVeil(painter, board);
}

const QPixmap &TBoardPainter::BackLayer(const TBoardView &board, qreal dpr)
{
    TPaintCache &cache = m_cache;
    const QString spelling = board.Rules().Letters().join(QString());
    QStringList rows;
    for (const TWordInfo &word : board.ListedWords())
        rows << word.Spelling << word.Meaning;
    if (!cache.Back.isNull() && cache.BackDpr == dpr && cache.BackSpelling == spelling && cache.BackRows == rows
        && cache.BackCue == CueKey(board) && cache.BackShake == board.SlotShake() && cache.BackMeaning == MeaningKey(board)
        && cache.Back.deviceIndependentSize().toSize() == board.BoardSize())
        return cache.Back;

    cache.Back = TransparentPixmap(board.BoardSize(), dpr);
    cache.BackDpr = dpr;
    cache.BackSpelling = spelling;
    cache.BackRows = rows;
    cache.BackCue = CueKey(board);
    cache.BackShake = board.SlotShake();
    cache.BackMeaning = MeaningKey(board);

    QPainter painter(&cache.Back);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.save();
    painter.translate(board.SlotShake(), 0);

    const QSize slotLeft = m_art.PieceSize(pSlotLeft);
    const int slotMiddleLeft = board.SlotLeft() + slotLeft.width();
    m_art.Draw(painter, pSlotLeft, QRect(QPoint(board.SlotLeft(), board.SlotTop()), slotLeft), dpr);
    m_art.Draw(painter, pSlotMiddle, QRect(slotMiddleLeft, board.SlotTop(), board.SlotWidth(), slotLeft.height()), dpr);
    m_art.Draw(painter, pSlotRight, QRect(QPoint(slotMiddleLeft + board.SlotWidth(), board.SlotTop()), m_art.PieceSize(pSlotRight)),
               dpr);
    if (!DrawCue(painter, board))
        DrawSpelling(painter, board);
    painter.restore();

    const int frameX = board.FrameX();
    const QSize frameLeft = m_art.PieceSize(pFrameLeft);
    const QSize frameRight = m_art.PieceSize(pFrameRight);
    const int frameRightX = board.BoardSize().width() - frameRight.width() - frameX;
    const int frameMiddleLeft = frameX + frameLeft.width();
    m_art.Draw(painter, pFrameLeft, QRect(QPoint(frameX, 0), frameLeft), dpr);
    m_art.Draw(painter, pFrameMiddle,
               QRect(frameMiddleLeft, 0, frameRightX - frameMiddleLeft, m_art.PieceSize(pFrameMiddle).height()), dpr);
    m_art.Draw(painter, pFrameRight, QRect(QPoint(frameRightX, 0), frameRight), dpr);
    DrawDoneWords(painter, board);
    return cache.Back;
}

const QPixmap &TBoardPainter::TileImage(const TBoardView &board, int index, qreal dpr)
{
    TPaintCache &cache = m_cache;
    if (cache.TileSize != board.ItemSize() || cache.TileDpr != dpr) {
        cache.Tiles.clear();
        cache.TileSize = board.ItemSize();
        cache.TileDpr = dpr;
    }
    const TSpellItem &item = board.Items()[index];
    const QString key = item.Letter + QChar(u'0' + item.State);
    auto found = cache.Tiles.constFind(key);
    if (found != cache.Tiles.constEnd())
        return *found;

    QPixmap pixmap = TransparentPixmap(board.ItemSize() + QSize(2 * kTileMargin, 2 * kTileMargin), dpr);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect face = board.ItemRect(index);
    painter.translate(QPoint(kTileMargin, kTileMargin) - face.topLeft());
    m_art.Draw(painter, FacePiece(item.State), face, dpr);
    DrawItemLetter(painter, board, index);
    painter.end();
    return *cache.Tiles.insert(key, pixmap);
}

void TBoardPainter::DrawItemLetter(QPainter &painter, const TBoardView &board, int index) const
{
    const TSpellItem &item = board.Items()[index];
    // Narrowed tiles of long words carry proportionally smaller letters.
    const QFont font = BoardFont(QStringLiteral("Arial"), 32.0 * board.ItemSize().width() / std::max(1, board.TileWidth()));
    painter.setFont(font);
    const QFontMetrics metrics(font, painter.device());
    const int w = metrics.horizontalAdvance(item.Letter);
    const int h = metrics.height();
    const int x = item.HomeLeft + RoundHalfEven((board.ItemSize().width() - w) / 2.0) - 2;
    const int y = item.HomeTop + RoundHalfEven((board.ItemSize().height() - h) / 2.0) - 2;
    painter.setPen(LetterColour(item.State));
    painter.drawText(x, y + metrics.ascent(), item.Letter);
}

void TBoardPainter::DrawSpelling(QPainter &painter, const TBoardView &board) const
{
    QString text = board.Rules().Letters().join(QString());
    if (text.isEmpty())
        return;
    const QFont font = BoardFont(QStringLiteral("Arial"), 24);
    painter.setFont(font);
    const QFontMetrics metrics(font, painter.device());
    // A spelling wider than the slot shows its end, where the next pick goes.
    text = metrics.elidedText(text, Qt::ElideLeft, board.SlotWidth());
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();
    const int x = board.SlotLeft() + m_art.PieceSize(pSlotLeft).width() + RoundHalfEven((board.SlotWidth() - w) / 2.0);
    const int y = board.SlotTop() + 5 + RoundHalfEven((m_art.PieceSize(pSlotMiddle).height() - h) / 2.0);
    painter.setPen(Qt::black);
    painter.drawText(x, y + metrics.ascent(), text);
}

bool TBoardPainter::DrawCue(QPainter &painter, const TBoardView &board) const
{
    // The ready cue waits in the empty slot; the pause cue covers the spelled
    // letters only for the moment after a click.
    const bool forward = board.CueFlashing();
    const bool shown = board.Cue() == TBoardCue::Ready ? (forward || board.Rules().Letters().isEmpty()) : forward;
    const QString text = BoardCueText(board.Cue());
    if (!shown || text.isEmpty())
        return false;
    painter.setFont(BoardFont(QStringLiteral("黑体"), 13));
    painter.setPen(forward ? kCueForwardColour : kCueColour);
    const QRect slot(board.SlotLeft() + m_art.PieceSize(pSlotLeft).width(), board.SlotTop(), board.SlotWidth(),
                     m_art.PieceSize(pSlotMiddle).height());
    painter.drawText(slot, Qt::AlignCenter, text);
    return true;
}

void TBoardPainter::DrawVeil(QPainter &painter, const TBoardView &board) const
{
    // Just over the slot and the tiles, so the panel's picture around them
    // stays as it is.
    const int slotWidth = m_art.PieceSize(pSlotLeft).width() + board.SlotWidth() + m_art.PieceSize(pSlotRight).width();
    QRect veil(board.SlotLeft(), board.SlotTop(), slotWidth, m_art.PieceSize(pSlotLeft).height());
    veil |= QRect(0, board.TileRowTop(), 1, board.TileHeight()).translated(board.BoardSize().width() / 2, 0);
    for (int i = 0; i < board.Items().size(); ++i)
        veil |= board.ItemRect(i);
    veil = veil.adjusted(-kTileMargin - 6, -6, kTileMargin + 6, 6) & QRect(QPoint(0, 0), board.BoardSize());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(150, 180, 230), 2));
    painter.setBrush(QColor(40, 62, 120)); // opaque: no letter shows through
    painter.drawRoundedRect(QRectF(veil).adjusted(1, 1, -1, -1), 10, 10);
    painter.setPen(Qt::white);
    painter.setFont(BoardFont(QStringLiteral("黑体"), 20));
    // After an ignored click the way on comes forward below the veil's word.
    const bool forward = board.CueFlashing();
    const int half = veil.height() / 2;
    painter.drawText(forward ? veil.adjusted(0, 0, 0, -half) : veil, forward ? Qt::AlignHCenter | Qt::AlignBottom : Qt::AlignCenter,
                     QStringLiteral("暂停中"));
    if (forward) {
        painter.setFont(BoardFont(QStringLiteral("黑体"), 13));
        painter.drawText(veil.adjusted(4, half + 8, -4, 0), Qt::AlignHCenter | Qt::AlignTop,
                         BoardCueText(TBoardCue::Paused));
    }
    painter.restore();
}

TWordListArea TBoardPainter::DoneWordsArea(const TBoardView &board, const QPaintDevice *device) const
{
    // The row pitch follows the font's height in pixels, rounded as the
    // classic font mapper does: 14 points are 19 pixels at 96 dpi.
    const int fontHeight = RoundHalfEven(14.0 * device->logicalDpiY() / 72.0);
    TWordListArea area;
    area.Left = board.FrameX() + 20;
    area.Right = board.BoardSize().width() - m_art.PieceSize(pFrameRight).width() - board.FrameX();
    area.Top = 0;
    area.Bottom = m_art.PieceSize(pFrameMiddle).height() - 15;
    area.Pitch = fontHeight + 8;
    area.MeaningOffset = 180;
    // The meaning line takes the frame's lowest row for as long as it is on,
    // so the list does not jump when it empties on a pause.
    if (board.MeaningLineOn())
        area.Bottom -= area.Pitch;
    return area;
}

TWordListLayout TBoardPainter::DoneWordsLayout(const TBoardView &board, const QPaintDevice *device) const
{
    const QFontMetrics latinMetrics(BoardFont(QStringLiteral("Arial"), 14), device);
    const QFontMetrics cjkMetrics(BoardFont(QStringLiteral("黑体"), 14), device);
    return LayoutWordList(board.ListedWords(), board.CompletedCount(), DoneWordsArea(board, device), latinMetrics,
                          cjkMetrics);
}

void TBoardPainter::DrawDoneWords(QPainter &painter, const TBoardView &board) const
{
    const QFont latin = BoardFont(QStringLiteral("Arial"), 14);
    const QFont cjk = BoardFont(QStringLiteral("黑体"), 14);
    const QFontMetrics latinMetrics(latin, painter.device());
    const QFontMetrics cjkMetrics(cjk, painter.device());
    if (board.MeaningLineOn()) {
        const TWordListArea area = DoneWordsArea(board, painter.device());
        DrawMeaningLine(painter, board, QRect(area.Left - 8, area.Bottom + 2, area.Right - area.Left + 18, area.Pitch - 2));
    }
    const TWordListLayout layout = DoneWordsLayout(board, painter.device());

    painter.setPen(Qt::black);
    for (const TWordListRow &row : layout.Rows) {
        painter.setFont(latin);
        painter.drawText(row.SpellingRect.left(), row.SpellingRect.top() + latinMetrics.ascent(), row.Spelling);
        painter.setFont(cjk);
        painter.drawText(row.MeaningRect.left(), row.MeaningRect.top() + cjkMetrics.ascent(), row.Meaning);
    }
    if (!layout.MoreText.isEmpty()) {
        painter.setFont(cjk);
        painter.setPen(kMoreWordsColour);
        painter.drawText(layout.MoreRect.left(), layout.MoreRect.top() + cjkMetrics.ascent(), layout.MoreText);
    }
}

void TBoardPainter::DrawMeaningLine(QPainter &painter, const TBoardView &board, const QRect &band) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kMeaningBorder, 1));
    painter.setBrush(kMeaningBand);
    painter.drawRoundedRect(QRectF(band).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    const QString line = board.MeaningLine();
    if (!line.isEmpty()) {
        const QFont font = BoardFont(QStringLiteral("黑体"), 13);
        painter.setFont(font);
        const QFontMetrics metrics(font, painter.device());
        const QRect text = band.adjusted(10, 0, -10, 0);
        painter.setPen(kMeaningInk);
        painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                         metrics.elidedText(line, Qt::ElideRight, text.width()));
    }
    painter.restore();
}

void TBoardPainter::DrawSpeaker(QPainter &painter, const TBoardView &board) const
{
    const QRectF r = QRectF(board.SpeakerRect()).adjusted(1, 1, -1, -1);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kSpeakerRim, 2));
    painter.setBrush(board.SpeakerHovered() ? kSpeakerHoverFace : kSpeakerFace);
    painter.drawEllipse(r);

    // A loudspeaker with two sound waves, drawn on a 20 x 20 grid.
    const qreal u = r.width() / 20.0;
    const QPointF o = r.topLeft();
    const auto at = [&](qreal x, qreal y) { return o + QPointF(x * u, y * u); };
    QPolygonF body;
    body << at(4, 8) << at(7, 8) << at(11, 4.5) << at(11, 15.5) << at(7, 12) << at(4, 12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPolygon(body);
    painter.setPen(QPen(Qt::white, std::max<qreal>(1.2, 1.4 * u), Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (qreal radius : {2.5, 5.0}) {
        const QRectF arc(at(11 - radius, 10 - radius), QSizeF(2 * radius * u, 2 * radius * u));
        painter.drawArc(arc, -50 * 16, 100 * 16);
    }
    painter.restore();
}
