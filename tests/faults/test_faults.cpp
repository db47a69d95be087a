// The player's data survives a kill at any moment and a full disk: the
// program's own writing operations, run by fault_worker and killed with
// SIGKILL at random moments (fixed seed), and every file the program writes
// failing its write.

#include "AdTestSupport.h"
#include "FaultSteps.h"
#include "TestSupport.h"
#include "UAdFetcher.h"
#include "UDataInterface.h"
#include "UImpExpLib.h"
#include "URecentGames.h"
#include "USettings.h"
#include "USkin.h"
#include "USqlite.h"
#include "UUserDataFolder.h"
#include "UWordProgress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <fcntl.h>
#include <poll.h>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace {

constexpr unsigned kSeed = 20261209;
constexpr int kKills = 20;
constexpr int kBigLines = 200000;
// Every write past this many bytes of a file fails, as on a full disk.
constexpr rlim_t kFullAt = 1024;

// fault_worker run with the test's environment (GULUSPELL_HOME among it),
// its standard output read line by line.
class TWorker
{
public:
    explicit TWorker(const QStringList &arguments)
    {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0)
            return;
        std::vector<QByteArray> args{QByteArray(GULUSPELL_FAULT_WORKER)};
        for (const QString &argument : arguments)
            args.push_back(QFile::encodeName(argument));
        std::vector<char *> argv;
        for (QByteArray &arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        m_out = fds[0];
    }
    ~TWorker()
    {
        Kill();
        if (m_out >= 0)
            close(m_out);
    }

    // The next line, without its end; empty when the worker ends first or
    // none comes within a minute.
    QByteArray ReadLine()
    {
        while (!m_buffer.contains('\n')) {
            pollfd ready{m_out, POLLIN, 0};
            char chunk[256];
            const ssize_t n = poll(&ready, 1, 60000) > 0 ? read(m_out, chunk, sizeof chunk) : -1;
            if (n <= 0)
                return {};
            m_buffer.append(chunk, n);
        }
        const qsizetype end = m_buffer.indexOf('\n');
        const QByteArray line = m_buffer.left(end);
        m_buffer.remove(0, end + 1);
        return line;
    }

    void Kill()
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
    int m_out = -1;
    QByteArray m_buffer;
};

// A settings file naming a new word library with one small book, texts
// stored plain as in the shipped settings; the library is closed again.
void MakeLibrary(const TTempProgramDir &home)
{
    QByteArray settings = "[system]\r\ndata=guluspell\r\nencrypt=0\r\n";
    for (int i = 0; i < 200; ++i) // a rewrite takes a while, and other keys must survive it
        settings += "pad" + QByteArray::number(i) + "=value " + QByteArray::number(i) + "\r\n";
    home.WriteFile("data/spellconfig.ini", settings);
    ASSERT_TRUE(TSettings(home.Path()).SaveGamePara(FaultGame(0)));
    home.WriteFile("small.txt", "one[1]a\ntwo[2]b\nthree[3]c\n");
    TDataInterface data;
    ASSERT_TRUE(data.CreateDatabase(home.File("data/guluspell.mdb"), TDataInterface::DatabasePassword()));
    ASSERT_TRUE(data.ConnectDatabase(TSettings(home.Path()))); // as the program opens it: write-ahead log
    ASSERT_TRUE(ImportWordLib(data, home.File("small.txt"), QStringLiteral("first"), 1, false, {}));
}

bool SkipBadLines(int, TLineFault)
{
    return true;
}

// The library opens with the program's key and is sound: SQLite finds no
// damage, every catalogue row has its table holding as many words as the
// row counts, and no word table is missing from the catalogue.
void ExpectSoundLibrary(const TTempProgramDir &home)
{
    TDataInterface data;
    ASSERT_TRUE(data.ConnectDatabase(TSettings(home.Path())));
    sqlite3 *db = data.Database().Handle();
    TSqliteStatement integrity(db, QStringLiteral("PRAGMA integrity_check"));
    ASSERT_TRUE(integrity.Step());
    EXPECT_EQ(integrity.ColumnText(0), "ok");
    TSqliteStatement books(db, QStringLiteral("SELECT storetablename, wordnumber FROM bookinfo"));
    QStringList listed;
    while (books.Step()) {
        const QString table = books.ColumnText(0);
        listed.append(table.toLower());
        EXPECT_TRUE(data.TableExists(table)) << table.toStdString();
        EXPECT_EQ(data.CountWordRows(table), books.ColumnInt(1)) << table.toStdString();
    }
    TSqliteStatement tables(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                               "(name GLOB 'lib[0-9]*' OR name = 'mistakebook')"));
    while (tables.Step())
        EXPECT_TRUE(listed.contains(tables.ColumnText(0).toLower())) << "no catalogue row: " << tables.ColumnText(0).toStdString();
}

