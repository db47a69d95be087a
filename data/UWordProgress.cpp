#include "UWordProgress.h"

#include "UDataInterface.h"
#include "UKnownWords.h"
#include "UMistakeBook.h"
#include "USqlite.h"
#include "UTableShape.h"

#include <QMap>
#include <QtDebug>

#include <algorithm>

namespace {

const QList<TTableShape> &ProgressTables()
{
    static const QList<TTableShape> tables = {
        {QStringLiteral("wordprogress"),
         QStringLiteral("CREATE TABLE wordprogress(book TEXT NOT NULL, spelling TEXT NOT NULL,"
                        "dealt INTEGER NOT NULL DEFAULT 0, completed INTEGER NOT NULL DEFAULT 0,"
                        "hinted INTEGER NOT NULL DEFAULT 0, missed INTEGER NOT NULL DEFAULT 0,"
                        "lastdate TEXT NOT NULL DEFAULT '', seconds TEXT NOT NULL DEFAULT '',"
                        "PRIMARY KEY(book, spelling)) WITHOUT ROWID"),
         {"book", "spelling", "dealt", "completed", "hinted", "missed", "lastdate", "seconds"},
         {}},
        {QStringLiteral("dayprogress"),
         QStringLiteral("CREATE TABLE dayprogress(day TEXT PRIMARY KEY, completed INTEGER NOT NULL DEFAULT 0)"),
         {"day", "completed"},
         {}},
        {QStringLiteral("bookprogress"),
         QStringLiteral("CREATE TABLE bookprogress(book TEXT PRIMARY KEY, tollgate INTEGER NOT NULL DEFAULT 0,"
                        "bestscore INTEGER NOT NULL DEFAULT 0)"),
         {"book", "tollgate", "bestscore"},
         {}},
    };
    return tables;
}

// A progress write waits this long for another program's lock, so that a
// finished word never holds the window for the library's usual two seconds;
// a record that meets a lock waits in the queue for the next one.
constexpr int kWriteWait = 50;

class TShortWait
{
public:
    explicit TShortWait(TDataInterface &data)
    {
        if (data.IsConnected()) {
            m_db = &data.Database();
            m_db->SetBusyTimeout(kWriteWait);
        }
    }
    ~TShortWait()
    {
        if (m_db)
            m_db->SetBusyTimeout(TSqliteDatabase::kBusyTimeout);
    }
    TShortWait(const TShortWait &) = delete;
    TShortWait &operator=(const TShortWait &) = delete;

private:
    TSqliteDatabase *m_db = nullptr;
};

QString DateText(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

QString AppendSeconds(const QString &kept, int seconds)
{
    QStringList list = kept.split(QLatin1Char(','), Qt::SkipEmptyParts);
    list.append(QString::number(std::max(0, seconds)));
    while (list.size() > TWordProgress::kKeptSeconds)
        list.removeFirst();
    return list.join(QLatin1Char(','));
}

void EnsureRow(TSqliteDatabase &db, const QString &sql, const QString &key, const QString &second = QString())
{
    TSqliteStatement insert(db.Handle(), sql);
    insert.Bind(1, key);
    if (!second.isNull())
        insert.Bind(2, second);
    insert.Step();
}

int CountWhere(TSqliteDatabase &db, const QString &sql, const QString &book)
{
    TSqliteStatement query(db.Handle(), sql);
    query.Bind(1, book);
    query.Step();
    return query.ColumnInt(0);
}

} // namespace

TWordProgress::TWordProgress(TDataInterface &data)
    : m_data(data)
    , m_mistakes(data)
{
}

TWordProgress::~TWordProgress()
{
    // The last chance for records that met a lock; what is still held then
    // is lost, and said so.
    if (!m_pending.isEmpty())
        Flush();
    if (!m_pending.isEmpty())
        LogDropped(int(m_pending.size()), QStringLiteral("the library stayed locked by another program"));
}

bool TWordProgress::Open()
{
    return Prepare() == TWrite::Stored;
}

TWordProgress::TWrite TWordProgress::Prepare()
{
    if (m_ready)
        return TWrite::Stored;
    try {
        const TShortWait wait(m_data);
        EnsureTables();
        m_ready = true;
        return TWrite::Stored;
    } catch (const EDatabaseError &error) {
        m_lastError = error.Message();
        return error.Fault() == TDatabaseFault::Busy ? TWrite::Busy : TWrite::Failed;
    }
}

void TWordProgress::EnsureTables()
{
    TSqliteDatabase &db = m_data.Database();
    bool found = false, missing = false;
    for (const TTableShape &shape : ProgressTables()) {
        switch (EnsureTableShape(db, shape)) {
        case TShapeCheck::Fine: found = true; break;
        case TShapeCheck::Created: missing = true; break;
        case TShapeCheck::Rebuilt: m_rebuilt = true; break;
        }
    }
    // All missing is a first use; some missing means progress was lost.
    if (found && missing)
        m_rebuilt = true;
    if (m_mistakes.Verify())
        m_rebuilt = true;
    if (TKnownWords(m_data).Verify())
        m_rebuilt = true;
}

bool TWordProgress::TakeRebuiltNotice()
{
    return std::exchange(m_rebuilt, false);
}

TWordProgress::TWrite TWordProgress::Write(const std::function<void()> &change)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const TWrite prepared = Prepare();
        if (prepared != TWrite::Stored)
            return prepared;
        try {
            const TShortWait wait(m_data);
            m_data.Database().RunImmediate(change);
            return TWrite::Stored;
        } catch (const EDatabaseError &error) {
            m_lastError = error.Message();
            if (error.Fault() == TDatabaseFault::Busy)
                return TWrite::Busy;
            // Look again at the tables' shape and readability before one retry.
            m_ready = false;
            m_mistakes.Forget();
        }
    }
    return TWrite::Failed;
}

