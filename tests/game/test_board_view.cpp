// The board on screen: its geometry, pointer input through real mouse events,
// and what a paint puts where. Pictures are probed pixel by pixel rather than
// compared with stored images, since font rendering differs between machines.

#include "BoardDriver.h"
#include "UBoardArt.h"
#include "UFontMap.h"
#include "USpellGameType.h"

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

const QColor kPanelBlue(72, 105, 176);

TWordInfo Word(const QString &spelling, const QString &meaning = QString())
{
    TWordInfo word;
    word.Spelling = spelling;
    word.Meaning = meaning;
    return word;
}

QImage PaintBoard(TSpellGameType &board, qreal dpr = 1.0)
{
    QImage image(board.size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(kPanelBlue);
    QPainter painter(&image);
    board.Paint(painter);
    return image;
}

bool IsInk(QRgb p) { return qGray(p) < 90; }

// The bounding box of dark pixels inside an area.
QRect InkBox(const QImage &image, const QRect &area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (IsInk(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

// Rows of text in an area: bands of consecutive lines that hold ink.
QList<QRect> InkBands(const QImage &image, const QRect &area)
{
    QList<QRect> bands;
    QRect band;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const QRect line = InkBox(image, QRect(area.left(), y, area.width(), 1));
        if (!line.isNull()) {
            band |= line;
        } else if (!band.isNull()) {
            bands << band;
            band = QRect();
        }
    }
    if (!band.isNull())
        bands << band;
    return bands;
}

bool HasColour(const QImage &image, const QRect &area, const QColor &colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

class BoardView : public ::testing::Test
{
protected:
    TSpellGameType board;

    void Start(const TWordInfos &words) { board.Rules().StartGame(words, nullptr); }
    QRect TileRect(int i) const { return QRect(QPoint(board.Items()[i].Left, board.Items()[i].Top), board.ItemSize()); }
    int HoveredCount() const
    {
        int n = 0;
        for (const TSpellItem &item : board.Items())
            n += item.State == ssNormalMove || item.State == ssShadowMove;
        return n;
    }
};

} // namespace

// ---------------------------------------------------------------------------
// Geometry

TEST_F(BoardView, FixedGeometryComesFromTheBitmaps)
{
    EXPECT_EQ(board.size(), QSize(600, 420));
    EXPECT_EQ(QSize(board.TileWidth(), board.TileHeight()), QSize(48, 64));
    EXPECT_EQ(board.SlotLeft(), 130);
    EXPECT_EQ(board.SlotTop(), 290);
    EXPECT_EQ(board.SlotWidth(), 300);
    EXPECT_EQ(board.TileRowTop(), 356);
    EXPECT_EQ(board.FrameX(), 25);
    EXPECT_TRUE(board.hasMouseTracking());
}

TEST_F(BoardView, WordsUpToTwelveLettersKeepTheClassicRow)
{
    for (int n = 1; n <= 12; ++n) {
        Start({Word(QString(n, QLatin1Char('q')))});
        ASSERT_EQ(board.ItemCount(), n);
        EXPECT_EQ(board.ItemSize(), QSize(48, 64)) << n;
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(board.Items()[i].Left, 300 - 25 * n + 50 * i) << n << " letters, tile " << i;
            EXPECT_EQ(board.Items()[i].Top, 356);
        }
    }
}

TEST_F(BoardView, LongWordsStayOnTheBoardWithEveryTileReachable)
{
    for (int n : {13, 14, 15, 17, 24}) {
        Start({Word(QString(n, QLatin1Char('W')))});
        ASSERT_EQ(board.ItemCount(), n);
        for (int i = 0; i < n; ++i) {
            const QRect r = TileRect(i);
            EXPECT_GE(r.left(), 0) << n;
            EXPECT_LE(r.right(), 599) << n;
            EXPECT_GE(r.top(), 356) << n;
            EXPECT_LE(r.bottom(), 419) << n;
            if (i > 0) {
                EXPECT_LT(TileRect(i - 1).right(), r.left()) << n << " letters: tile " << i << " overlaps";
            }
            EXPECT_EQ(board.ItemAt(r.center().x(), r.center().y()), i) << n;
        }
        // The letter of a narrowed tile still fits its face.
        QFont font = FontByPoints(QStringLiteral("Arial"), 32, true);
        font.setPointSizeF(32.0 * board.ItemSize().width() / 48);
        EXPECT_LE(QFontMetrics(font).horizontalAdvance(QStringLiteral("W")), board.ItemSize().width()) << n;
    }
}

// Every spelling the import takes (up to 255 letters) and somewhat more is
// dealt in rows of the tile band, each tile apart and hit by a click.
TEST_F(BoardView, LongerWordsWrapIntoRowsOfClickableTiles)
{
    ASSERT_GE(TSpellRules::MaxPlayableLetters(), 255);
    for (int n : {25, 40, 100, 150, 255, TSpellRules::MaxPlayableLetters()}) {
        QString spelling;
        for (int i = 0; i < n; ++i)
            spelling += QChar('a' + i % 26);
        Start({Word(spelling), Word(QStringLiteral("ok"))});
        ASSERT_EQ(board.ItemCount(), n);
        EXPECT_GE(board.ItemSize().width(), 8) << n;
        for (int i = 0; i < n; ++i) {
            const QRect r = TileRect(i);
            ASSERT_TRUE(QRect(0, 356, 600, 64).contains(r)) << n << " letters, tile " << i;
            for (int j = 0; j < i; ++j)
                ASSERT_FALSE(TileRect(j).intersects(r)) << n << " letters: tiles " << j << " and " << i;
            ASSERT_EQ(board.ItemAt(r.center().x(), r.center().y()), i) << n;
        }
        QFont font = FontByPoints(QStringLiteral("Arial"), 32, true);
        font.setPointSizeF(32.0 * board.ItemSize().width() / 48);
        EXPECT_LE(QFontMetrics(font).horizontalAdvance(QStringLiteral("W")), board.ItemSize().width()) << n;
        ASSERT_TRUE(SpellCurrentWord(board)) << n;
        EXPECT_EQ(board.Rules().WordIndex(), 1) << n;
    }
}

TEST_F(BoardView, ThousandsOfLettersAreNeitherDealtNorAHang)
{
    const TWordInfo huge = Word(QString(100000, QLatin1Char('m')), QStringLiteral("长"));
    Start({huge, Word(QStringLiteral("ok")), huge});
    EXPECT_EQ(board.Rules().WordIndex(), 1);
    EXPECT_EQ(board.ItemCount(), 2);
    EXPECT_EQ(board.ItemSize(), QSize(48, 64));
    PaintBoard(board);
    QSignalSpy over(&board.Rules(), &TSpellRules::TollGateOver);
    SpellCurrentWord(board);
    EXPECT_EQ(over.size(), 1) << "the word after it is passed over too";
    EXPECT_EQ(board.Rules().GetScore(), 100);
}

// ---------------------------------------------------------------------------
// Pointer input

TEST_F(BoardView, TileBordersAreOutsideTheTile)
{
    Start({Word(QStringLiteral("border"))});
    const QRect r = TileRect(2); // left 150, top 356
    const int l = r.left(), t = r.top(), w = 48, h = 64;
    const struct { int x, y, expected; } cases[] = {
        {l, t + 30, -1},         {l + w, t + 30, -1},     {l + 20, t, -1},
        {l + 20, t + h, -1},     {l + 1, t + 1, 2},       {l + w - 1, t + h - 1, 2},
        {l + w + 1, t + 30, -1}, // the gap before the next tile
    };
    for (const auto &c : cases)
        EXPECT_EQ(board.ItemAt(c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST_F(BoardView, HoverFollowsThePointerAndShowsTheHand)
{
    Start({Word(QStringLiteral("pointer"))});
    SendMove(board, TileCentre(board, 2));
    EXPECT_EQ(board.Items()[2].State, ssNormalMove);
    EXPECT_EQ(board.cursor().shape(), Qt::PointingHandCursor);

    SendMove(board, TileCentre(board, 5));
    EXPECT_EQ(board.Items()[2].State, ssNormal);
    EXPECT_EQ(board.Items()[5].State, ssNormalMove);
    EXPECT_EQ(HoveredCount(), 1);

    SendMove(board, QPoint(10, 10));
    EXPECT_EQ(HoveredCount(), 0);
    EXPECT_EQ(board.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(BoardView, AReleasePicksOnlyAHoveredTileAndNeverUnpicksItAtOnce)
{
    Start({Word(QStringLiteral("cats")), Word(QStringLiteral("dogs"))});
    const QPoint at = TileCentre(board, 1);

    SendRelease(board, at); // freshly dealt: not hovered yet
    EXPECT_FALSE(board.Items()[1].Picked);

    SendMove(board, at);
    SendRelease(board, at, Qt::RightButton); // any button picks
    EXPECT_TRUE(board.Items()[1].Picked);
    EXPECT_EQ(board.Items()[1].State, ssShadow);
    SendRelease(board, at); // the pointer has not moved: still picked
    EXPECT_TRUE(board.Items()[1].Picked);

    SendMove(board, at + QPoint(1, 0));
    EXPECT_EQ(board.Items()[1].State, ssShadowMove);
    SendRelease(board, at, Qt::MiddleButton);
    EXPECT_FALSE(board.Items()[1].Picked);
    EXPECT_TRUE(board.Rules().Letters().isEmpty());
}

TEST_F(BoardView, SeventeenLetterWordCanBeSpelledByClicks)
{
    Start({Word(QStringLiteral("indistinguishable")), Word(QStringLiteral("next"))});
    QSignalSpy scored(&board.Rules(), &TSpellRules::ScoreChanged);
    ASSERT_TRUE(SpellCurrentWord(board));
    EXPECT_EQ(scored.count(), 1);
    EXPECT_EQ(board.Rules().WordIndex(), 1);
}

namespace {

void SendKey(TSpellGameType &board, int key, const QString &text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&board, &event);
}

} // namespace

TEST_F(BoardView, KeysReachTheRulesOnlyWithKeyboardPlayAndWithoutShortcutModifiers)
{
    const struct
    {
        const char *name;
        bool keyboardPlay;
        Qt::KeyboardModifiers modifiers;
        const char *spelled;
    } cases[] = {
        {"keyboard play off", false, Qt::NoModifier, ""},
        {"Ctrl+letter belongs to the window's shortcuts", true, Qt::ControlModifier, ""},
        {"Alt+letter too", true, Qt::AltModifier, ""},
        {"plain keys", true, Qt::NoModifier, "ca"},
        {"shift only makes capitals", true, Qt::ShiftModifier, "ca"},
    };
    for (const auto &c : cases) {
        Start({Word(QStringLiteral("cat"))});
        board.SetKeyboardPlay(c.keyboardPlay);
        EXPECT_EQ(board.focusPolicy(), c.keyboardPlay ? Qt::StrongFocus : Qt::NoFocus) << c.name;
        for (QChar key : QStringLiteral("ca"))
            SendKey(board, key.toUpper().unicode(), QString(key), c.modifiers);
        EXPECT_EQ(board.Rules().Letters().join(QString()), QLatin1String(c.spelled)) << c.name;
    }
    SendKey(board, Qt::Key_Backspace, QString());
    EXPECT_EQ(board.Rules().Letters(), QStringList{"c"}) << "Backspace takes the last pick back";
    EXPECT_FALSE(board.testAttribute(Qt::WA_InputMethodEnabled)) << "an input method would swallow the letters";
}

// A tile picked or taken back by a key loses its hover as a clicked one does;
// a hover elsewhere stays.
TEST_F(BoardView, KeyedMovesEndOnlyTheHoverOfTheirOwnTile)
{
    Start({Word(QStringLiteral("cat"))});
    board.SetKeyboardPlay(true);
    int a = -1;
    for (int i = 0; i < board.ItemCount(); ++i)
        if (board.Items()[i].Letter == QLatin1String("a"))
            a = i;
    SendMove(board, TileCentre(board, a));
    SendKey(board, Qt::Key_C, QStringLiteral("c"));
    EXPECT_EQ(board.Items()[a].State, ssNormalMove);
    SendKey(board, Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(board.Items()[a].State, ssShadow);
    SendMove(board, TileCentre(board, a) + QPoint(1, 0));
    SendKey(board, Qt::Key_Backspace, QString());
    EXPECT_EQ(board.Items()[a].State, ssNormal);
}

TEST_F(BoardView, TheFrameListsEveryCompletedWordTheListsLastToo)
{
    Start({Word(QStringLiteral("ab"), QStringLiteral("甲")), Word(QStringLiteral("cd"), QStringLiteral("乙"))});
    EXPECT_TRUE(board.ListedWords().isEmpty()) << "the current word is never listed";
    ASSERT_TRUE(SpellCurrentWord(board));
    ASSERT_EQ(board.ListedWords().size(), 1);
    ASSERT_TRUE(SpellCurrentWord(board)); // the end of the list
    const TWordInfos listed = board.ListedWords();
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed[0].Spelling, QStringLiteral("cd")) << "newest first";
    EXPECT_EQ(listed[1].Meaning, QStringLiteral("甲"));
}

// ---------------------------------------------------------------------------
// Painting

TEST_F(BoardView, TilesAreDrawnWhereTheyAreHitTested)
{
    Start({Word(QStringLiteral("ink"))});
    const QImage image = PaintBoard(board);
    for (int i = 0; i < 3; ++i) {
        const QRect r = TileRect(i);
        // A face pixel away from the letter is dark, the rounded corner and
        // the gap to the next tile show what lies under the board.
        EXPECT_LT(qGray(image.pixel(r.left() + 4, r.bottom() - 4)), 40) << i;
        EXPECT_EQ(image.pixelColor(r.topLeft()), kPanelBlue) << i;
        EXPECT_EQ(image.pixelColor(r.right() + 1, r.center().y()), kPanelBlue) << i;
    }
    EXPECT_EQ(image.pixelColor(TileRect(0).left() - 3, 380), kPanelBlue);
    // Around the pieces' rounded corners the panel shows through, with no
    // pale fringe between it and the face.
    EXPECT_FALSE(HasColour(image, image.rect(), Qt::white));
    const QRect corner(TileRect(0).topLeft(), QSize(6, 6));
    for (int y = corner.top(); y <= corner.bottom(); ++y)
        for (int x = corner.left(); x <= corner.right(); ++x)
        {
            // Between the dark face and the panel in every channel.
            const QColor c = image.pixelColor(x, y);
            EXPECT_TRUE(c.red() <= 74 && c.green() <= 107 && c.blue() <= 178) << x << "," << y << ": " << qPrintable(c.name());
        }
}

TEST(BoardArt, PiecesLetTheGroundShowOutsideTheirShapeAndMiddlesAreOpaque)
{
    const TBoardArt art;
    const QColor grounds[2] = {kPanelBlue, QColor(200, 40, 40)};
    const struct
    {
        TPiece piece;
        QList<QPoint> clear; // corners of the piece (logical pixels) where the ground shows
        QPoint solid;        // a point well inside the shape
    } cases[] = {
        {pNormal, {{0, 0}, {47, 0}, {0, 63}, {47, 63}}, {24, 32}},
        {pShadowMove, {{0, 0}, {47, 63}}, {24, 32}},
        {pSlotLeft, {{0, 0}, {0, 57}}, {19, 29}},
        {pSlotMiddle, {}, {1, 29}},
        {pSlotRight, {{20, 0}, {20, 57}}, {0, 29}},
        {pFrameLeft, {{0, 0}, {0, 281}}, {20, 140}},
        {pFrameMiddle, {}, {1, 140}},
        {pFrameRight, {{20, 0}, {20, 281}}, {0, 140}},
    };
    for (qreal dpr : {1.0, 2.0}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "piece " << c.piece << " at " << dpr << "x");
            const QSize size = art.PieceSize(c.piece);
            QImage drawn[2];
            for (int g = 0; g < 2; ++g) {
                drawn[g] = QImage(size * dpr, QImage::Format_ARGB32_Premultiplied);
                drawn[g].setDevicePixelRatio(dpr);
                drawn[g].fill(grounds[g]);
                QPainter painter(&drawn[g]);
                art.Draw(painter, c.piece, QRect(QPoint(0, 0), size), dpr);
            }
            // The device pixel of a logical one that lies towards the piece's
            // outer edge (right and bottom for points off the left and top).
            const auto at = [dpr](QPoint p) {
                return QPoint(int(p.x() * dpr + (p.x() ? dpr - 1 : 0)), int(p.y() * dpr + (p.y() ? dpr - 1 : 0)));
            };
            for (const QPoint &p : c.clear)
                for (int g = 0; g < 2; ++g)
                    EXPECT_EQ(drawn[g].pixelColor(at(p)), grounds[g]) << p.x() << "," << p.y();
            EXPECT_EQ(drawn[0].pixel(at(c.solid)), drawn[1].pixel(at(c.solid)));
            // Partly covered outline pixels blend the art with the ground;
            // the middles hide the ground everywhere.
            int blended = 0;
            for (int y = 0; y < drawn[0].height(); ++y)
                for (int x = 0; x < drawn[0].width(); ++x)
                    blended += drawn[0].pixel(x, y) != drawn[1].pixel(x, y) && drawn[0].pixelColor(x, y) != grounds[0];
            if (c.clear.isEmpty())
                EXPECT_EQ(blended, 0);
            else
                EXPECT_GT(blended, 0) << "a smooth outline, not a hard cut";
        }
    }
}

TEST_F(BoardView, EachStateShowsInItsLetterColour)
{
    Start({Word(QStringLiteral("abcd"))});
    for (int i : {1, 2}) {
        SendMove(board, TileCentre(board, i));
        SendRelease(board, TileCentre(board, i));
    }
    SendMove(board, TileCentre(board, 2) + QPoint(1, 0));
    ASSERT_EQ(board.Items()[1].State, ssShadow);
    ASSERT_EQ(board.Items()[2].State, ssShadowMove);
    const QImage first = PaintBoard(board);
    EXPECT_TRUE(HasColour(first, TileRect(0), QColor(0, 255, 255)));
    EXPECT_TRUE(HasColour(first, TileRect(1), QColor(106, 106, 106)));
    EXPECT_TRUE(HasColour(first, TileRect(2), QColor(164, 164, 164)));

    SendMove(board, TileCentre(board, 3));
    ASSERT_EQ(board.Items()[3].State, ssNormalMove);
    const QImage second = PaintBoard(board);
    EXPECT_TRUE(HasColour(second, TileRect(3), QColor(179, 255, 255)));
    EXPECT_FALSE(HasColour(second, TileRect(3), QColor(0, 255, 255)));
    // The tile that lost the pointer is repainted in its plain colour.
    EXPECT_TRUE(HasColour(second, TileRect(2), QColor(106, 106, 106)));
    EXPECT_FALSE(HasColour(second, TileRect(2), QColor(164, 164, 164)));
}

TEST_F(BoardView, SpelledTextIsCentredOnTheSlot)
{
    Start({Word(QStringLiteral("spelling"))});
    const QRect slot(150, 290, 300, 58);
    EXPECT_TRUE(InkBox(PaintBoard(board), slot.adjusted(4, 6, -4, -6)).isNull());

    for (QChar c : QStringLiteral("spell")) {
        ASSERT_TRUE(ClickLetter(board, c));
        const QRect ink = InkBox(PaintBoard(board), QRect(0, 284, 600, 70));
        ASSERT_FALSE(ink.isNull());
        EXPECT_NEAR(ink.center().x(), 300, 3) << qPrintable(board.Rules().Letters().join(QString()));
        EXPECT_GT(ink.top(), 290 + 5);
        EXPECT_LT(ink.bottom(), 348 - 5);
    }
}

// Nine lines at 96 dpi; once the words outgrow them the newest eight stay
// and the top line tells of the earlier ones.
TEST_F(BoardView, CompletedWordsAreListedNewestAtTheBottomTheLatestWhenFull)
{
    // Word j has j + 1 letters, so the width of a row tells which word it shows.
    TWordInfos words;
    for (int j = 0; j < 12; ++j)
        words << Word(QString(j + 1, QLatin1Char('M')), QStringLiteral("词"));
    Start(words);
    const QRect spellings(45, 8, 175, 266);
    EXPECT_TRUE(InkBands(PaintBoard(board), spellings).isEmpty()); // first word: frame empty

    QList<int> widthOf{0}; // ink width of a row of n letters, as first seen at the bottom
    for (int done = 1; done <= 11; ++done) {
        ASSERT_TRUE(SpellCurrentWord(board));
        const QList<QRect> rows = InkBands(PaintBoard(board), spellings);
        ASSERT_EQ(rows.size(), std::min(done, 9)) << done << " words done";
        EXPECT_NEAR(rows.last().top(), 240, 6);
        widthOf << rows.last().width();
        const int firstWord = done > 9 ? 1 : 0; // below the line telling of earlier words
        for (int r = firstWord + 1; r < rows.size(); ++r) {
            EXPECT_NEAR(rows[r].top() - rows[r - 1].top(), 27, 1);
            EXPECT_GT(rows[r].width(), rows[r - 1].width()) << "newer words lie below older ones";
        }
        // The oldest word listed is the eighth newest, of done - 7 letters.
        if (done > 9) {
            EXPECT_EQ(rows[firstWord].width(), widthOf[done - 7]) << done << " words done";
        }
    }
}

TEST_F(BoardView, MeaningsUseTheChineseFont)
{
    const QString meaning = QStringLiteral("苹果树");
    Start({Word(QStringLiteral("a"), meaning), Word(QStringLiteral("b"))});
    ASSERT_TRUE(SpellCurrentWord(board));
    const QImage image = PaintBoard(board);
    const QRect area(220, 236, 120, 28);

    // The same text in the installed CJK font, on the frame's own colour.
    QImage reference(image.size(), QImage::Format_ARGB32_Premultiplied);
    reference.fill(image.pixelColor(area.right(), area.center().y()));
    QPainter painter(&reference);
    QFont font(QStringLiteral("WenQuanYi Zen Hei"));
    font.setPointSize(14);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(225, 240 + QFontMetrics(font).ascent(), meaning);
    painter.end();

    const QRect drawn = InkBox(image, area);
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(drawn, InkBox(reference, area));
    int differing = 0;
    for (int y = drawn.top(); y <= drawn.bottom(); ++y)
        for (int x = drawn.left(); x <= drawn.right(); ++x)
            differing += IsInk(image.pixel(x, y)) != IsInk(reference.pixel(x, y));
    EXPECT_LT(differing, drawn.width() * drawn.height() / 30);
}

TEST_F(BoardView, HighDensityRendersTheArtAtDevicePixels)
{
    Start({Word(QStringLiteral("sharp"))});
    const QImage image = PaintBoard(board, 2.0);
    ASSERT_EQ(image.size(), QSize(1200, 840));

    // A strip of the face below the letter is the double-size face itself,
    // pixel for pixel, not the small one enlarged.
    const QImage face(QStringLiteral(":/board/normal@2x.png"));
    ASSERT_EQ(face.size(), QSize(96, 128));
    const QRect tile = TileRect(0);
    for (int y = 112; y < 124; ++y)
        for (int x = 8; x < 88; ++x)
            ASSERT_EQ(image.pixelColor(2 * tile.left() + x, 2 * tile.top() + y), face.pixelColor(x, y))
                << x << "," << y;
    // The geometry stays logical: the slot's left end starts at device x 260.
    EXPECT_EQ(image.pixelColor(258, 2 * 290 + 58), kPanelBlue);
    EXPECT_NE(image.pixelColor(266, 2 * 290 + 58), kPanelBlue);
}

TEST_F(BoardView, RepaintsFollowEveryChange)
{
    // The cached layers must never show a stale picture.
    Start({Word(QStringLiteral("ab"), QStringLiteral("甲")), Word(QStringLiteral("cd"), QStringLiteral("乙"))});
    const QRect slot(150, 290, 300, 58), frame(45, 8, 175, 266); // the spelling column
    ASSERT_TRUE(ClickLetter(board, u'a'));
    EXPECT_FALSE(InkBox(PaintBoard(board), slot).isNull());
    board.Rules().ClearSpelling();
    EXPECT_TRUE(InkBox(PaintBoard(board), slot.adjusted(4, 6, -4, -6)).isNull());
    ASSERT_TRUE(SpellCurrentWord(board));
    const QList<QRect> rows = InkBands(PaintBoard(board), frame);
    ASSERT_EQ(rows.size(), 1);
    board.Rules().SetWords({Word(QStringLiteral("xyzzy"), QStringLiteral("丙")), Word(QStringLiteral("cd"))});
    const QRect newRow = InkBox(PaintBoard(board), frame);
    EXPECT_GT(newRow.width(), rows[0].width() + 20); // "xyzzy" is listed now
    board.Rules().RestartGame();
    EXPECT_TRUE(InkBands(PaintBoard(board), frame).isEmpty());
}

// ---------------------------------------------------------------------------
// The cue for a board that takes no clicks

TEST_F(BoardView, CueShowsInTheSlotWhileTheBoardWaitsAndComesForwardOnAnIgnoredClick)
{
    Start({Word(QStringLiteral("apple"))});
    const QRect slot(150, 290, 300, 58);
    const QImage plain = PaintBoard(board);
    // The darkest grey the cue adds to the slot; 255 when it adds nothing.
    const auto cueDarkness = [&] {
        const QImage image = PaintBoard(board);
        int darkest = 255;
        for (int y = slot.top(); y <= slot.bottom(); ++y)
            for (int x = slot.left(); x <= slot.right(); ++x)
                if (image.pixel(x, y) != plain.pixel(x, y))
                    darkest = std::min(darkest, qGray(image.pixel(x, y)));
        return darkest;
    };
    const struct
    {
        const char *step;
        TBoardCue cue;
        bool click;
        int darkestAbove, darkestBelow;
    } steps[] = {
        {"running", TBoardCue::None, true, 254, 256},
        {"ready: a quiet grey", TBoardCue::Ready, false, 120, 200},
        {"ready, clicked: darker", TBoardCue::Ready, true, -1, 90},
        {"paused: nothing until a click", TBoardCue::Paused, false, 254, 256},
        {"paused, clicked", TBoardCue::Paused, true, -1, 90},
        {"running again", TBoardCue::None, false, 254, 256},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.step);
        board.SetCue(s.cue);
        board.setEnabled(s.cue == TBoardCue::None);
        if (s.click)
            SendRelease(board, TileCentre(board, 0));
        EXPECT_TRUE(board.Rules().Letters().isEmpty()) << "a click the board ignores picks nothing";
        const int darkest = cueDarkness();
        EXPECT_GT(darkest, s.darkestAbove);
        EXPECT_LT(darkest, s.darkestBelow);
    }
}

// ---------------------------------------------------------------------------
// Feedback on a wrong spelling, and the pause veil

TEST_F(BoardView, AWrongSpellingShakesTheSlotButNotTheTiles)
{
    Start({Word(QStringLiteral("ab"))});
    ASSERT_TRUE(SpellByClicks(board, QStringLiteral("ba")));
    ASSERT_TRUE(board.Shaking());
    const int shake = board.SlotShake();
    ASSERT_NE(shake, 0);
    const QImage shaken = PaintBoard(board);

    const QRect slotBand(0, 284, 600, 70);
    QElapsedTimer clock;
    clock.start();
    while (board.Shaking() && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const QImage still = PaintBoard(board);
    const QRect inkShaken = InkBox(shaken, slotBand);
    const QRect inkStill = InkBox(still, slotBand);
    ASSERT_FALSE(inkStill.isNull());
    EXPECT_EQ(inkShaken.left() - inkStill.left(), shake);
    const QRect tiles(0, board.TileRowTop(), 600, board.TileHeight());
    EXPECT_EQ(shaken.copy(tiles), still.copy(tiles)) << "the tiles are drawn where they are hit";
}

TEST_F(BoardView, APausedBoardWithTheVeilHidesItsLetters)
{
    Start({Word(QStringLiteral("apple"))});
    SpellByClicks(board, QStringLiteral("ap"));
    const QRect tiles(0, board.TileRowTop(), 600, board.TileHeight());
    const QColor letter(0, 255, 255);
    board.SetCue(TBoardCue::Paused);
    EXPECT_TRUE(HasColour(PaintBoard(board), tiles, letter)) << "no veil unless the host asks for it";

    board.SetPauseVeil(true);
    const QImage veiled = PaintBoard(board);
    EXPECT_FALSE(HasColour(veiled, tiles, letter));
    const QRect slotBand(0, 284, 600, 70);
    board.Rules().ClearSpelling();
    EXPECT_EQ(PaintBoard(board).copy(slotBand), veiled.copy(slotBand)) << "the spelled letters are covered too";

    board.SetCue(TBoardCue::None);
    EXPECT_TRUE(HasColour(PaintBoard(board), tiles, letter)) << "a running board shows its tiles";
}
