#include "USqlite.h"

#include "UDatabaseError.h"

#include <sqlcipher/sqlite3.h>

namespace {

// A failure's kind from its result code, for the caller to tell a busy
// library from a damaged one.
TDatabaseFault FaultOfCode(int code)
{
    switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return TDatabaseFault::Busy;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
    case SQLITE_NOMEM: // SQLCipher's answer to a page that fails its check
        return TDatabaseFault::Damaged;
    case SQLITE_CONSTRAINT: return TDatabaseFault::Constraint;
    default: return TDatabaseFault::Other;
    }
}

// The kind of the connection's last failure.
TDatabaseFault FaultOf(sqlite3 *db)
{
    return FaultOfCode(db ? sqlite3_errcode(db) : SQLITE_ERROR);
}

QString ErrorText(sqlite3 *db, const char *what, const QString &detail = QString())
{
    QString text = QString::fromUtf8(what);
    if (!detail.isEmpty())
        text += QStringLiteral(" (%1)").arg(detail);
    if (db)
        text += QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db));
    return text;
}

} // namespace

TSqliteStatement::TSqliteStatement(sqlite3 *db, const QString &sql) : m_db(db)
{
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw EDatabaseError(ErrorText(m_db, "Cannot prepare the statement", sql), FaultOf(m_db));
    }
    if (!m_stmt) // only blanks or a comment: nothing to run
        throw EDatabaseError(QStringLiteral("Empty statement"));
}

TSqliteStatement::~TSqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

void TSqliteStatement::Fail(const char *what) const
{
    throw EDatabaseError(ErrorText(m_db, what, QString::fromUtf8(sqlite3_sql(m_stmt))), FaultOf(m_db));
}

TSqliteStatement &TSqliteStatement::Bind(int index, int value)
{
    if (sqlite3_bind_int(m_stmt, index, value) != SQLITE_OK)
        Fail("Cannot bind a value");
    return *this;
}

TSqliteStatement &TSqliteStatement::Bind(int index, const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    if (sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        Fail("Cannot bind a value");
    return *this;
}

bool TSqliteStatement::Step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // Leave the statement usable for a Reset; the message is read first
    // because resetting would replace it.
    const QString text = ErrorText(m_db, "The statement failed", QString::fromUtf8(sqlite3_sql(m_stmt)));
    const TDatabaseFault fault = FaultOf(m_db);
    sqlite3_reset(m_stmt);
    throw EDatabaseError(text, fault);
}

void TSqliteStatement::Reset()
{
    sqlite3_reset(m_stmt);
}

int TSqliteStatement::ColumnInt(int column) const
{
    return sqlite3_column_int(m_stmt, column);
}

QString TSqliteStatement::ColumnText(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    if (!text)
        return QString();
    return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column));
}

TSqliteDatabase::TSqliteDatabase(const QString &fileName, const QString &password, bool create)
{
    const QByteArray path = fileName.toUtf8();
    int flags = SQLITE_OPEN_READWRITE;
    if (create)
        flags |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString text = ErrorText(m_db, "Cannot open the database", fileName);
        sqlite3_close(m_db); // a handle is returned even when opening fails
        m_db = nullptr;
        throw EDatabaseError(text, FaultOfCode(rc));
    }
    // Before anything reads: another process's momentary lock must be waited
    // out by the key probe too, or opening fails outright.
    sqlite3_busy_timeout(m_db, kBusyTimeout);
    try {
        const QByteArray key = password.toUtf8();
        if (sqlite3_key(m_db, key.constData(), int(key.size())) != SQLITE_OK)
            throw EDatabaseError(ErrorText(m_db, "Cannot key the database", fileName), FaultOf(m_db));
        // The key is only tried at the first read of a page.
        TSqliteStatement probe(m_db, QStringLiteral("SELECT count(*) FROM sqlite_master"));
        probe.Step();
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

TSqliteDatabase::~TSqliteDatabase()
{
    sqlite3_close(m_db);
}

void TSqliteDatabase::SetBusyTimeout(int milliseconds)
{
    sqlite3_busy_timeout(m_db, milliseconds);
}

void TSqliteDatabase::Exec(const QString &sql)
{
    TSqliteStatement statement(m_db, sql);
    while (statement.Step()) {
    }
}

void TSqliteDatabase::RunImmediate(const std::function<void()> &change)
{
    Exec(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        change();
        Exec(QStringLiteral("COMMIT"));
    } catch (const EDatabaseError &) {
        // The first error tells what happened; a failed rollback (the engine
        // ended the transaction itself) does not.
        try {
            Exec(QStringLiteral("ROLLBACK"));
        } catch (const EDatabaseError &) {
        }
        throw;
    }
}
