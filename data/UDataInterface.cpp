#include "UDataInterface.h"

#include "UKeyCache.h"

#include "USettings.h"
#include "UScramble.h"
#include "USqlite.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <climits>

namespace {

// Jet's varchar(n) limits, kept as CHECK constraints so an over-long text
// fails its insert instead of being stored and later failing elsewhere.
const char *const kCatalogueSchema =
    "CREATE TABLE bookinfo("
    "id INTEGER PRIMARY KEY,"
    "bookname TEXT NOT NULL DEFAULT '' CHECK(length(bookname) <= 255),"
    "wordnumber INTEGER NOT NULL DEFAULT 0,"
    "storetablename TEXT NOT NULL DEFAULT '' CHECK(length(storetablename) <= 255),"
    "booktype INTEGER NOT NULL DEFAULT 0,"
    "bookclass INTEGER NOT NULL DEFAULT 0,"
    "isdefault INTEGER NOT NULL DEFAULT 0);"
    "CREATE TABLE gamerecord("
    "name TEXT NOT NULL DEFAULT '' CHECK(length(name) <= 255),"
    "score INTEGER NOT NULL DEFAULT 0,"
    "recoretime TEXT NOT NULL CHECK(recoretime GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'));";

QString Quoted(const QString &tableName)
{
    return QLatin1Char('"') + tableName + QLatin1Char('"');
}

// The catalogue and the ranking list are never word tables: an import that
// names them must not be able to drop or fill them.
bool IsWordTableName(const QString &tableName)
{
    return TDataInterface::IsValidTableName(tableName)
           && tableName.compare(QLatin1String("bookinfo"), Qt::CaseInsensitive) != 0
           && tableName.compare(QLatin1String("gamerecord"), Qt::CaseInsensitive) != 0;
}

TConnectResult OpenFailure(TDatabaseFault fault)
{
    switch (fault) {
    case TDatabaseFault::Busy: return TConnectResult::Busy;
    case TDatabaseFault::Damaged: return TConnectResult::Damaged;
    default: return TConnectResult::CannotOpen;
    }
}

} // namespace

struct TDataInterface::TInsertCache
{
    QString TableName;
    std::unique_ptr<TSqliteStatement> Statement;
};

TDataInterface::TDataInterface() = default;

TDataInterface::~TDataInterface()
{
    Close();
}

QString TDataInterface::DatabasePassword()
{
    return QStringLiteral("MOSS@1987#fern");
}

QString TDataInterface::GetDatabaseFileName(const TSettings &settings)
{
    return settings.DatabaseFileName();
}

bool TDataInterface::IsValidTableName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return pattern.match(name).hasMatch();
}

TConnectResult TDataInterface::Connect(const TSettings &settings)
{
    return Connect(GetDatabaseFileName(settings), DatabasePassword());
}

bool TDataInterface::ConnectDatabase(const TSettings &settings)
{
    return Connect(settings) == TConnectResult::Connected;
}

bool TDataInterface::ConnectDatabase(const QString &fileName, const QString &password)
{
    return Connect(fileName, password) == TConnectResult::Connected;
}

bool TDataInterface::HasCatalogue()
{
    // SQLite takes an empty file (or /dev/null) for a new, empty database:
    // only a file with the catalogue is a word library. The statement ends
    // here, so no read stays open on the connection.
    TSqliteStatement catalogue(m_db->Handle(), QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' "
                                                              "AND lower(name) = 'bookinfo'"));
    return catalogue.Step();
}

void TDataInterface::UseWriteAheadLog()
{
    // Each finished word is recorded in its own transaction on the UI thread.
    // With a rollback journal every commit waits for the disk several times
    // (milliseconds); a write-ahead log appends and syncs at checkpoints, so a
    // commit costs a fraction of a millisecond. A crash of the program loses
    // nothing committed; a power cut may lose the last few words' progress,
    // never the database. Where the folder cannot hold the log's files the
    // library stays as it was.
    try {
        m_db->Exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        m_db->Exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    } catch (const EDatabaseError &) {
    }
}

