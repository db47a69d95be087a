// Where an installed program keeps the files it writes: its own folder when
// writable, else the user's data folder filled from the installed defaults.

#include "UUserDataFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void Write(const QString &file, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// An installed program folder (made read-only) and an empty home.
class UserDataFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Write(Program("data/spellconfig.ini"), "[system]\r\ndata=guluspell\r\nDefaultUI=WLM\r\n");
        Write(Program("data/guluspell.mdb"), "installed library v1");
        Write(Program("sound/back.mp3"), "music");
    }
    void TearDown() override { SetReadOnly(false); }
    void SetReadOnly(bool readOnly)
    {
        const auto mode = readOnly ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        for (const char *folder : {"", "data"})
            QFile::setPermissions(Program(folder), mode);
    }
    QString Program(const char *relative = "") const { return m_program.path() + QLatin1Char('/') + QLatin1String(relative); }
    QString User(const char *relative = "") const { return m_home.path() + QStringLiteral("/share/guluspell/") + QLatin1String(relative); }
    QString Choose() { return ChooseDataFolder(Program(), User()); }

    QTemporaryDir m_program;
    QTemporaryDir m_home;
};

TEST_F(UserDataFolder, AWritableProgramFolderKeepsItsOwnFiles)
{
    EXPECT_TRUE(IsFolderWritable(Program()));
    EXPECT_EQ(ChooseDataFolder(Program(), User()), Program());
    EXPECT_FALSE(QFileInfo::exists(User()));
}