// How long one of the worker's steps takes: a synced rewrite may take a few
// milliseconds on an idle disk and many times that in a sanitized build on a
// busy one. The worker runs for a while and is stopped before its files are
// read: the program reads its files while nothing else writes them.
std::chrono::microseconds TimeOneStep(const char *operation, int done, const std::function<int()> &lastDone)
{
    for (std::chrono::microseconds run = std::chrono::milliseconds(200);; run *= 2) {
        TWorker worker({QString::fromLatin1(operation), QString::number(done + 1)});
        EXPECT_EQ(worker.ReadLine(), "ready");
        std::this_thread::sleep_for(run);
        worker.Kill();
        const int steps = lastDone() - done;
        if (steps > 0 || run >= std::chrono::seconds(10))
            return run / std::max(steps, 1);
    }
}

// Kills the worker's repeated operation kKills times, each at a random moment
// within window of its start, or within three steps where a step is slower.
// lastDone reads the program folder and gives the last step it finds there:
// a kill may cut the step under way, never one done before.
void KillRepeatedly(const char *operation, std::chrono::microseconds window, const std::function<int()> &lastDone)
{
    int done = lastDone();
    window = std::max(window, 3 * TimeOneStep(operation, done, lastDone));
    done = lastDone();
    std::mt19937 random(kSeed);
    std::uniform_int_distribution<long> delay(0, long(window.count()));
    for (int kill = 0; kill < kKills && !::testing::Test::HasFailure(); ++kill) {
        TWorker worker({QString::fromLatin1(operation), QString::number(done + 1)});
        ASSERT_EQ(worker.ReadLine(), "ready");
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        worker.Kill();
        const int now = lastDone();
        EXPECT_GE(now, done) << "kill " << kill << " lost a finished step";
        done = now;
    }
    EXPECT_GT(done, 0) << "the worker never finished a step";
}

} // namespace

TEST(KillNine, TheSettingsFileHoldsTheOldOrTheNewGame)
{
    TTempProgramDir home;
    MakeLibrary(home);
    KillRepeatedly("settings", std::chrono::milliseconds(30), [&home] {
        const TSettings settings(home.Path());
        TGamePara read;
        settings.LoadGamePara(read);
        EXPECT_EQ(TRecentGames::LineOf(read), TRecentGames::LineOf(FaultGame(read.TollGateIndex)));
        EXPECT_EQ(settings.ReadString("data"), "guluspell");
        EXPECT_EQ(settings.ReadString("pad199"), "value 199");
        return read.TollGateIndex;
    });
}

TEST(KillNine, TheRecentGamesFileHoldsTheOldOrTheNewList)
{
    TTempProgramDir home;
    const TRecentGames recent(home.File("UseRecord.txt"));
    ASSERT_TRUE(recent.Add(FaultGame(0)));
    KillRepeatedly("recent", std::chrono::milliseconds(30), [&recent] {
        const QStringList lines = recent.MenuLines();
        TGamePara last;
        EXPECT_TRUE(!lines.isEmpty() && TRecentGames::Parse(lines.last(), last));
        QStringList expected;
        for (int n = std::max(0, last.TollGateIndex - 9); n <= last.TollGateIndex; ++n)
            expected.append(TRecentGames::LineOf(FaultGame(n)));
        EXPECT_EQ(lines, expected);
        return last.TollGateIndex;
    });
}

TEST(KillNine, TheRankingKeepsEveryStoredScore)
{
    TTempProgramDir home;
    MakeLibrary(home);
    KillRepeatedly("score", std::chrono::milliseconds(30), [&home] {
        ExpectSoundLibrary(home);
        TDataInterface data;
        EXPECT_TRUE(data.ConnectDatabase(TSettings(home.Path())));
        QList<int> scores, expected;
        for (const TGameRecord &record : data.GetGameRecords(-1)) {
            EXPECT_EQ(record.Name, FaultPlayer());
            scores.append(record.Score);
            expected.append(int(expected.size()) + 1);
        }
        std::sort(scores.begin(), scores.end());
        EXPECT_EQ(scores, expected) << "a score is stored whole or not at all";
        return int(scores.size());
    });
}

