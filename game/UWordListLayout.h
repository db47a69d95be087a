#pragma once
// Where the completed words go in the frame above the slot: one line per
// word, the newest at the bottom, the spelling in the left column and the
// meaning in a column that starts after the longest spelling shown. Texts
// never leave the area: a spelling too long to leave its meaning room takes
// a line of its own with the meaning on the line below, and a meaning too
// wide ends in "…". When the words do not all fit, the newest are shown and
// the top line says how many earlier ones are left out.
//
// Pure geometry over the fonts' metrics; the painter draws what it returns.

#include "UWordInfo.h"

#include <QFontMetrics>
#include <QList>
#include <QRect>
#include <QString>

struct TWordListRow
{
    // The texts as drawn and the boxes they are drawn in (top-left at the
    // top of the font's line, one line high, as wide as the text).
    QString Spelling, Meaning;
    QRect SpellingRect, MeaningRect;
};

struct TWordListLayout
{
    QList<TWordListRow> Rows; // newest first, as listed
    int Hidden = 0;           // earlier words without room
    QString MoreText;         // the line telling of them; empty when none
    QRect MoreRect;           // drawn in the meaning font
};

struct TWordListArea
{
    // left: the spelling column; right: where no text may reach past. The
    // bottom line lies one pitch above bottom, earlier ones a pitch above
    // each other while they start at top or below.
    int Left = 0, Right = 0, Top = 0, Bottom = 0;
    int Pitch = 1;
    // The meaning column's place from left when every spelling is short.
    int MeaningOffset = 0;
};

// newestFirst: the completed words, the most recent first; completed: how
// many there are in all (newestFirst may stop short of the oldest).
TWordListLayout LayoutWordList(const TWordInfos &newestFirst, int completed, const TWordListArea &area,
                               const QFontMetrics &spelling, const QFontMetrics &meaning);

// The row under point: the index in layout.Rows (which is the word's index in
// newestFirst), or -1. A row takes the lines of its spelling and meaning,
// from the spelling's left to the end of the wider text.
int WordListRowAt(const TWordListLayout &layout, const QPoint &point);