TEST_F(UserDataFolder, FoldersThatCannotBeWritten)
{
    EXPECT_FALSE(IsFolderWritable(Program("no such folder")));
    EXPECT_FALSE(IsFolderWritable(QStringLiteral("/proc/self"))); // refused even to root
    SetReadOnly(true);
    EXPECT_FALSE(IsFolderWritable(Program())); // root included
    SetReadOnly(false);
    QFile::setPermissions(Program("data"), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(IsFolderWritable(Program())) << "the settings and library live in data/";
}

TEST_F(UserDataFolder, AReadOnlyInstallFillsTheUserFolderOnFirstStartOnly)
{
    SetReadOnly(true);
    EXPECT_EQ(Choose(), User());
    EXPECT_EQ(Read(User("data/spellconfig.ini")), Read(Program("data/spellconfig.ini")));
    EXPECT_EQ(Read(User("data/guluspell.mdb")), "installed library v1");
    EXPECT_FALSE(QFileInfo::exists(User("sound"))) << "read-only files stay installed";

    // The player plays and changes settings; then a newer version is installed.
    Write(User("data/guluspell.mdb"), "player's books and scores");
    Write(User("data/spellconfig.ini"), "[system]\r\nDefaultUI=Opus\r\n");
    SetReadOnly(false);
    Write(Program("data/guluspell.mdb"), "installed library v2");
    SetReadOnly(true);
    EXPECT_EQ(Choose(), User());
    EXPECT_EQ(Read(User("data/guluspell.mdb")), "player's books and scores");
    EXPECT_EQ(Read(User("data/spellconfig.ini")), "[system]\r\nDefaultUI=Opus\r\n");

    // A deleted settings file comes back from the defaults; the library stays.
    QFile::remove(User("data/spellconfig.ini"));
    Choose();
    EXPECT_EQ(Read(User("data/spellconfig.ini")), Read(Program("data/spellconfig.ini")));
    EXPECT_EQ(Read(User("data/guluspell.mdb")), "player's books and scores");
}

TEST_F(UserDataFolder, AnInterruptedCopyIsNotTakenForThePlayersLibrary)
{
    Write(User("data/guluspell.mdb.part"), "installed lib");
    SetReadOnly(true);
    EXPECT_EQ(Choose(), User());
    EXPECT_EQ(Read(User("data/guluspell.mdb")), "installed library v1");
    EXPECT_FALSE(QFileInfo::exists(User("data/guluspell.mdb.part")));
}

TEST_F(UserDataFolder, TheLibraryToCopyIsNamedByTheInstalledSettings)
{
    const struct
    {
        QByteArray key;
        QString library;
    } cases[] = {
        {"data=mybooks", QStringLiteral("data/mybooks.mdb")},
        {"", QStringLiteral("data/guluspell.mdb")},
        {"data=../../etc/passwd", QStringLiteral("data/guluspell.mdb")}, // never a path out of data/
        {"data=.hidden", QStringLiteral("data/guluspell.mdb")},
    };
    for (const auto &c : cases) {
        Write(Program("data/spellconfig.ini"), "[system]\r\n" + c.key + "\r\n");
        EXPECT_EQ(InstalledDefaultFiles(Program()), (QStringList{QStringLiteral("data/spellconfig.ini"), c.library}))
            << c.key.constData();
    }
}

TEST_F(UserDataFolder, AUserFolderThatCannotBeMadeLeavesTheInstalledFiles)
{
    Write(m_home.path() + QStringLiteral("/blocker"), "a file where a folder should go");
    SetReadOnly(true);
    EXPECT_EQ(ChooseDataFolder(Program(), m_home.path() + QStringLiteral("/blocker/guluspell")), Program());
}

// "chmod -R a-w" on the install leaves its files r--r--r--; the player's copies
// must still take scores and settings, also where an earlier start copied
// them read-only.
TEST_F(UserDataFolder, CopiesFromAReadOnlyInstallAreWritableByTheirOwner)
{
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const struct
    {
        const char *name;
        bool earlierReadOnlyCopy;
    } cases[] = {{"first start", false}, {"copies left read-only by an earlier start", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(User()).removeRecursively();
        for (const char *file : {"data/spellconfig.ini", "data/guluspell.mdb"}) {
            QFile::setPermissions(Program(file), readOnly);
            if (c.earlierReadOnlyCopy) {
                Write(User(file), Read(Program(file)));
                QFile::setPermissions(User(file), readOnly);
            }
        }
        SetReadOnly(true);
        ASSERT_EQ(Choose(), User());
        SetReadOnly(false);
        for (const char *file : {"data/spellconfig.ini", "data/guluspell.mdb"}) {
            EXPECT_TRUE(QFile::permissions(User(file)) & QFile::WriteOwner) << file;
            EXPECT_EQ(Read(User(file)), Read(Program(file))) << file;
        }
    }
}

TEST_F(UserDataFolder, ADamagedCopyIsReplacedByTheInstalledOneAndKeptUnderADatedName)
{
    const QDateTime now(QDate(2026, 12, 9), QTime(15, 30, 0));
    const QString stem = User("data/guluspell.mdb.damaged-20261209-153000");
    const struct
    {
        const char *name;
        QStringList before; // files in the user's data folder, as "name=content"
        bool installed;     // the install ships the library
        QString kept;       // empty: nothing restored
    } cases[] = {
        {"damaged library", {"guluspell.mdb=junk"}, true, stem},
        {"with its write-ahead log", {"guluspell.mdb=junk", "guluspell.mdb-wal=log", "guluspell.mdb-shm=index"}, true, stem},
        {"a second restore in the same second", {"guluspell.mdb=junk", "guluspell.mdb.damaged-20261209-153000=old"}, true,
         stem + "-2"},
        {"nothing installed to restore", {"guluspell.mdb=junk"}, false, {}},
        {"no copy to replace", {}, true, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(User()).removeRecursively();
        QDir().mkpath(User("data"));
        for (const QString &entry : c.before)
            Write(User("data/") + entry.section('=', 0, 0), entry.section('=', 1).toUtf8());
        if (!c.installed)
            QFile::remove(Program("data/guluspell.mdb"));
        else if (!QFileInfo::exists(Program("data/guluspell.mdb")))
            Write(Program("data/guluspell.mdb"), "installed library v1");
        SetReadOnly(true);
        const QString kept = RestoreInstalledFile(Program(), User(), QStringLiteral("data/guluspell.mdb"), now);
        SetReadOnly(false);
        EXPECT_EQ(kept, c.kept);
        if (kept.isEmpty()) {
            EXPECT_EQ(Read(User("data/guluspell.mdb")), c.before.isEmpty() ? "<missing>" : "junk") << "left as it was";
            continue;
        }
        EXPECT_EQ(Read(User("data/guluspell.mdb")), "installed library v1");
        EXPECT_TRUE(QFile::permissions(User("data/guluspell.mdb")) & QFile::WriteOwner);
        EXPECT_EQ(Read(kept), "junk");
        if (c.before.contains("guluspell.mdb-wal=log")) {
            EXPECT_EQ(Read(kept + "-wal"), "log") << "the log goes with its database";
            EXPECT_FALSE(QFileInfo::exists(User("data/guluspell.mdb-wal")));
            EXPECT_FALSE(QFileInfo::exists(User("data/guluspell.mdb-shm")));
        }
    }
}

} // namespace