TEST(KillNine, AnImportIsWholeOrAbsentAndTheNextImportWorks)
{
    TTempProgramDir home;
    MakeLibrary(home);
    QByteArray words;
    for (int i = 0; i < kBigLines; ++i)
        words += "word" + QByteArray::number(i) + "[s" + QByteArray::number(i % 10) + "]meaning " + QByteArray::number(i) + "\n";
    home.WriteFile("big.txt", words);
    const QString database = home.File("data/guluspell.mdb");
    const QByteArray pristine = home.ReadFile("data/guluspell.mdb");

    // How long the whole import takes here, so that the kills spread over it.
    qint64 took = 0;
    {
        TWorker worker({QStringLiteral("import"), home.File("big.txt"), QStringLiteral("calibration")});
        ASSERT_EQ(worker.ReadLine(), "ready");
        const QList<QByteArray> done = worker.ReadLine().split(' ');
        ASSERT_EQ(done.value(1), "1");
        took = done.value(2).toLongLong();
        ASSERT_GT(took, 0);
    }

    std::mt19937 random(kSeed);
    // Within the first four fifths, so that most kills still cut the import
    // short when it runs faster than it did while measured.
    std::uniform_int_distribution<long> delay(0, long(took) * 800);
    int cut = 0;
    for (int kill = 0; kill < kKills && !HasFailure(); ++kill) {
        for (const char *extra : {"-wal", "-shm"})
            QFile::remove(database + QLatin1String(extra));
        home.WriteFile("data/guluspell.mdb", pristine);
        TWorker worker({QStringLiteral("import"), home.File("big.txt"), QStringLiteral("big")});
        ASSERT_EQ(worker.ReadLine(), "ready");
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        worker.Kill();

        ExpectSoundLibrary(home);
        TDataInterface data;
        ASSERT_TRUE(data.ConnectDatabase(TSettings(home.Path())));
        if (!data.BookNameExists(QStringLiteral("big")))
            ++cut;
        EXPECT_TRUE(ImportWordLib(data, home.File("small.txt"), QStringLiteral("small"), 1, false, SkipBadLines))
            << "after kill " << kill;
        data.Close();
        ExpectSoundLibrary(home);
    }
    ASSERT_FALSE(HasFailure());
    EXPECT_GE(cut, kKills / 4) << "too few kills landed before the import's end";
    std::printf("%d of %d kills cut a %lld ms import short\n", cut, kKills, qint64(took));

    TWorker whole({QStringLiteral("import"), home.File("big.txt"), QStringLiteral("whole")});
    ASSERT_EQ(whole.ReadLine(), "ready");
    EXPECT_TRUE(whole.ReadLine().startsWith("done 1 "));
    ExpectSoundLibrary(home);
    TDataInterface data;
    ASSERT_TRUE(data.ConnectDatabase(TSettings(home.Path())));
    const int id = data.GetNextBookId() - 1;
    EXPECT_EQ(data.GetBookName(id), "whole");
    EXPECT_EQ(data.GetBookWordCount(id), kBigLines);
}

// ---------------------------------------------------------------------------
// A full disk: each file the program writes fails its write, the failure is
// reported, and what was there before is all still there.

