// The list of completed words in the frame: where each text goes for words
// of every length, and what a painted board shows of a list that outgrows
// its frame.

#include "BoardDriver.h"
#include "UFontMap.h"
#include "USpellGameType.h"
#include "UWordListLayout.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

TWordInfo Word(const QString &spelling, const QString &meaning)
{
    TWordInfo word;
    word.Spelling = spelling;
    word.Meaning = meaning;
    return word;
}

// The classic frame at 96 dpi: text from x 45 to 554, lines 27 apart from
// y 240 upwards, meanings at x 225 unless a spelling needs more.
TWordListArea ClassicArea()
{
    TWordListArea area;
    area.Left = 45;
    area.Right = 554;
    area.Top = 0;
    area.Bottom = 267;
    area.Pitch = 27;
    area.MeaningOffset = 180;
    return area;
}

const QString kLongMeaning = QStringLiteral("n. 国际化；国际共管；使国际化的过程，尤指在许多国家共同管理下的领土或城市");

} // namespace

// Whatever the words, every text stays inside the area, no two texts
// overlap, and the newest words are the ones listed.
TEST(WordListLayout, TextsStayInsideTheFrameApartAndNewestFirst)
{
    const QFontMetrics latin(FontByPoints(QStringLiteral("Arial"), 14, true));
    const QFontMetrics cjk(FontByPoints(QStringLiteral("黑体"), 14, true));
    const QString longSpelling = QStringLiteral("counterrevolutionaries");       // wider than the classic column
    const QString hugeSpelling = QString(40, QLatin1Char('W'));               // leaves its meaning no room
    const struct
    {
        const char *name;
        TWordInfos words; // newest first
        int listed;       // words shown
        int wrapped;      // of them, on two lines
        int elided;       // meanings ending in "…"
    } cases[] = {
        {"short words", {Word("cat", "猫"), Word("dog", "狗")}, 2, 0, 0},
        {"a long spelling", {Word("cat", "猫"), Word(longSpelling, "国际化")}, 2, 0, 0},
        {"a long meaning", {Word("cat", kLongMeaning)}, 1, 0, 1},
        {"a spelling without room", {Word(hugeSpelling, kLongMeaning), Word("cat", "猫")}, 2, 1, 1},
        {"sense lines", {Word("run", "v. 跑\nn. 跑步")}, 1, 0, 0},
        {"more than fit", TWordInfos(14, Word("cat", "猫")), 8, 0, 0},
        {"wrapping words that fill it", TWordInfos(6, Word(hugeSpelling, "词")), 4, 4, 0},
    };
    const TWordListArea area = ClassicArea();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const TWordListLayout layout = LayoutWordList(c.words, int(c.words.size()), area, latin, cjk);
        ASSERT_EQ(layout.Rows.size(), c.listed);
        EXPECT_EQ(layout.Hidden, c.words.size() - c.listed);
        EXPECT_EQ(layout.MoreText.isEmpty(), layout.Hidden == 0);
        if (layout.Hidden > 0) {
            EXPECT_TRUE(layout.MoreText.contains(QString::number(layout.Hidden))) << qPrintable(layout.MoreText);
        }

        QList<QRect> texts;
        int wrapped = 0, elided = 0;
        for (int i = 0; i < layout.Rows.size(); ++i) {
            const TWordListRow &row = layout.Rows[i];
            EXPECT_EQ(row.Spelling, latin.elidedText(c.words[i].Spelling, Qt::ElideRight, area.Right - area.Left))
                << "row " << i << " shows the " << i << "th newest word";
            wrapped += row.SpellingRect.top() != row.MeaningRect.top();
            elided += row.Meaning.endsWith(QChar(0x2026));
            EXPECT_FALSE(row.Meaning.contains(QLatin1Char('\n')));
            texts << row.SpellingRect << row.MeaningRect;
            if (i > 0) {
                EXPECT_LT(row.MeaningRect.top(), layout.Rows[i - 1].SpellingRect.top()) << "older words lie above";
            }
        }
        EXPECT_EQ(wrapped, c.wrapped);
        EXPECT_EQ(elided, c.elided);
        if (!layout.MoreText.isEmpty())
            texts << layout.MoreRect;
        for (int i = 0; i < texts.size(); ++i) {
            EXPECT_GE(texts[i].left(), area.Left) << i;
            EXPECT_LE(texts[i].right(), area.Right - 1) << i;
            EXPECT_GE(texts[i].top(), area.Top) << i;
            EXPECT_LE(texts[i].top(), area.Bottom - area.Pitch) << i;
            for (int j = i + 1; j < texts.size(); ++j) {
                if (!texts[i].isEmpty() && !texts[j].isEmpty()) {
                    EXPECT_FALSE(texts[i].intersects(texts[j])) << i << " and " << j;
                }
            }
        }
        if (!layout.Rows.isEmpty()) {
            EXPECT_EQ(layout.Rows.first().MeaningRect.top(), area.Bottom - area.Pitch) << "the newest at the bottom";
        }
    }
}