void TWordProgress::LogDropped(int count, const QString &reason)
{
    m_dropped += count;
    if (m_dropLogged)
        return;
    m_dropLogged = true;
    qWarning().noquote() << QStringLiteral("word progress: %1 record(s) not stored, and later ones may not be either: %2")
                                .arg(count)
                                .arg(reason);
}

void TWordProgress::Flush()
{
    while (!m_pending.isEmpty()) {
        TPending &head = m_pending.first();
        switch (Write([&] { WriteEvent(head.Event, head.Day, head.Scramble); })) {
        case TWrite::Stored:
            m_lastStored = head.Serial;
            m_pending.removeFirst();
            break;
        case TWrite::Busy:
            // The lock stands for the others too: they wait their turn.
            if (++head.Attempts < kMaxAttempts)
                return;
            LogDropped(1, QStringLiteral("the library stayed locked by another program (%1)").arg(m_lastError));
            m_pending.removeFirst();
            return;
        case TWrite::Failed:
            LogDropped(1, m_lastError);
            m_pending.removeFirst();
            break;
        }
    }
}

bool TWordProgress::Record(const TWordEvent &event, const QDate &today, bool scramble)
{
    if (event.Word.Spelling.isEmpty() || event.Book.isEmpty())
        return false;
    if (m_pending.size() >= kMaxPending) {
        LogDropped(1, QStringLiteral("too many records waited for the library's lock"));
        m_pending.removeFirst();
    }
    const quint64 serial = ++m_serial;
    m_pending.append(TPending{event, today, scramble, 0, serial});
    Flush();
    return m_lastStored == serial;
}

void TWordProgress::WriteEvent(const TWordEvent &event, const QDate &today, bool scramble)
{
    TSqliteDatabase &db = m_data.Database();
    TMistakeBook &mistakes = m_mistakes;
    const QString spelling = event.Word.Spelling;
    if (event.Outcome == TWordOutcome::WrongOrder) {
        mistakes.Add(event.Word, event.Book, today, scramble);
        return;
    }
    if (event.TollGate > 0)
        WriteBook(event.Book, event.TollGate, event.Score);
    const bool completed = event.Outcome == TWordOutcome::Completed;
    QString seconds;
    if (completed) {
        TSqliteStatement kept(db.Handle(), QStringLiteral("SELECT seconds FROM wordprogress WHERE book = ? AND spelling = ?"));
        kept.Bind(1, event.Book).Bind(2, spelling);
        seconds = AppendSeconds(kept.Step() ? kept.ColumnText(0) : QString(), event.Seconds);
    }
    // The SQLite under the packaged SQLCipher predates upserts.
    EnsureRow(db, QStringLiteral("INSERT OR IGNORE INTO wordprogress(book, spelling) VALUES(?, ?)"), event.Book, spelling);
    TSqliteStatement update(db.Handle(),
                            QStringLiteral("UPDATE wordprogress SET dealt = dealt + 1, completed = completed + ?1, "
                                           "hinted = hinted + ?2, missed = missed + ?3, lastdate = ?4, "
                                           "seconds = CASE WHEN ?1 THEN ?5 ELSE seconds END WHERE book = ?6 AND spelling = ?7"));
    update.Bind(1, completed ? 1 : 0).Bind(2, completed && event.Hinted ? 1 : 0).Bind(3, completed ? 0 : 1)
        .Bind(4, DateText(today)).Bind(5, seconds).Bind(6, event.Book).Bind(7, spelling);
    update.Step();

    if (completed) {
        const QString day = DateText(today);
        EnsureRow(db, QStringLiteral("INSERT OR IGNORE INTO dayprogress(day) VALUES(?)"), day);
        TSqliteStatement count(db.Handle(), QStringLiteral("UPDATE dayprogress SET completed = completed + 1 WHERE day = ?"));
        count.Bind(1, day);
        count.Step();
    }
    // A wrong fill already put the word in during this deal.
    if (event.WrongBefore)
        return;
    if (!completed || event.Hinted)
        mistakes.Add(event.Word, event.Book, today, scramble);
    else if (TMistakeBook::IsMistakeTable(event.Book))
        mistakes.Practised(spelling, today);
}

