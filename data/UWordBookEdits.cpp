#include "UWordBookEdits.h"

#include "UDataInterface.h"
#include "UMistakeBook.h"
#include "UScramble.h"
#include "USqlite.h"

QList<TMistakeRow> ReadMistakeRows(TDataInterface &data, bool unscramble)
{
    QList<TMistakeRow> rows;
    if (!TMistakeBook(data).Exists())
        return rows;
    // Completions are counted over every book the word was spelled in; before
    // any progress was kept there is nothing to count.
    const QString spelled = data.TableExists(QStringLiteral("wordprogress"))
                                ? QStringLiteral("(SELECT coalesce(sum(completed), 0) FROM wordprogress p WHERE p.spelling = m.word)")
                                : QStringLiteral("0");
    TSqliteStatement query(data.Database().Handle(),
                           QStringLiteral("SELECT m.word, m.pronunciation, m.meaning, m.sourcebook, m.misses, %1, m.box, "
                                          "m.due FROM mistakebook m ORDER BY m.due, m.id")
                               .arg(spelled));
    while (query.Step()) {
        TMistakeRow row;
        row.Word.Spelling = query.ColumnText(0);
        row.Word.Pronunciation = PlainText(query.ColumnText(1), unscramble);
        row.Word.Meaning = PlainText(query.ColumnText(2), unscramble);
        row.SourceBook = query.ColumnText(3);
        row.Misses = query.ColumnInt(4);
        row.Spelled = query.ColumnInt(5);
        row.Box = query.ColumnInt(6);
        row.Due = QDate::fromString(query.ColumnText(7), Qt::ISODate);
        rows.append(row);
    }
    return rows;
}

int RemoveFromMistakeBook(TDataInterface &data, const QStringList &spellings)
{
    int removed = 0;
    data.Database().RunImmediate([&] {
        TMistakeBook book(data);
        for (const QString &spelling : spellings)
            removed += book.Remove(spelling) ? 1 : 0;
    });
    return removed;
}

void MarkKnown(TDataInterface &data, const QList<TKnownWord> &words, const QDate &today, bool scramble)
{
    data.Database().RunImmediate([&] {
        TKnownWords known(data);
        TMistakeBook book(data);
        for (const TKnownWord &word : words) {
            known.Add(word.Word, word.SourceBook, today, scramble);
            book.Remove(word.Word.Spelling);
        }
    });
}

int ForgetKnown(TDataInterface &data, const QStringList &spellings)
{
    int forgotten = 0;
    data.Database().RunImmediate([&] {
        TKnownWords known(data);
        for (const QString &spelling : spellings)
            forgotten += known.Remove(spelling) ? 1 : 0;
    });
    return forgotten;
}