namespace {

// Every table of the library, row by row, read through a connection of its own.
QByteArray LibraryState(const TTempProgramDir &home)
{
    TDataInterface data;
    if (!data.ConnectDatabase(TSettings(home.Path())))
        return "cannot open";
    sqlite3 *db = data.Database().Handle();
    QByteArray state;
    TSqliteStatement tables(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' ORDER BY name"));
    while (tables.Step()) {
        const QString table = tables.ColumnText(0);
        QStringList columns;
        TSqliteStatement info(db, QStringLiteral("PRAGMA table_info(\"%1\")").arg(table));
        while (info.Step())
            columns.append(QStringLiteral("quote(\"%1\")").arg(info.ColumnText(1)));
        TSqliteStatement rows(db, QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY 1").arg(columns.join("||'|'||"), table));
        state += table.toUtf8() + ":\n";
        while (rows.Step())
            state += rows.ColumnText(0).toUtf8() + "\n";
    }
    return state;
}

// A file's bytes (or its absence) and the names in its folder, where a
// temporary file left behind would show.
QByteArray FileState(const QString &fileName)
{
    QFile file(fileName);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("absent");
    return bytes + "\n" + QFileInfo(fileName).dir().entryList(QDir::Files).join(' ').toUtf8();
}

TWordEvent Missed(const QString &spelling)
{
    TWordEvent event;
    event.Book = QStringLiteral("lib1");
    event.Word = {spelling, QStringLiteral("s"), QStringLiteral("m")};
    event.Outcome = TWordOutcome::Missed;
    event.TollGate = 1;
    return event;
}

} // namespace

TEST(FullDisk, EveryFileTheProgramWritesFailsWholeAndSaysSo)
{
    TTempProgramDir home;
    MakeLibrary(home);
    TDataInterface data;
    ASSERT_TRUE(data.ConnectDatabase(TSettings(home.Path())));
    TWordProgress progress(data);
    ASSERT_TRUE(progress.Record(Missed(QStringLiteral("before")), QDate(2026, 1, 1), false));
    ASSERT_NO_THROW(data.AddGameRecord(QStringLiteral("before"), 10));

    const TRecentGames recent(home.File("UseRecord.txt"));
    TGamePara longTitle = FaultGame(0);
    longTitle.BookName = QString(250, QChar(0x8BCD));
    for (int n = 0; n < 10; ++n, ++longTitle.TollGateIndex)
        ASSERT_TRUE(recent.Add(longTitle));

    TLocalHttpServer server;
    server.Files["ads.xml"] = AdXml(1, 1, 1, QList<TAdEntry>(40, TAdEntry{QStringLiteral("http://a.example/"), QStringLiteral("ad")}));
    home.WriteFile("ads.xml", "the list fetched last time");

    QTemporaryDir installed;
    QDir(installed.path()).mkpath(QStringLiteral("data"));
    {
        QFile defaults(installed.path() + QStringLiteral("/data/defaults.ini"));
        ASSERT_TRUE(defaults.open(QIODevice::WriteOnly));
        defaults.write(QByteArray(4096, 'd'));
    }
    home.WriteFile("data/BLUE.asz", "the sheet written last time");
    ASSERT_GT(EmbeddedSkin(QStringLiteral("BLUE")).size(), qsizetype(kFullAt));

    const auto library = [&home] { return LibraryState(home); };
    const struct
    {
        const char *What;
        std::function<QByteArray()> State;
        std::function<bool()> FailsAndSaysSo; // runs on the full disk
    } cases[] = {
        {"settings", [&] { return FileState(home.File("data/spellconfig.ini")); },
         [&] { return !TSettings(home.Path()).SaveGamePara(FaultGame(1)); }},
        {"UseRecord.txt", [&] { return FileState(recent.FileName()); }, [&] { return !recent.Add(longTitle); }},
        {"ranking", library,
         [&] {
             try {
                 data.AddGameRecord(QStringLiteral("lost"), 99);
                 return false;
             } catch (const EDatabaseError &) {
                 return true;
             }
         }},
        {"import", library,
         [&] { return !ImportWordLib(data, home.File("small.txt"), QStringLiteral("full"), 1, false, SkipBadLines); }},
        {"word progress and mistake book", library,
         [&] { return !progress.Record(Missed(QStringLiteral("after")), QDate(2026, 1, 2), false); }},
        {"advertising list", [&] { return FileState(home.File("ads.xml")); },
         [&] {
             TAdFetcher fetcher;
             bool finished = false, success = true;
             QObject::connect(&fetcher, &TAdFetcher::Finished, [&](bool ok, const QByteArray &) {
                 finished = true;
                 success = ok;
             });
             fetcher.Fetch(QUrl(server.BaseUrl() + QStringLiteral("ads.xml")), home.File("ads.xml"));
             return WaitFor([&] { return finished; }) && !success;
         }},
        {"installed defaults", [&] { return FileState(home.File("data/defaults.ini")); },
         [&] { return !CopyMissingFiles(installed.path(), home.Path(), {QStringLiteral("data/defaults.ini")}); }},
        {"skin", [&] { return FileState(home.File("data/BLUE.asz")); }, [&] { return !ApplySkin(QStringLiteral("BLUE")); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.What);
        const QByteArray before = c.State();
        {
            const TFileSizeLimit full(kFullAt);
            EXPECT_TRUE(c.FailsAndSaysSo());
        }
        EXPECT_EQ(c.State(), before);
    }

    // The connection that saw the failures still stores what comes next.
    ASSERT_NO_THROW(data.AddGameRecord(QStringLiteral("later"), 20));
    data.Close();
    ExpectSoundLibrary(home);
    ASSERT_TRUE(data.ConnectDatabase(TSettings(home.Path())));
    EXPECT_EQ(data.GetGameRecords(1).value(0).Name, "later");
    EXPECT_FALSE(data.BookNameExists(QStringLiteral("full")));
}