bool TWordProgress::RecordBook(const QString &book, int tollGate, int score)
{
    if (book.isEmpty())
        return false;
    return Write([&] { WriteBook(book, tollGate, score); }) == TWrite::Stored;
}

void TWordProgress::WriteBook(const QString &book, int tollGate, int score)
{
    TSqliteDatabase &db = m_data.Database();
    EnsureRow(db, QStringLiteral("INSERT OR IGNORE INTO bookprogress(book) VALUES(?)"), book);
    TSqliteStatement update(db.Handle(), QStringLiteral("UPDATE bookprogress SET tollgate = max(tollgate, ?), "
                                                        "bestscore = max(bestscore, ?) WHERE book = ?"));
    update.Bind(1, tollGate).Bind(2, score).Bind(3, book);
    update.Step();
}

bool TWordProgress::ClearMistakeBook()
{
    return Write([&] { m_mistakes.Clear(); }) == TWrite::Stored;
}

int TWordProgress::Median(const QString &seconds)
{
    QList<int> values;
    for (const QString &part : seconds.split(QLatin1Char(','), Qt::SkipEmptyParts))
        values.append(part.toInt());
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

TWordStats TWordProgress::Word(const QString &book, const QString &spelling)
{
    TWordStats stats;
    if (!Open())
        return stats;
    TSqliteStatement query(m_data.Database().Handle(),
                           QStringLiteral("SELECT dealt, completed, hinted, missed, lastdate, seconds FROM wordprogress "
                                          "WHERE book = ? AND spelling = ?"));
    query.Bind(1, book).Bind(2, spelling);
    if (query.Step()) {
        stats.Dealt = query.ColumnInt(0);
        stats.Completed = query.ColumnInt(1);
        stats.Hinted = query.ColumnInt(2);
        stats.Missed = query.ColumnInt(3);
        stats.LastDate = QDate::fromString(query.ColumnText(4), Qt::ISODate);
        stats.MedianSeconds = Median(query.ColumnText(5));
    }
    return stats;
}

QList<TBookStats> TWordProgress::BookStats()
{
    QList<TBookStats> books;
    if (!Open())
        return books;
    TSqliteDatabase &db = m_data.Database();
    const bool hasMistakes = TMistakeBook(m_data).Exists();
    const QString mistakeSources = hasMistakes ? QStringLiteral(" UNION SELECT sourcebook FROM mistakebook") : QString();
    TSqliteStatement list(db.Handle(),
                          QStringLiteral("SELECT storetablename, bookname FROM bookinfo WHERE storetablename IN "
                                         "(SELECT book FROM wordprogress UNION SELECT book FROM bookprogress%1) "
                                         "ORDER BY id").arg(mistakeSources));
    while (list.Step()) {
        TBookStats book;
        book.Book = list.ColumnText(0);
        book.Title = list.ColumnText(1);
        books.append(book);
    }
    for (TBookStats &book : books) {
        TSqliteStatement gate(db.Handle(), QStringLiteral("SELECT tollgate, bestscore FROM bookprogress WHERE book = ?"));
        gate.Bind(1, book.Book);
        if (gate.Step()) {
            book.TollGate = gate.ColumnInt(0);
            book.BestScore = gate.ColumnInt(1);
        }
        book.Seen = CountWhere(db, QStringLiteral("SELECT count(*) FROM wordprogress WHERE book = ?"), book.Book);
        const QString notMissed = hasMistakes ? QStringLiteral(" AND spelling NOT IN (SELECT word FROM mistakebook)") : QString();
        book.Mastered = CountWhere(
            db, QStringLiteral("SELECT count(*) FROM wordprogress WHERE book = ? AND completed > hinted%1").arg(notMissed),
            book.Book);
        if (hasMistakes)
            book.InMistakeBook = TMistakeBook::IsMistakeTable(book.Book)
                                     ? TMistakeBook(m_data).Count()
                                     : CountWhere(db, QStringLiteral("SELECT count(*) FROM mistakebook WHERE sourcebook = ?"), book.Book);
    }
    return books;
}

QList<int> TWordProgress::DailyCompleted(const QDate &today, int days)
{
    QList<int> counts(std::max(0, days), 0);
    if (days <= 0 || !Open())
        return counts;
    const QDate first = today.addDays(1 - days);
    TSqliteStatement query(m_data.Database().Handle(),
                           QStringLiteral("SELECT day, completed FROM dayprogress WHERE day >= ? AND day <= ?"));
    query.Bind(1, DateText(first)).Bind(2, DateText(today));
    while (query.Step()) {
        const qint64 at = first.daysTo(QDate::fromString(query.ColumnText(0), Qt::ISODate));
        if (at >= 0 && at < days)
            counts[at] += query.ColumnInt(1);
    }
    return counts;
}
