#pragma once
// The pieces every word-list reader and the import share: one word's three
// texts, the bracket line's split, the phonetic re-coding, and the checks a
// word must pass before it is stored, whichever format it came from.

#include <QString>

// The widths of the word table's text columns, in characters as stored.
constexpr int kSpellingWidth = 255;
constexpr int kPronunciationWidth = 200;
constexpr int kMeaningWidth = 255;

// The longest spelling the import takes, in characters. Each character is a
// tile; words over 12 letters share the board's 600-pixel row, and at 40 a
// tile is still 13 pixels wide with a letter of about 9 points: clickable
// and readable. (The longest word of the shipped lists has 17 letters.)
constexpr int kMaxSpellingLetters = 40;

struct TWordLine
{
    QString Spelling;
    QString Pronunciation;
    QString Meaning;
};

// Why a word of a list was not stored.
enum class TLineFault
{
    None,
    NoSpelling,       // blank before the first "[", or no "[" at all
    SpellingTooLong,  // more than kMaxSpellingLetters characters
    SpellingTooWide,  // the spelling, as stored, does not fit its column
    NotText,          // invalid bytes in a UTF-8 file
    InsertFailed,
    ControlCharacter, // a control character (a zero, ESC, a tab ...) in the spelling
    UnclosedQuote,    // a quoted field runs to the end of the file
    PronunciationTooWide, // the pronunciation, as stored, does not fit its column
    MeaningTooWide,
};

// The three pieces of a line: before the first "[", between it and the first
// "]", after that "]". The two brackets are found independently and nothing
// is trimmed; a missing "]" leaves the pronunciation empty and makes the whole
// line the meaning, a missing "[" leaves the spelling empty.
TWordLine SplitWordLine(const QString &line);

// Re-codes the digits and "=" of a pronunciation as the word lists write them.
QString ConvertPhonetic(const QString &pronunciation);

// What keeps a word's spelling off the board, before any column width: none,
// only blanks, a control character (the board would draw a tile for an
// invisible letter, and a zero cuts the text short elsewhere), too many
// letters.
TLineFault SpellingFault(const QString &spelling);