TConnectResult TDataInterface::Connect(const QString &fileName, const QString &password)
{
    Close();
    m_openError.clear();
    if (!QFileInfo::exists(fileName)) {
        m_openError = QStringLiteral("No such file: %1").arg(fileName);
        return TConnectResult::Missing;
    }
    try {
        m_db = OpenWithKeyCache(fileName, password, KeyCacheFileName(fileName)).Database;
        if (!HasCatalogue()) {
            Close();
            m_openError = QStringLiteral("No book catalogue in %1").arg(fileName);
            return TConnectResult::Damaged;
        }
        UseWriteAheadLog();
        return TConnectResult::Connected;
    } catch (const EDatabaseError &error) {
        Close();
        m_openError = error.Message();
        return OpenFailure(error.Fault());
    }
}

bool TDataInterface::CreateDatabase(const QString &fileName, const QString &password)
{
    Close();
    if (QFileInfo::exists(fileName))
        return false;
    try {
        m_db = std::make_unique<TSqliteDatabase>(fileName, password, true);
        m_db->Exec(QStringLiteral("BEGIN"));
        for (const QString &statement : QString::fromLatin1(kCatalogueSchema).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            m_db->Exec(statement);
        m_db->Exec(QStringLiteral("COMMIT"));
        return true;
    } catch (const EDatabaseError &) {
        Close();
        QFile::remove(fileName);
        return false;
    }
}

bool TDataInterface::IsConnected() const
{
    return m_db != nullptr;
}

void TDataInterface::Close()
{
    ForgetDenseIds();
    m_dataVersion = -1;
    m_insert.reset(); // a statement must be finalised before its connection closes
    m_db.reset();
}

TSqliteDatabase &TDataInterface::Db()
{
    if (!m_db)
        throw EDatabaseError(QStringLiteral("The word library is not open"));
    return *m_db;
}

bool TDataInterface::ReadBookRow(int id, TBookInfo &book)
{
    TSqliteStatement query(Db().Handle(),
                           QStringLiteral("SELECT id, bookname, wordnumber, storetablename, booktype, bookclass, isdefault "
                                          "FROM bookinfo WHERE id = ?"));
    query.Bind(1, id);
    if (!query.Step())
        return false;
    book = ReadBook(query);
    return true;
}

TBookInfo TDataInterface::ReadBook(const TSqliteStatement &query)
{
    TBookInfo book;
    book.Id = query.ColumnInt(0);
    book.BookName = query.ColumnText(1);
    book.WordNumber = query.ColumnInt(2);
    book.StoreTableName = query.ColumnText(3);
    book.BookType = query.ColumnInt(4);
    book.BookClass = query.ColumnInt(5);
    book.IsDefault = query.ColumnInt(6);
    return book;
}

int TDataInterface::GetBookWordCount(int id)
{
    TBookInfo book;
    return ReadBookRow(id, book) ? book.WordNumber : -1;
}

QString TDataInterface::GetBookTableName(int id)
{
    TBookInfo book;
    return ReadBookRow(id, book) ? book.StoreTableName : QString();
}

QString TDataInterface::GetBookName(int id)
{
    TBookInfo book;
    return ReadBookRow(id, book) ? book.BookName : QString();
}

bool TDataInterface::BookNameExists(const QString &name)
{
    // Titles are compared without regard to case, full-width Latin letters
    // included, which SQLite's NOCASE does not know; a catalogue holds a few
    // hundred titles, so they are compared here.
    TSqliteStatement query(Db().Handle(), QStringLiteral("SELECT bookname FROM bookinfo"));
    while (query.Step())
        if (query.ColumnText(0).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

int TDataInterface::GetDefaultBookId(const QString &name)
{
    TSqliteStatement query(Db().Handle(),
                           QStringLiteral("SELECT id FROM bookinfo WHERE bookname = ? AND isdefault = 1 ORDER BY id LIMIT 1"));
    query.Bind(1, name);
    return query.Step() ? query.ColumnInt(0) : -1;
}

QList<TBookInfo> TDataInterface::GetListedBooks(int bookClass)
{
    TSqliteStatement query(Db().Handle(),
                           QStringLiteral("SELECT id, bookname, wordnumber, storetablename, booktype, bookclass, isdefault "
                                          "FROM bookinfo WHERE isdefault = 1 AND bookclass = ? ORDER BY bookclass, id"));
    query.Bind(1, bookClass);
    QList<TBookInfo> books;
    while (query.Step())
        books.append(ReadBook(query));
    return books;
}

bool TDataInterface::IsFreeBookId(int id)
{
    // Neither a row of that number nor a row whose table is "lib" + number:
    // the import drops a table of the new number as a leftover.
    TSqliteStatement query(Db().Handle(), QStringLiteral("SELECT 1 FROM bookinfo WHERE id = ?1 OR lower(storetablename) = ?2"));
    query.Bind(1, id).Bind(2, QStringLiteral("lib%1").arg(id));
    return !query.Step();
}

int TDataInterface::GetNextBookId()
{
    TSqliteStatement query(Db().Handle(), QStringLiteral("SELECT min(Max(id), 2147483647) FROM bookinfo"));
    query.Step();
    // NULL on an empty catalogue reads as 0; the number names a table, so it
    // is never below 1.
    const qint64 next = qint64(std::max(query.ColumnInt(0), 0)) + 1;
    if (next <= INT_MAX && IsFreeBookId(int(next)))
        return int(next);
    // The largest number is taken: the lowest free one above a row's, or 1.
    if (IsFreeBookId(1))
        return 1;
    TSqliteStatement gaps(Db().Handle(), QStringLiteral("SELECT id + 1 FROM bookinfo WHERE id >= 1 AND id < ?1 "
                                                        "AND id + 1 NOT IN (SELECT id FROM bookinfo) ORDER BY id"));
    gaps.Bind(1, INT_MAX);
    while (gaps.Step())
        if (IsFreeBookId(gaps.ColumnInt(0)))
            return gaps.ColumnInt(0);
    return -1;
}

TWordInfos TDataInterface::LoadWordRows(const QString &tableName, int offset, int count)
{
    TWordInfos words;
    if (count <= 0 || !IsWordTableName(tableName))
        return words;
    offset = qMax(offset, 0);
    try {
        // Tables written by this module number their rows 1..n, so a toll
        // gate is an id range and costs the same wherever it lies in any
        // book. Otherwise the rows are counted off in id order, which grows
        // with the offset.
        const bool dense = HasDenseIds(tableName);
        TSqliteStatement query(Db().Handle(),
                               QStringLiteral("SELECT spelling, pronunciation, meaning FROM %1 %2")
                                   .arg(Quoted(tableName),
                                        dense ? QStringLiteral("WHERE id > ?1 AND id <= ?1 + ?2 ORDER BY id")
                                              : QStringLiteral("ORDER BY id LIMIT ?2 OFFSET ?1")));
        query.Bind(1, offset).Bind(2, qMin(count, INT_MAX - offset));
        while (query.Step()) {
            TWordInfo word;
            word.Spelling = query.ColumnText(0);
            word.Pronunciation = query.ColumnText(1);
            word.Meaning = query.ColumnText(2);
            words.append(word);
        }
    } catch (const EDatabaseError &) {
        // Asking first would cost a query on every load.
        if (m_db && !TableExists(tableName))
            return TWordInfos();
        throw;
    }
    return words;
}

bool TDataInterface::HasDenseIds(const QString &tableName)
{
    TSqliteStatement version(Db().Handle(), QStringLiteral("PRAGMA data_version"));
    version.Step();
    if (version.ColumnInt(0) != m_dataVersion) {
        m_denseIds.clear();
        m_dataVersion = version.ColumnInt(0);
    }
    const QString key = tableName.toLower();
    const auto known = m_denseIds.constFind(key);
    if (known != m_denseIds.constEnd())
        return *known;
    TSqliteStatement query(Db().Handle(), QStringLiteral("SELECT count(*), min(id), max(id) FROM %1").arg(Quoted(tableName)));
    query.Step();
    const int rows = query.ColumnInt(0);
    const bool dense = rows == 0 || (query.ColumnInt(1) == 1 && query.ColumnInt(2) == rows);
    m_denseIds.insert(key, dense);
    return dense;
}

void TDataInterface::ForgetDenseIds()
{
    m_denseIds.clear();
}

namespace {

void Unscramble(TWordInfo &word)
{
    word.Spelling = UnscrambleText(word.Spelling);
    word.Pronunciation = word.Pronunciation.trimmed().isEmpty() ? QString() : UnscrambleText(word.Pronunciation);
    word.Meaning = word.Meaning.trimmed().isEmpty() ? QString() : UnscrambleText(word.Meaning);
}

// Rows read at a time while a book is walked for the words it keeps.
constexpr int kScanRows = 1000;

} // namespace

TWordInfos TDataInterface::LoadTollGate(const QString &tableName, int index, int tollGateWords, bool unscramble)
{
    TWordInfos words = LoadWordRows(tableName, (index - 1) * tollGateWords, tollGateWords);
    if (words.isEmpty() || !unscramble)
        return words;
    for (TWordInfo &word : words)
        Unscramble(word);
    return words;
}

void TDataInterface::ForEachWordLeft(const QString &tableName, bool unscramble, const QSet<QString> &skipped,
                                     const std::function<bool(TWordInfo &word)> &take)
{
    for (int offset = 0;; offset += kScanRows) {
        TWordInfos rows = LoadWordRows(tableName, offset, kScanRows);
        for (TWordInfo &word : rows) {
            // Only the spelling is needed to decide; the rest is unscrambled
            // for the words that are dealt.
            const QString plain = unscramble ? UnscrambleText(word.Spelling) : word.Spelling;
            if (skipped.contains(plain))
                continue;
            if (!take(word))
                return;
        }
        if (rows.size() < kScanRows || offset > INT_MAX - kScanRows)
            return;
    }
}

TWordInfos TDataInterface::LoadTollGate(const QString &tableName, int index, int tollGateWords, bool unscramble,
                                        const QSet<QString> &skipped)
{
    if (skipped.isEmpty())
        return LoadTollGate(tableName, index, tollGateWords, unscramble);
    TWordInfos words;
    if (tollGateWords <= 0)
        return words;
    const qint64 first = (qint64(std::max(index, 1)) - 1) * tollGateWords;
    qint64 seen = 0;
    ForEachWordLeft(tableName, unscramble, skipped, [&](TWordInfo &word) {
        if (seen++ < first)
            return true;
        if (unscramble)
            Unscramble(word);
        words.append(word);
        return words.size() < tollGateWords;
    });
    return words;
}

int TDataInterface::CountWordsLeft(const QString &tableName, bool unscramble, const QSet<QString> &skipped)
{
    if (skipped.isEmpty())
        return CountWordRows(tableName);
    int left = 0;
    ForEachWordLeft(tableName, unscramble, skipped, [&left](TWordInfo &) {
        ++left;
        return true;
    });
    return left;
}

int TDataInterface::CountWordRows(const QString &tableName)
{
    if (!IsWordTableName(tableName) || !TableExists(tableName))
        return 0;
    TSqliteStatement query(Db().Handle(), QStringLiteral("SELECT count(*) FROM %1").arg(Quoted(tableName)));
    query.Step();
    return query.ColumnInt(0);
}

bool TDataInterface::TableExists(const QString &tableName)
{
    if (!IsValidTableName(tableName))
        return false;
    TSqliteStatement query(Db().Handle(), QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' "
                                                         "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                                                         "AND lower(name) = lower(?)"));
    query.Bind(1, tableName);
    return query.Step();
}

bool TDataInterface::CreateWordTable(const QString &tableName)
{
    if (!IsWordTableName(tableName))
        return false;
    ForgetDenseIds();
    try {
        Db().Exec(QStringLiteral("CREATE TABLE %1("
                                 "id INTEGER PRIMARY KEY AUTOINCREMENT,"
                                 "spelling TEXT NOT NULL DEFAULT '' CHECK(length(spelling) <= 255),"
                                 "pronunciation TEXT NOT NULL DEFAULT '' CHECK(length(pronunciation) <= 200),"
                                 "meaning TEXT NOT NULL DEFAULT '' CHECK(length(meaning) <= 255))")
                      .arg(Quoted(tableName)));
        return true;
    } catch (const EDatabaseError &) {
        return false;
    }
}

bool TDataInterface::DropTable(const QString &tableName)
{
    if (!IsWordTableName(tableName))
        return false;
    ForgetDenseIds();
    try {
        if (m_insert && m_insert->TableName.compare(tableName, Qt::CaseInsensitive) == 0)
            m_insert.reset();
        Db().Exec(QStringLiteral("DROP TABLE %1").arg(Quoted(tableName)));
        return true;
    } catch (const EDatabaseError &) {
        return false;
    }
}

bool TDataInterface::InsertWord(const QString &tableName, const QString &spelling, const QString &pronunciation,
                                const QString &meaning)
{
    if (!IsWordTableName(tableName))
        return false;
    ForgetDenseIds();
    try {
        // An import inserts thousands of rows into one table: keep its statement.
        if (!m_insert || m_insert->TableName != tableName) {
            m_insert.reset();
            auto cache = std::make_unique<TInsertCache>();
            cache->Statement = std::make_unique<TSqliteStatement>(
                Db().Handle(),
                QStringLiteral("INSERT INTO %1(spelling, pronunciation, meaning) VALUES(?, ?, ?)").arg(Quoted(tableName)));
            cache->TableName = tableName;
            m_insert = std::move(cache);
        }
        TSqliteStatement &insert = *m_insert->Statement;
        insert.Reset();
        insert.Bind(1, spelling).Bind(2, pronunciation).Bind(3, meaning);
        insert.Step();
        insert.Reset();
        return true;
    } catch (const EDatabaseError &) {
        return false;
    }
}

bool TDataInterface::AddBookInfo(const QString &title, int wordCount, const QString &tableName, int bookClass, int id,
                                 int isDefault)
{
    try {
        TSqliteStatement insert(Db().Handle(),
                                QStringLiteral("INSERT INTO bookinfo(bookname, wordnumber, storetablename, id, booktype, "
                                               "bookclass, isdefault) VALUES(?, ?, ?, ?, 0, ?, ?)"));
        insert.Bind(1, title).Bind(2, wordCount).Bind(3, tableName).Bind(4, id).Bind(5, bookClass).Bind(6, isDefault);
        insert.Step();
        return true;
    } catch (const EDatabaseError &) {
        return false;
    }
}

bool TDataInterface::BeginTransaction()
{
    try {
        Db().Exec(QStringLiteral("BEGIN"));
        return true;
    } catch (const EDatabaseError &) {
        return false;
    }
}

bool TDataInterface::Commit()
{
    return EndTransaction(QStringLiteral("COMMIT"));
}

bool TDataInterface::Rollback()
{
    return EndTransaction(QStringLiteral("ROLLBACK"));
}

bool TDataInterface::EndTransaction(const QString &statement)
{
    ForgetDenseIds();
    try {
        if (m_insert)
            m_insert->Statement->Reset();
        Db().Exec(statement);
        return true;
    } catch (const EDatabaseError &) {
        return false;
    }
}

bool TDataInterface::AddGameRecord(const QString &name, int score, const QDate &date)
{
    TSqliteStatement insert(Db().Handle(),
                            QStringLiteral("INSERT INTO gamerecord(name, score, recoretime) VALUES(?, ?, ?)"));
    insert.Bind(1, name).Bind(2, score).Bind(3, date.toString(QStringLiteral("yyyy-MM-dd")));
    insert.Step();
    return true;
}

QList<TGameRecord> TDataInterface::GetGameRecords(int limit)
{
    // Equal scores keep the order in which they were stored.
    TSqliteStatement query(Db().Handle(), QStringLiteral("SELECT name, score, recoretime FROM gamerecord "
                                                         "ORDER BY score DESC, rowid LIMIT ?"));
    query.Bind(1, limit < 0 ? -1 : limit);
    QList<TGameRecord> records;
    while (query.Step()) {
        TGameRecord record;
        record.Name = query.ColumnText(0);
        record.Score = query.ColumnInt(1);
        record.RecoreTime = query.ColumnText(2);
        records.append(record);
    }
    return records;
}
