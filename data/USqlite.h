#pragma once
// A thin RAII layer over the sqlite3 C API of SQLCipher: one database handle
// and its prepared statements. Every failure throws EDatabaseError carrying
// SQLite's own message, so callers decide whether to surface or swallow it.
//
// Texts cross as UTF-8; a NULL column reads as an empty text or 0.

#include <QString>

#include <functional>

struct sqlite3;
struct sqlite3_stmt;

class TSqliteStatement
{
public:
    TSqliteStatement(sqlite3 *db, const QString &sql);
    ~TSqliteStatement();
    TSqliteStatement(const TSqliteStatement &) = delete;
    TSqliteStatement &operator=(const TSqliteStatement &) = delete;

    // Parameters are numbered from 1, as in SQLite.
    TSqliteStatement &Bind(int index, int value);
    TSqliteStatement &Bind(int index, const QString &value);

    // Runs to the next row: true while a row is there, false when done.
    bool Step();
    // Makes the statement ready to run again; bindings are kept.
    void Reset();

    // Columns are numbered from 0.
    int ColumnInt(int column) const;
    QString ColumnText(int column) const;

private:
    [[noreturn]] void Fail(const char *what) const;

    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

class TSqliteDatabase
{
public:
    // Opens fileName keyed with password (SQLCipher's standard key derivation)
    // and proves the key with a first read, since a wrong key is otherwise
    // only noticed later. With create false a missing file is an error and is
    // not made.
    TSqliteDatabase(const QString &fileName, const QString &password, bool create);
    ~TSqliteDatabase();
    TSqliteDatabase(const TSqliteDatabase &) = delete;
    TSqliteDatabase &operator=(const TSqliteDatabase &) = delete;

    // Runs a statement that returns no rows of interest.
    void Exec(const QString &sql);
    // Runs change in one write transaction (BEGIN IMMEDIATE ... COMMIT): an
    // EDatabaseError from change or from the commit rolls it back and is
    // thrown on.
    void RunImmediate(const std::function<void()> &change);
    // How long a statement waits for another connection's lock before it
    // fails as busy.
    void SetBusyTimeout(int milliseconds);
    static constexpr int kBusyTimeout = 2000;
    sqlite3 *Handle() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
};
