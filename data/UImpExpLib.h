#pragma once
// Import of a word book from a text file: one word per line, written as
// spelling[pronunciation]meaning. The file may be UTF-8 (as a whole, with or
// without a byte-order mark) or GBK; CRLF, LF and a lone CR each end a line.
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

// Reads and decodes a whole word file. False, with a reason for the player,
// when it cannot be opened or read or is not a text file.
bool ReadWordFile(const QString &fileName, QStringList &lines, QString &error);

// Inserts one line into a word table, scrambling the three texts when encrypt
// is set. False (nothing inserted) when the spelling is blank, a text does not
// fit its column, or the insert fails.
bool ImportWordLine(TDataInterface &data, const QString &line, const QString &tableName, bool encrypt);

// Called with the number of lines done and the number of lines minus 1 (the
// progress bar's maximum). Calls are spaced out (about every 1 % or 50 ms,
// and at the end), so the callback may repaint the window.
using TImportProgress = std::function<void(int position, int maximum)>;

// Asked about a line that cannot be stored (lineNumber counts from 1): true
// skips the line and goes on, false stops the import.
using TBadLineDecision = std::function<bool(int lineNumber)>;

// Imports a file as book number GetNextBookId() under the title and class,
// scrambling the texts when encrypt is set (the settings flag "encrypt").
// The file is read first: an unreadable, binary or empty file gives false
// with the reason for the player in *error, and nothing is written. Each
// failed line goes to skipBadLine; a stop keeps the rows so far (the next
// import drops the table) and writes no catalogue row. The book's word
// number counts every line read, skipped ones too. True when the book was
// imported and registered. Throws EDatabaseError when the catalogue cannot
// be read.
bool ImportWordLib(TDataInterface &data, const QString &fileName, const QString &title, int bookClass, bool encrypt,
                   const TBadLineDecision &skipBadLine, const TImportProgress &progress = {},
                   QString *error = nullptr);
