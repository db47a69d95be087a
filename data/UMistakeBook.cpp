#include "UMistakeBook.h"

#include "UBookType.h"
#include "UDataInterface.h"
#include "UKnownWords.h"
#include "UScramble.h"
#include "USqlite.h"
#include "UTableShape.h"

#include <sqlcipher/sqlite3.h>

#include <climits>
#include <memory>

namespace {

QString DateText(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

} // namespace

const QString &TMistakeBook::TableName()
{
    static const QString name = QStringLiteral("mistakebook");
    return name;
}

const QString &TMistakeBook::Title()
{
    static const QString title = QStringLiteral("《我的生词本》");
    return title;
}

bool TMistakeBook::IsMistakeTable(const QString &tableName)
{
    return tableName.compare(TableName(), Qt::CaseInsensitive) == 0;
}

int TMistakeBook::BoxInterval(int box)
{
    switch (box) {
    case 1: return 1;
    case 2: return 3;
    default: return 7;
    }
}

TMistakeBook::TMistakeBook(TDataInterface &data)
    : m_data(data)
{
}

bool TMistakeBook::Exists()
{
    return m_data.TableExists(TableName());
}

const TTableShape &TMistakeBook::Shape()
{
    // The first four columns are those of every word table.
    static const TTableShape shape{
        QStringLiteral("mistakebook"),
        QStringLiteral("CREATE TABLE mistakebook("
                       "id INTEGER PRIMARY KEY AUTOINCREMENT,"
                       "spelling TEXT NOT NULL DEFAULT '' CHECK(length(spelling) <= 255),"
                       "pronunciation TEXT NOT NULL DEFAULT '' CHECK(length(pronunciation) <= 200),"
                       "meaning TEXT NOT NULL DEFAULT '' CHECK(length(meaning) <= 255),"
                       "word TEXT NOT NULL UNIQUE,"
                       "sourcebook TEXT NOT NULL DEFAULT '',"
                       "misses INTEGER NOT NULL DEFAULT 0,"
                       "box INTEGER NOT NULL DEFAULT 1,"
                       "due TEXT NOT NULL DEFAULT '',"
                       "lastclean TEXT NOT NULL DEFAULT '')"),
        {"id", "spelling", "pronunciation", "meaning", "word", "sourcebook", "misses", "box", "due", "lastclean"},
        {QStringLiteral("CREATE INDEX mistakebook_due ON mistakebook(due, id, spelling, pronunciation, meaning)")}};
    return shape;
}

bool TMistakeBook::Verify()
{
    if (!Exists()) {
        // A catalogue row without its table: the book has no word.
        RecountWords();
        return false;
    }
    // A plain word table of that name (an older copy, another program's)
    // keeps its words; each one's plain spelling becomes its key.
    const TShapeCheck check = EnsureTableShape(m_data.Database(), Shape(), [](QHash<QString, QString> &row) {
        if (!row.contains(QStringLiteral("word"))) {
            const QString spelling = row.value(QStringLiteral("spelling"));
            const QString plain = spelling.trimmed().isEmpty() ? QString() : UnscrambleText(spelling);
            row.insert(QStringLiteral("word"), plain.isEmpty() ? spelling : plain);
        }
        return !row.value(QStringLiteral("word")).trimmed().isEmpty();
    });
    RecountWords();
    return check == TShapeCheck::Rebuilt;
}

void TMistakeBook::RecountWords()
{
    // The catalogue's count cuts the book into toll gates: one that differs
    // from the table's rows gives empty gates or leaves words out. Written
    // only when it differs, as a write waits for other programs' locks.
    TSqliteStatement rows(m_data.Database().Handle(),
                          QStringLiteral("SELECT 1 FROM bookinfo WHERE storetablename = ? AND bookclass = ? AND wordnumber <> ?"));
    rows.Bind(1, TableName()).Bind(2, kWordBookClass).Bind(3, Count());
    if (rows.Step())
        AdjustWordCount(QString::number(Count()));
}

void TMistakeBook::Ensure()
{
    if (m_ensured)
        return;
    TSqliteDatabase &db = m_data.Database();
    if (!Exists())
        EnsureTableShape(db, Shape());
    TSqliteStatement listed(db.Handle(), QStringLiteral("SELECT 1 FROM bookinfo WHERE storetablename = ? AND bookclass = ?"));
    listed.Bind(1, TableName()).Bind(2, kWordBookClass);
    if (!listed.Step()) {
        const int id = m_data.GetNextBookId();
        if (id <= 0)
            throw EDatabaseError(QStringLiteral("No book number is left for the mistake book"));
        TSqliteStatement insert(db.Handle(),
                                QStringLiteral("INSERT INTO bookinfo(id, bookname, wordnumber, storetablename, booktype, "
                                               "bookclass, isdefault) VALUES(?, ?, 0, ?, 0, ?, 1)"));
        insert.Bind(1, id).Bind(2, Title()).Bind(3, TableName()).Bind(4, kWordBookClass);
        insert.Step();
        AdjustWordCount(QStringLiteral("(SELECT count(*) FROM mistakebook)"));
    }
    m_ensured = true;
}

void TMistakeBook::Add(const TWordInfo &word, const QString &sourceBook, const QDate &today, bool scramble)
{
    if (TKnownWords(m_data).Contains(word.Spelling))
        return;
    Ensure();
    TSqliteDatabase &db = m_data.Database();
    const QString due = DateText(today.addDays(BoxInterval(1)));
    // A word missed while practising it here keeps the book it came from.
    TSqliteStatement again(db.Handle(), QStringLiteral("UPDATE mistakebook SET misses = misses + 1, box = 1, due = ?, "
                                                       "lastclean = '' WHERE word = ?"));
    again.Bind(1, due).Bind(2, word.Spelling);
    again.Step();
    if (sqlite3_changes(db.Handle()) > 0)
        return;
    TSqliteStatement insert(db.Handle(),
                            QStringLiteral("INSERT INTO mistakebook(spelling, pronunciation, meaning, word, sourcebook, "
                                           "misses, box, due) VALUES(?, ?, ?, ?, ?, 1, 1, ?)"));
    insert.Bind(1, StoredText(word.Spelling, scramble))
        .Bind(2, StoredText(word.Pronunciation, scramble))
        .Bind(3, StoredText(word.Meaning, scramble))
        .Bind(4, word.Spelling)
        .Bind(5, sourceBook)
        .Bind(6, due);
    insert.Step();
    AdjustWordCount(QStringLiteral("wordnumber + 1"));
}

void TMistakeBook::Practised(const QString &spelling, const QDate &today)
{
    TMistakeEntry entry;
    if (!Find(spelling, entry))
        return;
    TSqliteDatabase &db = m_data.Database();
    TSqliteStatement last(db.Handle(), QStringLiteral("SELECT lastclean FROM mistakebook WHERE word = ?"));
    last.Bind(1, spelling);
    last.Step();
    if (last.ColumnText(0) == DateText(today))
        return; // one step a day, however often it is spelled
    if (entry.Box >= kLastBox) {
        TSqliteStatement remove(db.Handle(), QStringLiteral("DELETE FROM mistakebook WHERE word = ?"));
        remove.Bind(1, spelling);
        remove.Step();
        AdjustWordCount(QStringLiteral("max(wordnumber - 1, 0)"));
        return;
    }
    const int box = std::max(entry.Box, 1) + 1;
    TSqliteStatement update(db.Handle(),
                            QStringLiteral("UPDATE mistakebook SET box = ?, due = ?, lastclean = ? WHERE word = ?"));
    update.Bind(1, box).Bind(2, DateText(today.addDays(BoxInterval(box)))).Bind(3, DateText(today)).Bind(4, spelling);
    update.Step();
}

void TMistakeBook::Clear()
{
    if (!Exists())
        return;
    m_data.Database().Exec(QStringLiteral("DELETE FROM mistakebook"));
    AdjustWordCount(QStringLiteral("0"));
}

bool TMistakeBook::Remove(const QString &spelling)
{
    if (!Exists())
        return false;
    TSqliteStatement remove(m_data.Database().Handle(), QStringLiteral("DELETE FROM mistakebook WHERE word = ?"));
    remove.Bind(1, spelling);
    remove.Step();
    if (sqlite3_changes(m_data.Database().Handle()) == 0)
        return false;
    AdjustWordCount(QStringLiteral("max(wordnumber - 1, 0)"));
    return true;
}

TWordInfos TMistakeBook::LoadTollGate(int index, int tollGateWords, bool unscramble)
{
    TWordInfos words;
    if (tollGateWords <= 0)
        return words;
    const qint64 offset = (qint64(std::max(1, index)) - 1) * tollGateWords;
    if (offset > INT_MAX)
        return words;
    // Asking whether the table exists would cost a query on every load.
    std::unique_ptr<TSqliteStatement> prepared;
    try {
        prepared = std::make_unique<TSqliteStatement>(m_data.Database().Handle(),
                                                      QStringLiteral("SELECT spelling, pronunciation, meaning FROM mistakebook "
                                                                     "ORDER BY due, id LIMIT ?1 OFFSET ?2"));
    } catch (const EDatabaseError &) {
        if (!Exists())
            return words; // nothing was ever missed
        throw;
    }
    TSqliteStatement &query = *prepared;
    query.Bind(1, tollGateWords).Bind(2, int(offset));
    while (query.Step()) {
        TWordInfo word;
        word.Spelling = PlainText(query.ColumnText(0), unscramble);
        word.Pronunciation = PlainText(query.ColumnText(1), unscramble);
        word.Meaning = PlainText(query.ColumnText(2), unscramble);
        words.append(word);
    }
    return words;
}

int TMistakeBook::Count()
{
    if (!Exists())
        return 0;
    TSqliteStatement query(m_data.Database().Handle(), QStringLiteral("SELECT count(*) FROM mistakebook"));
    query.Step();
    return query.ColumnInt(0);
}

bool TMistakeBook::Find(const QString &spelling, TMistakeEntry &entry)
{
    if (!Exists())
        return false;
    TSqliteStatement query(m_data.Database().Handle(),
                           QStringLiteral("SELECT word, sourcebook, misses, box, due FROM mistakebook WHERE word = ?"));
    query.Bind(1, spelling);
    if (!query.Step())
        return false;
    entry.Spelling = query.ColumnText(0);
    entry.SourceBook = query.ColumnText(1);
    entry.Misses = query.ColumnInt(2);
    entry.Box = query.ColumnInt(3);
    entry.Due = QDate::fromString(query.ColumnText(4), Qt::ISODate);
    return true;
}

void TMistakeBook::AdjustWordCount(const QString &value)
{
    // The catalogue's count cuts the book into toll gates, here and in older
    // builds; it moves with each row rather than being counted afresh.
    TSqliteStatement update(m_data.Database().Handle(),
                            QStringLiteral("UPDATE bookinfo SET wordnumber = %1 WHERE storetablename = ? AND bookclass = ?")
                                .arg(value));
    update.Bind(1, TableName()).Bind(2, kWordBookClass);
    update.Step();
}