// The meaning column stays where it always was for short spellings and moves
// just past the longest spelling listed, the same for every row.
TEST(WordListLayout, TheMeaningColumnStartsAfterTheLongestSpellingShown)
{
    const QFontMetrics latin(FontByPoints(QStringLiteral("Arial"), 14, true));
    const QFontMetrics cjk(FontByPoints(QStringLiteral("黑体"), 14, true));
    const QString longSpelling = QStringLiteral("counterrevolutionaries");
    const TWordListArea area = ClassicArea();

    const TWordListLayout classic = LayoutWordList({Word("cat", "猫"), Word("dog", "狗")}, 2, area, latin, cjk);
    for (const TWordListRow &row : classic.Rows)
        EXPECT_EQ(row.MeaningRect.left(), area.Left + area.MeaningOffset);

    const TWordListLayout wide = LayoutWordList({Word("cat", "猫"), Word(longSpelling, "国际化")}, 2, area, latin, cjk);
    const int longest = latin.horizontalAdvance(longSpelling);
    ASSERT_GT(longest, area.MeaningOffset) << "the case the column moves for";
    for (const TWordListRow &row : wide.Rows) {
        EXPECT_GT(row.MeaningRect.left(), area.Left + longest);
        EXPECT_LT(row.MeaningRect.left(), area.Left + longest + 30);
    }
}

// A painted board: the frame shows the latest words of a full list, and no
// text of any length reaches past the frame's inner edge.
TEST(WordListPainting, LongTextsEndInsideTheFrameAndTheLatestWordsShow)
{
    TWordInfos words;
    for (int j = 0; j < 13; ++j)
        words << Word(j % 3 == 0 ? QStringLiteral("counterrevolutionaries") : QStringLiteral("cat%1").arg(j), kLongMeaning);
    words << Word(QStringLiteral("end"), QStringLiteral("完"));
    TSpellGameType board;
    TSpellGameType empty;
    board.Rules().StartGame(words, nullptr);
    empty.Rules().StartGame({Word(QStringLiteral("end"), QStringLiteral("完"))}, nullptr);
    for (int j = 0; j < 13; ++j)
        ASSERT_TRUE(SpellCurrentWord(board));

    const auto paint = [](TSpellGameType &b) {
        QImage image(b.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor(72, 105, 176));
        QPainter painter(&image);
        b.Paint(painter);
        return image;
    };
    const QImage image = paint(board);
    const QImage bare = paint(empty);
    const QRect pastTheText(board.width() - 21 - board.FrameX(), 0, 21 + board.FrameX(), 282);
    EXPECT_EQ(image.copy(pastTheText), bare.copy(pastTheText)) << "nothing drawn over the frame's right edge";

    // The newest word's row is at the bottom, its meaning elided rather than cut.
    const QRect bottomRow(board.FrameX() + 20, 240, 509, 20);
    int inked = 0;
    for (int y = bottomRow.top(); y <= bottomRow.bottom(); ++y)
        for (int x = bottomRow.left(); x <= bottomRow.right(); ++x)
            inked += qGray(image.pixel(x, y)) < 90;
    EXPECT_GT(inked, 50) << "the latest word is listed";
}
