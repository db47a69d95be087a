#pragma once
// Opening the word library without SQLCipher's key derivation on every
// start. Deriving the page key from the password (PBKDF2, 64,000 rounds)
// costs tens of milliseconds; the password is the program's own constant,
// so the derived key is kept in a small file beside the library, tied to
// the library file's salt (its first 16 bytes) and to the password. A key
// kept for another file, or a cache that is damaged, is passed over: the
// library is then opened as before and the cache written anew. The library
// itself is unchanged and opens with the password as always.

#include "USqlite.h"

#include <QByteArray>
#include <QString>

#include <memory>

// How the database was keyed.
enum class TKeySource { Cached, Derived, Password };

struct TKeyedDatabase
{
    std::unique_ptr<TSqliteDatabase> Database;
    TKeySource Source = TKeySource::Password;
};

// Opens the existing file fileName keyed for password, through the key kept
// in cacheFile when it fits the file; throws EDatabaseError as
// TSqliteDatabase does when the file does not open with the password either.
TKeyedDatabase OpenWithKeyCache(const QString &fileName, const QString &password, const QString &cacheFile);

// The file where the derived key of the library fileName is kept.
QString KeyCacheFileName(const QString &fileName);

// SQLCipher's page key for password and salt (PBKDF2-HMAC-SHA1, 64,000
// rounds, 32 bytes: its defaults for a file it made).
QByteArray DeriveDatabaseKey(const QByteArray &password, const QByteArray &salt);
