#pragma once
// Import of a word book from a text file: one word per line, written as
// spelling[pronunciation]meaning. The file may be UTF-8 or GBK (see
// TWordFileReader); CRLF, LF and a lone CR each end a line.
// Each line becomes one row of a new word table "lib" + N, in file order, and
// the book is registered in the catalogue as a listed book.

#include <QString>
#include <QStringList>

#include <functional>

class TDataInterface;

// The widths of the word table's text columns, in characters as stored.
constexpr int kSpellingWidth = 255;
constexpr int kPronunciationWidth = 200;
constexpr int kMeaningWidth = 255;

// The longest spelling the import takes, in characters. Each character is a
// tile; words over 12 letters share the board's 600-pixel row, and at 40 a
// tile is still 13 pixels wide with a letter of about 9 points: clickable
// and readable. (The longest word of the shipped lists has 17 letters.)
constexpr int kMaxSpellingLetters = 40;
// The longest title of a book and name of a ranking record, in characters.
constexpr int kMaxTitleLength = 255;

struct TWordLine
{
    QString Spelling;
    QString Pronunciation;
    QString Meaning;
};

// The three pieces of a line: before the first "[", between it and the first
// "]", after that "]". The two brackets are found independently and nothing
// is trimmed; a missing "]" leaves the pronunciation empty and makes the whole
// line the meaning, a missing "[" leaves the spelling empty.
TWordLine SplitWordLine(const QString &line);

// Re-codes the digits and "=" of a pronunciation as the word lists write them.
QString ConvertPhonetic(const QString &pronunciation);

// The title proposed for a file: the name after the last "\" or "/", up to its
// first "."; empty when the name has no ".".
QString ExtractLibName(const QString &path);

// Splits decoded text at CRLF, LF and lone CR. A break at the very end does not
// start another line, so "a\nb\n" and "a\nb" are both two lines, "" is none.
QStringList SplitTextLines(const QString &text);

// Why a line of a word file was not stored.
enum class TLineFault
{
    None,
    NoSpelling,      // blank before the first "[", or no "[" at all
    SpellingTooLong, // more than kMaxSpellingLetters characters
    TooWide,         // a text does not fit its column
    NotText,         // invalid bytes in a UTF-8 file
    InsertFailed,
};

// Inserts one line into a word table, scrambling the three texts when encrypt
// is set. Nothing is inserted unless the result is TLineFault::None.
TLineFault StoreWordLine(TDataInterface &data, const QString &line, const QString &tableName, bool encrypt);
// The same for a word already split into its texts.
TLineFault StoreWord(TDataInterface &data, TWordLine word, const QString &tableName, bool encrypt);
// The same, true when the word was inserted.
bool ImportWordLine(TDataInterface &data, const QString &line, const QString &tableName, bool encrypt);

// Called with the number of lines done and the number of lines minus 1 (the
// progress bar's maximum). Calls are spaced out (about every 1 % or 50 ms,
// and at the end), so the callback may repaint the window.
using TImportProgress = std::function<void(int position, int maximum)>;

// Asked about a line that cannot be stored (lineNumber counts from 1): true
// skips the line and goes on, false stops the import.
using TBadLineDecision = std::function<bool(int lineNumber, TLineFault fault)>;

// Imports a file as book number GetNextBookId() under the title and class,
// in any format TWordListFormat knows (by DetectWordListFormat; bad rows are
// numbered by the line they start on),
// scrambling the texts when encrypt is set (the settings flag "encrypt").
// The file is checked first: one that is not a regular file, is too large,
// unreadable, binary or empty gives false with the reason for the player in
// *error, and nothing is written. Each failed line goes to skipBadLine; a
// stop keeps the rows so far (the next import drops the table) and writes no
// catalogue row. The book's word number is the number of rows stored; a
// file that yields no row leaves nothing behind and gives false, and so does
// a failed write (a full disk): the book's table and its catalogue row are
// written in one transaction, whole or not at all, a kill included. True when
// the book was imported and registered. Throws EDatabaseError when the
// catalogue cannot be read.
bool ImportWordLib(TDataInterface &data, const QString &fileName, const QString &title, int bookClass, bool encrypt,
                   const TBadLineDecision &skipBadLine, const TImportProgress &progress = {},
                   QString *error = nullptr);
