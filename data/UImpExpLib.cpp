#include "UImpExpLib.h"

#include "UDataInterface.h"
#include "UScramble.h"
#include "UWordFileReader.h"
#include "UWordListFormats.h"

#include <QElapsedTimer>

#include <climits>

QString ExtractLibName(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    const QString name = path.mid(slash + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.left(dot);
}

namespace {

TLineFault StoreWord(TDataInterface &data, TWordLine word, const QString &tableName, bool encrypt)
{
    const TLineFault fault = SpellingFault(word.Spelling);
    if (fault != TLineFault::None)
        return fault;
    if (encrypt) {
        word.Spelling = ScrambleText(word.Spelling);
        word.Pronunciation = ScrambleText(word.Pronunciation);
        word.Meaning = ScrambleText(word.Meaning);
    }
    // The table's CHECKs refuse these as well; asking first tells the player
    // which rule the line broke instead of a bare failed insert.
    if (word.Spelling.size() > kSpellingWidth)
        return TLineFault::SpellingTooWide;
    if (word.Pronunciation.size() > kPronunciationWidth)
        return TLineFault::PronunciationTooWide;
    if (word.Meaning.size() > kMeaningWidth)
        return TLineFault::MeaningTooWide;
    // Values are bound, so quotes are stored as typed without doubling.
    return data.InsertWord(tableName, word.Spelling, word.Pronunciation, word.Meaning) ? TLineFault::None
                                                                                       : TLineFault::InsertFailed;
}

// Hands every row of a file, with a fault the reader found already set, to
// the sink, until the sink says stop.
using TReadRows = std::function<void(const TRowSink &sink)>;

// What one import is asked to do, and where it reports.
struct TImportJob
{
    QString Title;
    int BookClass;
    bool Encrypt;
    const TBadLineDecision &SkipBadLine;
    const TImportProgress &Progress;
    QString *Error;
    TImportCounts *Counts;
};

bool ImportRows(TDataInterface &data, int rowCount, const TReadRows &read, const TImportJob &job)
{
    const int id = data.GetNextBookId();
    if (id <= 0) {
        if (job.Error)
            *job.Error = QStringLiteral("词库目录中的书号已经全部用完，无法再导入新的词库。");
        return false;
    }
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
    // A table of this number that the catalogue does not name (the next id
    // never names a table in use) is a leftover of an older build's import.
    if (data.TableExists(tableName))
        data.DropTable(tableName);
    if (!data.CreateWordTable(tableName))
        return fail();

    const int maximum = rowCount - 1;
    const int step = std::max(1, rowCount / 100);
    QElapsedTimer sinceReport;
    sinceReport.start();
    if (job.Progress)
        job.Progress(0, maximum);

    int counter = 0;
    int stored = 0;
    bool carryOn = true;
    read([&](const TWordRow &row) {
        if (counter >= rowCount) // the file grew since it was counted
            return false;
        const TLineFault fault =
            row.Fault == TLineFault::None ? StoreWord(data, row.Word, tableName, job.Encrypt) : row.Fault;
        if (fault == TLineFault::None) {
            ++stored;
        } else if (!job.SkipBadLine || !job.SkipBadLine(row.Line, fault)) {
            carryOn = false;
            return false;
        }
        ++counter;
        if (job.Progress && (counter % step == 0 || counter == rowCount || sinceReport.elapsed() >= 50)) {
            job.Progress(counter, maximum);
            sinceReport.restart();
        }
        return true;
    });
    if (!carryOn) // the player's stop: nothing of this import stays
        return fail();
    // A book without a word could only be lost at its first toll gate.
    if (stored == 0 || !data.AddBookInfo(job.Title, stored, tableName, job.BookClass, id))
        return fail();
    if (inTransaction && !data.Commit())
        return fail();
    if (job.Counts)
        *job.Counts = TImportCounts{stored, counter - stored};
    return true;
}

} // namespace

bool ImportWordLib(TDataInterface &data, const QString &fileName, const QString &title, int bookClass, bool encrypt,
                   const TBadLineDecision &skipBadLine, const TImportProgress &progress, QString *error,
                   TImportCounts *counts)
{
    const TImportJob job{title, bookClass, encrypt, skipBadLine, progress, error, counts};
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
        return ImportRows(data, rowCount, read, job);
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
    return ImportRows(data, reader.LineCount(), read, job);
}
