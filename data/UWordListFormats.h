#pragma once
// Word lists in the formats learners already have, besides the bracket
// format: CSV and TSV (with or without a header row), Anki's plain-text
// export, and the JSON word lists of the typing trainers (an array of objects
// with "name", "trans", "usphone" or "ukphone").
//
// Every reader is a pure function on the file's bytes, so it can be fuzzed:
// it never fails as a whole on bad rows, it marks them. Separators, quotes
// and line breaks are ASCII, and no GBK trail byte is one of them, so the
// records are found on the bytes and only the fields are decoded, as UTF-8
// when the file is UTF-8 and as GBK otherwise.

#include "UWordLine.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

enum class TWordListFormat
{
    Bracket, // spelling[pronunciation]meaning, one a line
    Csv,
    Tsv,
    Anki,
    Json,
};

// By the name's extension (.csv, .tsv, .json) and, for any other name, by the
// first bytes: Anki's "#separator:" or "#html:" header lines.
TWordListFormat DetectWordListFormat(const QString &fileName, const QByteArray &head);

// One record of a delimited file: its fields, undecoded, and the line it
// starts on (from 1). Broken is set for a quoted field that never closes,
// which swallows the rest of the file.
struct TDelimitedRecord
{
    QList<QByteArray> Fields;
    int Line = 0;
    bool Broken = false;
};

using TRecordSink = std::function<bool(const TDelimitedRecord &record)>;

// RFC 4180, with any one-byte separator: fields in double quotes may hold
// the separator, line breaks and doubled quotes; CRLF, LF and a lone CR end
// a record; a break at the very end starts no record, and blank lines are
// skipped. A quote inside an unquoted field is kept as text.
// Each record goes to sink as it is read; false from the sink stops.
void ReadDelimited(const QByteArray &bytes, char separator, const TRecordSink &sink);
QList<TDelimitedRecord> ReadDelimited(const QByteArray &bytes, char separator);

// A word read from a list: the texts (a line break or other control character
// inside a pronunciation or meaning is a space), the line it came from, and
// why it cannot be stored (NoSpelling, NotText, SpellingTooLong,
// ControlCharacter, UnclosedQuote) or None.
struct TWordRow
{
    TWordLine Word;
    int Line = 0;
    TLineFault Fault = TLineFault::None;
};

// Takes each row as it is read, so that a large file never becomes a list;
// false stops the reading.
using TRowSink = std::function<bool(const TWordRow &row)>;

struct TWordRows
{
    QList<TWordRow> Rows;
    // Set when the file as a whole cannot be read in its format (a JSON
    // document that is not an array); then Rows is empty.
    QString Error;
};

// CSV and TSV: columns word, pronunciation, meaning; with two columns, word
// and meaning. A first row with a cell that names a column ("word", "单词",
// "phonetic", "meaning", "释义", "Chinese" ...) is a header and is skipped.
// When every cell of it names a different column, one of them the word, the
// names place the columns; otherwise they are placed by position, as in a
// file without a header. A quoted field that never closes runs to the end of
// the file, and its row is an UnclosedQuote.
QString ReadDelimitedWordList(const QByteArray &bytes, char separator, const TRowSink &sink);
// Anki: "#key:value" header lines first ("#separator:" names the separator,
// tab by default; "#html:true" makes fields HTML, which is reduced to plain
// text), then the notes as in ReadDelimitedWordList without a header row.
QString ReadAnkiWordList(const QByteArray &bytes, const TRowSink &sink);
// The typing trainers' JSON: anything but an array of objects is an error;
// an element without a "name" text is a bad row. Meanings of "trans" are
// joined with "；"; "usphone" is preferred to "ukphone".
QString ReadJsonWordList(const QByteArray &bytes, const TRowSink &sink);
// The bracket format, one row a line.
QString ReadBracketWordList(const QByteArray &bytes, const TRowSink &sink);

// The reader of the format; the error text when the file as a whole cannot
// be read (then no row reached the sink), empty otherwise.
QString ReadWordList(TWordListFormat format, const QByteArray &bytes, const TRowSink &sink);
// The same, every row in a list: for small files and tests.
TWordRows ReadWordList(TWordListFormat format, const QByteArray &bytes);

// What each column of a delimited list (CSV, TSV, Anki) becomes, read off its
// header or its first row: one entry per column, in file order. Empty for the
// formats whose fields are named (JSON) or fixed (the bracket format).
enum class TWordColumn { Spelling, Pronunciation, Meaning, Ignored };
QList<TWordColumn> ReadWordListColumns(TWordListFormat format, const QByteArray &bytes);

// Plain text of an HTML fragment: tags dropped (a <br> or block end becomes a
// space), the content of <script> and <style> elements and of comments
// dropped too, the common entities and numeric references decoded, runs of
// white space folded.
QString HtmlToPlainText(const QString &html);
