#pragma once
// Import of a word book from a text file: one word per line, written as
// spelling[pronunciation]meaning. The file may be UTF-8 or GBK (see
// TWordFileReader); CRLF, LF and a lone CR each end a line.
// Each line becomes one row of a new word table "lib" + N, in file order, and
// the book is registered in the catalogue as a listed book.

#include "UWordLine.h"

#include <QString>

#include <functional>

class TDataInterface;

// The longest title of a book and name of a ranking record, in characters.
constexpr int kMaxTitleLength = 255;

// The title proposed for a file: the name after the last "\" or "/", up to its
// first "."; empty when the name has no ".".
QString ExtractLibName(const QString &path);

// Called with the number of lines done and the number of lines minus 1 (the
// progress bar's maximum). Calls are spaced out (about every 1 % or 50 ms,
// and at the end), so the callback may repaint the window.
using TImportProgress = std::function<void(int position, int maximum)>;

// Asked about a line that cannot be stored (lineNumber counts from 1): true
// skips the line and goes on, false stops the import.
using TBadLineDecision = std::function<bool(int lineNumber, TLineFault fault)>;

// What a successful import stored: the words, and the bad lines the player
// chose to skip.
struct TImportCounts
{
    int Imported = 0;
    int Skipped = 0;
};

// Imports a file as book number GetNextBookId() under the title and class,
// in any format TWordListFormat knows (by DetectWordListFormat; bad rows are
// numbered by the line they start on), scrambling the texts when encrypt is
// set (the settings flag "encrypt").
// The file is checked first: one that is not a regular file, is too large,
// unreadable, binary or empty gives false with the reason for the player in
// *error, and nothing is written; so does a catalogue without a free book
// number. Each failed line goes to skipBadLine; a stop drops what was written
// and writes no catalogue row. The book's word number is the number of rows
// stored; a file that yields no row leaves nothing behind and gives false,
// and so does a failed write (a full disk): the book's table and its
// catalogue row are written in one transaction, whole or not at all, a kill
// included. True when the book was imported and registered, with what went
// in set in *counts. Throws EDatabaseError when the catalogue cannot be read.
bool ImportWordLib(TDataInterface &data, const QString &fileName, const QString &title, int bookClass, bool encrypt,
                   const TBadLineDecision &skipBadLine, const TImportProgress &progress = {},
                   QString *error = nullptr, TImportCounts *counts = nullptr);
