#include "UKnownWords.h"

#include "UDataInterface.h"
#include "UScramble.h"
#include "USqlite.h"
#include "UTableShape.h"

#include <sqlcipher/sqlite3.h>

const QString &TKnownWords::TableName()
{
    static const QString name = QStringLiteral("knownwords");
    return name;
}

TKnownWords::TKnownWords(TDataInterface &data)
    : m_data(data)
{
}

const TTableShape &TKnownWords::Shape()
{
    static const TTableShape shape{
        QStringLiteral("knownwords"),
        QStringLiteral("CREATE TABLE knownwords("
                       "word TEXT PRIMARY KEY NOT NULL CHECK(length(word) <= 255),"
                       "pronunciation TEXT NOT NULL DEFAULT '',"
                       "meaning TEXT NOT NULL DEFAULT '',"
                       "sourcebook TEXT NOT NULL DEFAULT '',"
                       "added TEXT NOT NULL DEFAULT '')"),
        {"word", "pronunciation", "meaning", "sourcebook", "added"},
        {}};
    return shape;
}

bool TKnownWords::Exists()
{
    return m_data.TableExists(TableName());
}

bool TKnownWords::Verify()
{
    if (!Exists())
        return false;
    m_ensured = true;
    return EnsureTableShape(m_data.Database(), Shape(), [](QHash<QString, QString> &row) {
               return !row.value(QStringLiteral("word")).trimmed().isEmpty();
           })
           == TShapeCheck::Rebuilt;
}

void TKnownWords::Ensure()
{
    if (m_ensured)
        return;
    EnsureTableShape(m_data.Database(), Shape());
    m_ensured = true;
}

void TKnownWords::Add(const TWordInfo &word, const QString &sourceBook, const QDate &today, bool scramble)
{
    if (word.Spelling.trimmed().isEmpty())
        return;
    Ensure();
    TSqliteStatement insert(m_data.Database().Handle(),
                            QStringLiteral("INSERT OR REPLACE INTO knownwords(word, pronunciation, meaning, sourcebook, "
                                           "added) VALUES(?, ?, ?, ?, ?)"));
    insert.Bind(1, word.Spelling)
        .Bind(2, StoredText(word.Pronunciation, scramble))
        .Bind(3, StoredText(word.Meaning, scramble))
        .Bind(4, sourceBook)
        .Bind(5, today.toString(Qt::ISODate));
    insert.Step();
}

bool TKnownWords::Remove(const QString &spelling)
{
    if (!Exists())
        return false;
    TSqliteStatement remove(m_data.Database().Handle(), QStringLiteral("DELETE FROM knownwords WHERE word = ?"));
    remove.Bind(1, spelling);
    remove.Step();
    return sqlite3_changes(m_data.Database().Handle()) > 0;
}

bool TKnownWords::Contains(const QString &spelling)
{
    if (!Exists())
        return false;
    TSqliteStatement query(m_data.Database().Handle(), QStringLiteral("SELECT 1 FROM knownwords WHERE word = ?"));
    query.Bind(1, spelling);
    return query.Step();
}

QSet<QString> TKnownWords::Spellings()
{
    QSet<QString> spellings;
    if (!Exists())
        return spellings;
    TSqliteStatement query(m_data.Database().Handle(), QStringLiteral("SELECT word FROM knownwords"));
    while (query.Step())
        spellings.insert(query.ColumnText(0));
    return spellings;
}

QList<TKnownWord> TKnownWords::Rows(bool unscramble)
{
    QList<TKnownWord> rows;
    if (!Exists())
        return rows;
    TSqliteStatement query(m_data.Database().Handle(),
                           QStringLiteral("SELECT k.word, k.pronunciation, k.meaning, k.sourcebook, k.added, "
                                          "coalesce((SELECT b.bookname FROM bookinfo b WHERE lower(b.storetablename) = "
                                          "lower(k.sourcebook) ORDER BY b.id LIMIT 1), k.sourcebook) "
                                          "FROM knownwords k ORDER BY lower(k.word), k.word"));
    while (query.Step()) {
        TKnownWord row;
        row.Word.Spelling = query.ColumnText(0);
        row.Word.Pronunciation = PlainText(query.ColumnText(1), unscramble);
        row.Word.Meaning = PlainText(query.ColumnText(2), unscramble);
        row.SourceBook = query.ColumnText(3);
        row.Added = QDate::fromString(query.ColumnText(4), Qt::ISODate);
        row.SourceTitle = query.ColumnText(5);
        rows.append(row);
    }
    return rows;
}

