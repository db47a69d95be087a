#pragma once
// The word library: one encrypted SQLite (SQLCipher) database for the whole
// run, holding the book catalogue (bookinfo), the ranking list (gamerecord)
// and one word table per book ("lib" + number).
//
// Every value reaches SQL as a bound parameter. Table names cannot be bound;
// they come from the settings file and the recent-games file, so only names
// matching ^[A-Za-z_][A-Za-z0-9_]*$ are used, and any other name behaves as a
// table that does not exist.
//
// Look-ups and loads throw EDatabaseError when the database fails; the window
// catches it at the edge of the user's action and shows its text. The import
// steps (create, drop, insert) answer false instead, as the import decides
// what follows.

#include "UDatabaseError.h"
#include "UWordInfo.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>

struct TBookInfo
{
    int Id = 0;
    QString BookName;
    int WordNumber = 0;
    QString StoreTableName;
    int BookType = 0;
    int BookClass = 0;
    int IsDefault = 0;
};

struct TGameRecord
{
    QString Name;
    int Score = 0;
    QString RecoreTime; // "yyyy-mm-dd"
};

// How opening the word library ended. Busy is told only after the busy
// timeout was waited out; Damaged is a file that holds no word library under
// our key (random bytes, an empty or foreign database, a broken page);
// CannotOpen covers the rest (no permission, a folder, an I/O error).
enum class TConnectResult { Connected, Missing, Busy, Damaged, CannotOpen };

class TSettings;
class TSqliteDatabase;
class TSqliteStatement;

class TDataInterface
{
public:
    TDataInterface();
    ~TDataInterface();
    TDataInterface(const TDataInterface &) = delete;
    TDataInterface &operator=(const TDataInterface &) = delete;

    // The database password of the word library.
    static QString DatabasePassword();
    // "data/" + settings key "data" + ".mdb" under the program folder.
    static QString GetDatabaseFileName(const TSettings &settings);
    static bool IsValidTableName(const QString &name);

    // Opens the file named by the settings, read-write, never creating it,
    // and checks the key with a first read. A file without the catalogue (an
    // empty file among them) is Damaged. LastOpenError() keeps the engine's
    // text of the last failure.
    TConnectResult Connect(const TSettings &settings);
    // Opens a given file with a given key (tests and the library builder).
    TConnectResult Connect(const QString &fileName, const QString &password);
    const QString &LastOpenError() const { return m_openError; }
    // Connect() == Connected.
    bool ConnectDatabase(const TSettings &settings);
    bool ConnectDatabase(const QString &fileName, const QString &password);
    // Creates a new, empty library with bookinfo and gamerecord (the library
    // builder and tests). False when the file exists or cannot be made.
    bool CreateDatabase(const QString &fileName, const QString &password);
    bool IsConnected() const;
    void Close();

    // Catalogue look-ups: -1 or an empty text when no row has the id.
    int GetBookWordCount(int id);
    QString GetBookTableName(int id);
    QString GetBookName(int id);
    bool BookNameExists(const QString &name);      // listed or hidden; letter case ignored
    int GetDefaultBookId(const QString &name);     // listed books only; -1 if none
    QList<TBookInfo> GetListedBooks(int bookClass); // isdefault=1 of a class, by id
    // Max(id) + 1, 1 on an empty catalogue; when that number is taken (the
    // largest id is INT_MAX, or a row's table already has the name "lib" +
    // number), the lowest free one; -1 when none is left.
    int GetNextBookId();

    // Words of a table in id order: the rows at positions offset .. offset+count-1,
    // texts as stored (not unscrambled). An invalid or missing table gives an
    // empty list.
    TWordInfos LoadWordRows(const QString &tableName, int offset, int count);
    int CountWordRows(const QString &tableName);
    // The words of toll gate index (from 1) with tollGateWords words a gate:
    // rows (index - 1) * tollGateWords onwards. With unscramble set (the
    // settings flag "encrypt"), the texts are unscrambled (a blank
    // pronunciation or meaning stays empty; a spelling that does not
    // unscramble is empty).
    TWordInfos LoadTollGate(const QString &tableName, int index, int tollGateWords, bool unscramble);
    // The same with the words whose plain spelling is in skipped taken out
    // first: the toll gates are cut from the words that remain. An empty
    // skipped set deals as above.
    TWordInfos LoadTollGate(const QString &tableName, int index, int tollGateWords, bool unscramble,
                            const QSet<QString> &skipped);
    // The words of a table whose plain spelling is not in skipped.
    int CountWordsLeft(const QString &tableName, bool unscramble, const QSet<QString> &skipped);

    // Import steps; false on failure, nothing thrown.
    bool TableExists(const QString &tableName);
    bool CreateWordTable(const QString &tableName);
    bool DropTable(const QString &tableName);
    bool InsertWord(const QString &tableName, const QString &spelling, const QString &pronunciation,
                    const QString &meaning);
    bool AddBookInfo(const QString &title, int wordCount, const QString &tableName, int bookClass, int id,
                     int isDefault = 1);
    bool BeginTransaction();
    bool Commit();
    bool Rollback();

    // Ranking.
    bool AddGameRecord(const QString &name, int score, const QDate &date = QDate::currentDate());
    // Highest score first, equal scores in the order stored; a negative
    // limit gives every record.
    QList<TGameRecord> GetGameRecords(int limit);

    // The open library, for the units beside this one that keep tables of
    // their own (word progress, the mistake book). Throws when not connected.
    TSqliteDatabase &Database() { return Db(); }

private:
    bool EndTransaction(const QString &statement);
    bool HasCatalogue();
    bool IsFreeBookId(int id);
    void UseWriteAheadLog();
    struct TInsertCache;
    TSqliteDatabase &Db(); // throws when not connected
    bool ReadBookRow(int id, TBookInfo &book);
    static TBookInfo ReadBook(const TSqliteStatement &query);
    bool HasDenseIds(const QString &tableName);
    // Each word of the table in id order, texts as stored, whose plain
    // spelling is not skipped, until take answers false.
    void ForEachWordLeft(const QString &tableName, bool unscramble, const QSet<QString> &skipped,
                         const std::function<bool(TWordInfo &word)> &take);
    void ForgetDenseIds();

    std::unique_ptr<TSqliteDatabase> m_db;
    std::unique_ptr<TInsertCache> m_insert;
    // Word tables whose ids are exactly 1..n, so that position p is id p + 1.
    // Valid while no write is seen: own writes clear it, and another
    // connection's commit changes the database's data_version.
    QHash<QString, bool> m_denseIds;
    int m_dataVersion = -1;
    QString m_openError;
};
