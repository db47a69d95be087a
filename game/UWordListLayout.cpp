#include "UWordListLayout.h"

#include <algorithm>

namespace {

// Between the longest spelling and the meaning column.
constexpr int kColumnGap = 12;
// The meaning column never starts later than leaves this many of the
// meaning font's wide characters room; a longer spelling wraps instead.
constexpr int kMeaningRoomChars = 10;

struct TPlacedWord
{
    int Index = 0;   // in the list, newest first
    bool Wraps = false;
    int Line = 0;    // the word's lowest line, 0 at the bottom
};

// The words that fit lines lines from the newest on; each wrapping word
// takes two.
QList<TPlacedWord> FitWords(const QList<bool> &wraps, int lines)
{
    QList<TPlacedWord> placed;
    int used = 0;
    for (int i = 0; i < wraps.size(); ++i) {
        const int need = wraps[i] ? 2 : 1;
        if (used + need > lines)
            break;
        placed.append({i, wraps[i], used});
        used += need;
    }
    return placed;
}

QRect TextRect(int x, int y, const QString &text, const QFontMetrics &metrics)
{
    return QRect(x, y, metrics.horizontalAdvance(text), metrics.height());
}

} // namespace

TWordListLayout LayoutWordList(const TWordInfos &newestFirst, int completed, const TWordListArea &area,
                               const QFontMetrics &spelling, const QFontMetrics &meaning)
{
    TWordListLayout layout;
    const int width = std::max(0, area.Right - area.Left);
    const int pitch = std::max(1, area.Pitch);
    const int lines = std::max(0, (area.Bottom - area.Top) / pitch);
    const auto lineTop = [&](int line) { return area.Bottom - pitch * (line + 1); };

    const int meaningRoom = meaning.horizontalAdvance(QStringLiteral("词")) * kMeaningRoomChars;
    const int latestColumn = std::max(area.MeaningOffset, width - meaningRoom);
    QList<bool> wraps;
    for (const TWordInfo &word : newestFirst)
        wraps.append(spelling.horizontalAdvance(word.Spelling) + kColumnGap > latestColumn);

    QList<TPlacedWord> placed = FitWords(wraps, lines);
    // With a line to spare for it, the words left out are told of.
    if (placed.size() < std::max(int(newestFirst.size()), completed) && lines >= 2)
        placed = FitWords(wraps, lines - 1);
    layout.Hidden = std::max(int(newestFirst.size()), completed) - int(placed.size());

    int column = area.MeaningOffset;
    for (const TPlacedWord &word : placed)
        if (!word.Wraps)
            column = std::max(column, spelling.horizontalAdvance(newestFirst[word.Index].Spelling) + kColumnGap);
    column = std::min(column, latestColumn);

    for (const TPlacedWord &word : placed) {
        const TWordInfo &info = newestFirst[word.Index];
        TWordListRow row;
        row.Spelling = spelling.elidedText(info.Spelling, Qt::ElideRight, width);
        // Sense lines of an imported meaning run on in one line.
        row.Meaning = meaning.elidedText(info.Meaning.simplified(), Qt::ElideRight, std::max(0, width - column));
        const int meaningTop = lineTop(word.Line);
        const int spellingTop = word.Wraps ? lineTop(word.Line + 1) : meaningTop;
        row.SpellingRect = TextRect(area.Left, spellingTop, row.Spelling, spelling);
        row.MeaningRect = TextRect(area.Left + column, meaningTop, row.Meaning, meaning);
        layout.Rows.append(row);
    }
    if (layout.Hidden > 0 && lines >= 2) {
        const int used = placed.isEmpty() ? 0 : placed.last().Line + (placed.last().Wraps ? 2 : 1);
        layout.MoreText = meaning.elidedText(QStringLiteral("…… 更早的 %1 个单词未列出").arg(layout.Hidden),
                                             Qt::ElideRight, width);
        layout.MoreRect = TextRect(area.Left, lineTop(used), layout.MoreText, meaning);
    }
    return layout;
}

int WordListRowAt(const TWordListLayout &layout, const QPoint &point)
{
    for (int i = 0; i < layout.Rows.size(); ++i) {
        const TWordListRow &row = layout.Rows[i];
        const QRect band(QPoint(row.SpellingRect.left(), row.SpellingRect.top()),
                         QPoint(std::max(row.SpellingRect.right(), row.MeaningRect.right()),
                                std::max(row.SpellingRect.bottom(), row.MeaningRect.bottom())));
        if (band.contains(point))
            return i;
    }
    return -1;
}
