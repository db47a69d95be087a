// The derived key kept beside the word library: used when it fits the file,
// passed over (and written anew) when it is missing, for another file, or
// damaged; the library opens with the password in every case.

#include "UDatabaseError.h"
#include "UKeyCache.h"
#include "USqlite.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kPassword = QStringLiteral("MOSS@1987#fern");

void MakeLibrary(const QString &fileName)
{
    TSqliteDatabase db(fileName, kPassword, true);
    db.Exec(QStringLiteral("CREATE TABLE bookinfo (id INTEGER)"));
}

QByteArray Read(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct TCacheCase
{
    const char *name;
    // Prepares the cache of library `lib` (`other` is a second library with its own salt).
    std::function<void(const QString &lib, const QString &other)> prepare;
    TKeySource expected;
};

TEST(KeyCache, OpensThroughAFittingKeyAndRepairsAnyOther)
{
    const TCacheCase cases[] = {
        {"no cache yet", [](const QString &, const QString &) {}, TKeySource::Derived},
        {"cache written by an earlier start",
         [](const QString &lib, const QString &) { OpenWithKeyCache(lib, kPassword, KeyCacheFileName(lib)); },
         TKeySource::Cached},
        {"cache of another library (stale salt)",
         [](const QString &lib, const QString &other) {
             OpenWithKeyCache(other, kPassword, KeyCacheFileName(other));
             QFile::copy(KeyCacheFileName(other), KeyCacheFileName(lib));
         },
         TKeySource::Derived},
        {"garbage", [](const QString &lib, const QString &) { Write(KeyCacheFileName(lib), "\x01\xffnot a key\n"); },
         TKeySource::Derived},
        {"right salt, wrong key",
         [](const QString &lib, const QString &) {
             OpenWithKeyCache(lib, kPassword, KeyCacheFileName(lib));
             QByteArray entry = Read(KeyCacheFileName(lib));
             entry[entry.size() - 2] = entry[entry.size() - 2] == '0' ? '1' : '0';
             Write(KeyCacheFileName(lib), entry);
         },
         TKeySource::Derived},
    };
    for (const TCacheCase &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString lib = dir.filePath(QStringLiteral("guluspell.mdb"));
        const QString other = dir.filePath(QStringLiteral("other.mdb"));
        MakeLibrary(lib);
        MakeLibrary(other);
        c.prepare(lib, other);

        TKeyedDatabase opened = OpenWithKeyCache(lib, kPassword, KeyCacheFileName(lib));
        ASSERT_TRUE(opened.Database);
        EXPECT_EQ(opened.Source, c.expected);
        opened.Database->Exec(QStringLiteral("INSERT INTO bookinfo VALUES (1)"));
        opened.Database.reset();
        // Whatever the cache held, it fits now, and the file still opens with the password alone.
        EXPECT_EQ(OpenWithKeyCache(lib, kPassword, KeyCacheFileName(lib)).Source, TKeySource::Cached);
        TSqliteDatabase byPassword(lib, kPassword, false);
        TSqliteStatement rows(byPassword.Handle(), QStringLiteral("SELECT count(*) FROM bookinfo"));
        ASSERT_TRUE(rows.Step());
        EXPECT_EQ(rows.ColumnInt(0), 1);
    }
}

// The kept key is the program's password's: another password is not let in by it.
TEST(KeyCache, AWrongPasswordOrANonLibraryStillFailsAsBefore)
{
    QTemporaryDir dir;
    const QString lib = dir.filePath(QStringLiteral("guluspell.mdb"));
    MakeLibrary(lib);
    OpenWithKeyCache(lib, kPassword, KeyCacheFileName(lib));
    EXPECT_THROW(OpenWithKeyCache(lib, QStringLiteral("wrong"), KeyCacheFileName(lib)), EDatabaseError);
    const QString text = dir.filePath(QStringLiteral("notes.mdb"));
    Write(text, QByteArray(4096, 'x'));
    EXPECT_THROW(OpenWithKeyCache(text, kPassword, KeyCacheFileName(text)), EDatabaseError);
    EXPECT_FALSE(QFile::exists(KeyCacheFileName(text)));
}

} // namespace
