#include "UImpExpLib.h"

#include "UDataInterface.h"
#include "UScramble.h"
#include "UTextCodec.h"
#include "UWordFileReader.h"
#include "UWordListFormats.h"

#include <QElapsedTimer>

#include <climits>

TWordLine SplitWordLine(const QString &line)
{
    // Positions as 1-based "found at" values, 0 for not found, so that the
    // piece lengths work out the same whichever bracket is missing or first.
    const qsizetype open = line.indexOf(QLatin1Char('[')) + 1;
    const qsizetype close = line.indexOf(QLatin1Char(']')) + 1;
    TWordLine word;
    if (open > 0)
        word.Spelling = line.left(open - 1);
    if (close - open - 1 > 0)
        word.Pronunciation = line.mid(open, close - open - 1);
    word.Meaning = line.mid(close);
    return word;
}

QString ConvertPhonetic(const QString &pronunciation)
{
    static const char16_t kFrom[] = u"0123456789=";
    static const char16_t kTo[] = u"6134087=954";
    QString result = pronunciation;
    for (QChar &c : result) {
        for (int k = 0; kFrom[k]; ++k) {
            if (c.unicode() == kFrom[k]) {
                c = QChar(kTo[k]);
                break;
            }
        }
    }
    return result;
}

QString ExtractLibName(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    const QString name = path.mid(slash + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.left(dot);
}

QStringList SplitTextLines(const QString &text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

TLineFault StoreWordLine(TDataInterface &data, const QString &line, const QString &tableName, bool encrypt)
{
    TWordLine word = SplitWordLine(line);
    word.Pronunciation = ConvertPhonetic(word.Pronunciation);
    return StoreWord(data, std::move(word), tableName, encrypt);
}

TLineFault StoreWord(TDataInterface &data, TWordLine word, const QString &tableName, bool encrypt)
{
    if (word.Spelling.trimmed().isEmpty())
        return TLineFault::NoSpelling;
    // Each character is a tile on the board; a longer word could not be
    // spelled by clicks.
    if (word.Spelling.size() > kMaxSpellingLetters)
        return TLineFault::SpellingTooLong;
    if (encrypt) {
        word.Spelling = ScrambleText(word.Spelling);
        word.Pronunciation = ScrambleText(word.Pronunciation);
        word.Meaning = ScrambleText(word.Meaning);
    }
    // The database does not enforce the declared widths itself; a text that
    // would not fit fails here like an insert that the column refused.
    if (word.Spelling.size() > kSpellingWidth || word.Pronunciation.size() > kPronunciationWidth
        || word.Meaning.size() > kMeaningWidth)
        return TLineFault::TooWide;
    // Values are bound, so quotes are stored as typed without doubling.
    return data.InsertWord(tableName, word.Spelling, word.Pronunciation, word.Meaning) ? TLineFault::None
                                                                                       : TLineFault::InsertFailed;
}

bool ImportWordLine(TDataInterface &data, const QString &line, const QString &tableName, bool encrypt)
{
    return StoreWordLine(data, line, tableName, encrypt) == TLineFault::None;
}

namespace {

// Hands every row of a file, with a fault the reader found already set, to
// the sink, until the sink says stop.
using TReadRows = std::function<void(const TRowSink &sink)>;

bool ImportRows(TDataInterface &data, int rowCount, const TReadRows &read, const QString &title, int bookClass,
                bool encrypt, const TBadLineDecision &skipBadLine, const TImportProgress &progress)
{
    const int id = data.GetNextBookId();
    const QString tableName = QStringLiteral("lib") + QString::number(id);
    // One transaction from the leftover's drop to the catalogue row: a kill
    // or a full disk at any moment leaves the library as it was or the whole
    // book, never a table the catalogue does not know (which keeps its number
    // for good once the mistake book takes the next id) nor a transaction
    // left open after a failed commit. Within it, a commit per row is saved
    // too: that would cost a disk sync per word.
    const bool inTransaction = data.BeginTransaction();
    const auto fail = [&] {
        if (inTransaction)
            data.Rollback();
        else
            data.DropTable(tableName);
        return false;
    };
    // A table of this number can only be the leftover of a stopped import.
    if (data.TableExists(tableName))
        data.DropTable(tableName);
    if (!data.CreateWordTable(tableName))
        return fail();

    const int maximum = rowCount - 1;
    const int step = std::max(1, rowCount / 100);
    QElapsedTimer sinceReport;
    sinceReport.start();
    if (progress)
        progress(0, maximum);

    int counter = 0;
    int stored = 0;
    bool carryOn = true;
    read([&](const TWordRow &row) {
        if (counter >= rowCount) // the file grew since it was counted
            return false;
        const TLineFault fault =
            row.Fault == TLineFault::None ? StoreWord(data, row.Word, tableName, encrypt) : row.Fault;
        if (fault == TLineFault::None) {
            ++stored;
        } else if (!skipBadLine || !skipBadLine(row.Line, fault)) {
            carryOn = false;
            return false;
        }
        ++counter;
        if (progress && (counter % step == 0 || counter == rowCount || sinceReport.elapsed() >= 50)) {
            progress(counter, maximum);
            sinceReport.restart();
        }
        return true;
    });
    if (!carryOn) {
        // The player's stop keeps the rows so far, without a catalogue row:
        // the next import drops the leftover table.
        if (inTransaction && !data.Commit())
            data.Rollback();
        return false;
    }
    // A book without a word could only be lost at its first toll gate.
    if (stored == 0 || !data.AddBookInfo(title, stored, tableName, bookClass, id))
        return fail();
    if (inTransaction && !data.Commit())
        return fail();
    return true;
}

} // namespace

bool ImportWordLib(TDataInterface &data, const QString &fileName, const QString &title, int bookClass, bool encrypt,
                   const TBadLineDecision &skipBadLine, const TImportProgress &progress, QString *error)
{
    TWordFileReader reader;
    QString reason;
    if (!reader.Open(fileName, reason)) {
        if (error)
            *error = reason;
        return false;
    }
    QString firstLine;
    bool valid = true;
    reader.NextLine(firstLine, valid);
    const TWordListFormat format = DetectWordListFormat(fileName, firstLine.toUtf8());
    if (format != TWordListFormat::Bracket) {
        QByteArray bytes;
        if (!TWordFileReader::ReadAll(fileName, bytes, reason)) {
            if (error)
                *error = reason;
            return false;
        }
        // Read twice, counting first, so that a large file never becomes a
        // list of rows.
        int rowCount = 0;
        const QString readError = ReadWordList(format, bytes, [&rowCount](const TWordRow &) {
            return ++rowCount < INT_MAX;
        });
        if (!readError.isEmpty() || rowCount == 0) {
            if (error)
                *error = readError.isEmpty() ? QStringLiteral("词库文件中没有任何单词。") : readError;
            return false;
        }
        const TReadRows read = [&](const TRowSink &sink) { ReadWordList(format, bytes, sink); };
        return ImportRows(data, rowCount, read, title, bookClass, encrypt, skipBadLine, progress);
    }

    // The bracket format streams, line by line.
    if (!reader.Rewind()) {
        if (error)
            *error = QStringLiteral("无法读取词库文件。");
        return false;
    }
    const TReadRows read = [&reader](const TRowSink &sink) {
        QString text;
        bool valid = true;
        for (int line = 1; reader.NextLine(text, valid); ++line) {
            TWordRow row;
            row.Line = line;
            if (!valid) {
                row.Fault = TLineFault::NotText;
            } else {
                row.Word = SplitWordLine(text);
                row.Word.Pronunciation = ConvertPhonetic(row.Word.Pronunciation);
            }
            if (!sink(row))
                return;
        }
    };
    return ImportRows(data, reader.LineCount(), read, title, bookClass, encrypt, skipBadLine, progress);
}
