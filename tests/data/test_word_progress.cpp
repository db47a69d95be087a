// Word progress and the mistake book on small libraries built in each test;
// every date is given, none is read from the clock.

#include "TestSupport.h"
#include "UBookType.h"
#include "UDataInterface.h"
#include "UMistakeBook.h"
#include "UScramble.h"
#include "USqlite.h"
#include "UWordProgress.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QDate kDay1(2026, 3, 2);

TWordInfo Word(const QString &spelling)
{
    return TWordInfo{spelling, QStringLiteral("/") + spelling + QStringLiteral("/"), QStringLiteral("义") + spelling};
}

TWordEvent Event(const QString &book, const QString &spelling, TWordOutcome outcome, bool hinted = false,
                 int seconds = 0)
{
    TWordEvent event;
    event.Book = book;
    event.Word = Word(spelling);
    event.Outcome = outcome;
    event.Hinted = hinted;
    event.Seconds = seconds;
    return event;
}

QStringList Spellings(const TWordInfos &words)
{
    QStringList list;
    for (const TWordInfo &w : words)
        list << w.Spelling;
    return list;
}

class WordProgressTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_data.CreateDatabase(m_home.File(QStringLiteral("data/guluspell.mdb")),
                                          TDataInterface::DatabasePassword()));
        ASSERT_TRUE(m_data.AddBookInfo(QStringLiteral("Book A"), 30, QStringLiteral("lib1"), 1, 1));
        ASSERT_TRUE(m_data.AddBookInfo(QStringLiteral("Book B"), 30, QStringLiteral("lib2"), 2, 2));
    }

    bool Record(const TWordEvent &event, const QDate &day = kDay1, bool scramble = false)
    {
        return m_progress.Record(event, day, scramble);
    }

    TMistakeEntry Entry(const QString &spelling)
    {
        TMistakeEntry entry;
        EXPECT_TRUE(m_mistakes.Find(spelling, entry)) << spelling.toStdString();
        return entry;
    }

    TTempProgramDir m_home;
    TDataInterface m_data;
    TWordProgress m_progress{m_data};
    TMistakeBook m_mistakes{m_data};
};

TEST_F(WordProgressTest, EachWayInAddsOneRowPerSpelling)
{
    const QString a = QStringLiteral("lib1");
    struct Case { TWordEvent Event; bool Enters; };
    const Case cases[] = {
        {Event(a, QStringLiteral("clean"), TWordOutcome::Completed), false},
        {Event(a, QStringLiteral("timeout"), TWordOutcome::Missed), true},
        {Event(a, QStringLiteral("hinted"), TWordOutcome::Completed, true), true},
        {Event(a, QStringLiteral("wrong"), TWordOutcome::WrongOrder), true},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(Record(c.Event));
        TMistakeEntry entry;
        EXPECT_EQ(m_mistakes.Find(c.Event.Word.Spelling, entry), c.Enters) << c.Event.Word.Spelling.toStdString();
    }
    EXPECT_EQ(m_mistakes.Count(), 3);

    // Missed again, from another book: still one row, its counter grown, its source kept.
    ASSERT_TRUE(Record(Event(QStringLiteral("lib2"), QStringLiteral("timeout"), TWordOutcome::Missed)));
    ASSERT_TRUE(Record(Event(TMistakeBook::TableName(), QStringLiteral("timeout"), TWordOutcome::Missed)));
    EXPECT_EQ(m_mistakes.Count(), 3);
    EXPECT_EQ(Entry(QStringLiteral("timeout")).Misses, 3);
    EXPECT_EQ(Entry(QStringLiteral("timeout")).SourceBook, a);

    // A completion after a wrong fill in the same deal does not count the miss twice.
    TWordEvent after = Event(a, QStringLiteral("wrong"), TWordOutcome::Completed, true);
    after.WrongBefore = true;
    ASSERT_TRUE(Record(after));
    EXPECT_EQ(Entry(QStringLiteral("wrong")).Misses, 1);

    // The catalogue lists the book in class 8 with its word count.
    const QList<TBookInfo> listed = m_data.GetListedBooks(kWordBookClass);
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed[0].BookName, QStringLiteral("《我的生词本》"));
    EXPECT_EQ(listed[0].StoreTableName, TMistakeBook::TableName());
    EXPECT_EQ(listed[0].WordNumber, 3);
}

TEST_F(WordProgressTest, CountersAndMedianTime)
{
    const QString a = QStringLiteral("lib1");
    ASSERT_TRUE(Record(Event(a, QStringLiteral("cat"), TWordOutcome::Completed, false, 9)));
    ASSERT_TRUE(Record(Event(a, QStringLiteral("cat"), TWordOutcome::Completed, true, 3), kDay1.addDays(1)));
    ASSERT_TRUE(Record(Event(a, QStringLiteral("cat"), TWordOutcome::Missed), kDay1.addDays(2)));
    ASSERT_TRUE(Record(Event(a, QStringLiteral("cat"), TWordOutcome::Completed, false, 5), kDay1.addDays(3)));
    ASSERT_TRUE(Record(Event(QStringLiteral("lib2"), QStringLiteral("cat"), TWordOutcome::Completed)));

    const TWordStats cat = m_progress.Word(a, QStringLiteral("cat"));
    EXPECT_EQ(cat.Dealt, 4);
    EXPECT_EQ(cat.Completed, 3);
    EXPECT_EQ(cat.Hinted, 1);
    EXPECT_EQ(cat.Missed, 1);
    EXPECT_EQ(cat.LastDate, kDay1.addDays(3));
    EXPECT_EQ(cat.MedianSeconds, 5);
    EXPECT_EQ(m_progress.Word(QStringLiteral("lib2"), QStringLiteral("cat")).Dealt, 1); // keyed by book too

    struct Case { const char *Kept; int Median; };
    for (const Case &c : {Case{"", 0}, Case{"7", 7}, Case{"9,1,4", 4}, Case{"10,2,4,30", 7}})
        EXPECT_EQ(TWordProgress::Median(QLatin1String(c.Kept)), c.Median) << c.Kept;
}

TEST_F(WordProgressTest, LeitnerScheduleLeavesAfterThreeCleanDays)
{
    const QString book = TMistakeBook::TableName();
    const QString w = QStringLiteral("ocean");
    ASSERT_TRUE(Record(Event(QStringLiteral("lib1"), w, TWordOutcome::Missed)));
    EXPECT_EQ(Entry(w).Box, 1);
    EXPECT_EQ(Entry(w).Due, kDay1.addDays(1));

    struct Step { int Day; TWordOutcome Outcome; bool Hinted; int Box; int DueIn; };
    const Step steps[] = {
        {1, TWordOutcome::Completed, false, 2, 3},
        {1, TWordOutcome::Completed, false, 2, 3}, // the same day again: no step
        {2, TWordOutcome::Completed, true, 1, 1},  // hinted: back to the start
        {3, TWordOutcome::Completed, false, 2, 3},
        {6, TWordOutcome::Completed, false, 3, 7},
    };
    for (const Step &s : steps) {
        const QDate day = kDay1.addDays(s.Day);
        ASSERT_TRUE(Record(Event(book, w, s.Outcome, s.Hinted), day));
        EXPECT_EQ(Entry(w).Box, s.Box) << "day " << s.Day;
        EXPECT_EQ(Entry(w).Due, day.addDays(s.DueIn)) << "day " << s.Day;
    }
    // Spelled cleanly in another book: the mistake book is not touched.
    ASSERT_TRUE(Record(Event(QStringLiteral("lib1"), w, TWordOutcome::Completed), kDay1.addDays(13)));
    EXPECT_EQ(Entry(w).Box, 3);

    ASSERT_TRUE(Record(Event(book, w, TWordOutcome::Completed), kDay1.addDays(13)));
    TMistakeEntry gone;
    EXPECT_FALSE(m_mistakes.Find(w, gone));
    EXPECT_EQ(m_data.GetListedBooks(kWordBookClass).value(0).WordNumber, 0);
}

TEST_F(WordProgressTest, DueWordsAreDealtFirstInTheOrderTheyFellDue)
{
    // Entered on different days, each due a day later.
    const QStringList order = {QStringLiteral("late"), QStringLiteral("early"), QStringLiteral("middle"),
                               QStringLiteral("fresh"), QStringLiteral("newest")};
    const int enteredOn[] = {5, 1, 3, 9, 8};
    for (int i = 0; i < order.size(); ++i)
        ASSERT_TRUE(Record(Event(QStringLiteral("lib1"), order[i], TWordOutcome::Missed), kDay1.addDays(enteredOn[i])));

    // On day 7 "early", "middle" and "late" are due.
    EXPECT_EQ(Spellings(m_mistakes.LoadTollGate(1, 15, false)),
              (QStringList{"early", "middle", "late", "newest", "fresh"}));
    EXPECT_EQ(Spellings(m_mistakes.LoadTollGate(1, 2, false)), (QStringList{"early", "middle"}));
    EXPECT_EQ(Spellings(m_mistakes.LoadTollGate(3, 2, false)), (QStringList{"fresh"}));
    EXPECT_TRUE(m_mistakes.LoadTollGate(4, 2, false).isEmpty());
}

TEST_F(WordProgressTest, ScrambledLibraryStoresScrambledTextsAndDealsPlainOnes)
{
    ASSERT_TRUE(Record(Event(QStringLiteral("lib1"), QStringLiteral("river"), TWordOutcome::Missed), kDay1, true));
    TSqliteStatement raw(m_data.Database().Handle(), QStringLiteral("SELECT spelling, meaning FROM mistakebook"));
    ASSERT_TRUE(raw.Step());
    EXPECT_EQ(raw.ColumnText(0), ScrambleText(QStringLiteral("river")));
    EXPECT_EQ(raw.ColumnText(1), ScrambleText(QStringLiteral("义river")));

    const TWordInfos dealt = m_mistakes.LoadTollGate(1, 15, true);
    ASSERT_EQ(dealt.size(), 1);
    EXPECT_EQ(dealt[0].Spelling, QStringLiteral("river"));
    EXPECT_EQ(dealt[0].Pronunciation, QStringLiteral("/river/"));
    EXPECT_EQ(dealt[0].Meaning, QStringLiteral("义river"));
}

TEST_F(WordProgressTest, StatisticsOfAPreparedLibrary)
{
    const QString a = QStringLiteral("lib1");
    ASSERT_TRUE(Record(Event(a, QStringLiteral("one"), TWordOutcome::Completed), kDay1));
    ASSERT_TRUE(Record(Event(a, QStringLiteral("two"), TWordOutcome::Completed), kDay1));
    ASSERT_TRUE(Record(Event(a, QStringLiteral("three"), TWordOutcome::Completed, true), kDay1.addDays(2)));
    ASSERT_TRUE(Record(Event(a, QStringLiteral("two"), TWordOutcome::Missed), kDay1.addDays(2)));
    ASSERT_TRUE(Record(Event(QStringLiteral("lib2"), QStringLiteral("four"), TWordOutcome::Missed), kDay1.addDays(2)));
    ASSERT_TRUE(m_progress.RecordBook(a, 3, 400));
    ASSERT_TRUE(m_progress.RecordBook(a, 2, 900)); // the furthest gate and the best score stay
    ASSERT_TRUE(m_progress.RecordBook(a, 1, 300));

    const QList<TBookStats> books = m_progress.BookStats();
    ASSERT_EQ(books.size(), 2);
    EXPECT_EQ(books[0].Title, QStringLiteral("Book A"));
    EXPECT_EQ(books[0].TollGate, 3);
    EXPECT_EQ(books[0].BestScore, 900);
    EXPECT_EQ(books[0].Seen, 3);
    EXPECT_EQ(books[0].Mastered, 1);      // "one": "two" is in the mistake book, "three" was hinted
    EXPECT_EQ(books[0].InMistakeBook, 2); // "two", "three"
    EXPECT_EQ(books[1].InMistakeBook, 1);

    const QList<int> days = m_progress.DailyCompleted(kDay1.addDays(2), 30);
    ASSERT_EQ(days.size(), 30);
    EXPECT_EQ(days[29], 1);
    EXPECT_EQ(days[28], 0);
    EXPECT_EQ(days[27], 2);

    ASSERT_TRUE(m_progress.ClearMistakeBook());
    EXPECT_EQ(m_mistakes.Count(), 0);
    EXPECT_EQ(m_progress.Word(a, QStringLiteral("two")).Dealt, 2); // progress is not the mistake book
}

TEST_F(WordProgressTest, ForeignProgressTableIsRebuiltEmptyAndToldOnce)
{
    m_data.Database().Exec(QStringLiteral("CREATE TABLE wordprogress(x TEXT)"));
    m_data.Database().Exec(QStringLiteral("INSERT INTO wordprogress VALUES('keep out')"));
    ASSERT_TRUE(Record(Event(QStringLiteral("lib1"), QStringLiteral("cat"), TWordOutcome::Completed)));
    EXPECT_TRUE(m_progress.TakeRebuiltNotice());
    EXPECT_FALSE(m_progress.TakeRebuiltNotice());
    EXPECT_EQ(m_progress.Word(QStringLiteral("lib1"), QStringLiteral("cat")).Completed, 1);

    // Dropped behind its back while running: made again, told, the game goes on.
    m_data.Database().Exec(QStringLiteral("DROP TABLE wordprogress"));
    EXPECT_TRUE(Record(Event(QStringLiteral("lib1"), QStringLiteral("dog"), TWordOutcome::Missed)));
    EXPECT_EQ(m_progress.Word(QStringLiteral("lib1"), QStringLiteral("dog")).Missed, 1);
    EXPECT_TRUE(m_progress.TakeRebuiltNotice());
    // The word tables and catalogue of the older layout are untouched.
    EXPECT_EQ(m_data.GetBookName(1), QStringLiteral("Book A"));
}

// Every run of a test's warnings, for the one-time log line.
QStringList &Warnings()
{
    static QStringList warnings;
    return warnings;
}

void KeepWarning(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg)
        Warnings().append(message);
}

TEST_F(WordProgressTest, ALockedLibraryQueuesRecordsAndDropsThemLoggedOnceAfterBoundedTries)
{
    const QString file = m_home.File(QStringLiteral("data/guluspell.mdb"));
    ASSERT_TRUE(m_data.ConnectDatabase(file, TDataInterface::DatabasePassword())); // as the program: write-ahead log
    ASSERT_TRUE(m_progress.Open());
    TSqliteDatabase other(file, TDataInterface::DatabasePassword(), false);
    const auto completed = [this](const char *spelling) {
        return m_progress.Word(QStringLiteral("lib1"), QLatin1String(spelling)).Completed;
    };
    Warnings().clear();
    const QtMessageHandler previous = qInstallMessageHandler(KeepWarning);

    other.Exec(QStringLiteral("BEGIN IMMEDIATE"));
    EXPECT_FALSE(Record(Event(QStringLiteral("lib1"), QStringLiteral("one"), TWordOutcome::Completed)));
    EXPECT_FALSE(Record(Event(QStringLiteral("lib1"), QStringLiteral("two"), TWordOutcome::Completed)));
    EXPECT_EQ(m_progress.Pending(), 2);
    other.Exec(QStringLiteral("COMMIT"));
    EXPECT_TRUE(Record(Event(QStringLiteral("lib1"), QStringLiteral("three"), TWordOutcome::Completed)));
    EXPECT_EQ(m_progress.Pending(), 0);
    EXPECT_EQ(completed("one") + completed("two") + completed("three"), 3) << "the waiting ones were written first";

    // Held for good: the oldest record is tried once a recording, and
    // dropped after a bounded number of tries.
    other.Exec(QStringLiteral("BEGIN IMMEDIATE"));
    for (int i = 0; i < 2 * TWordProgress::kMaxAttempts; ++i)
        Record(Event(QStringLiteral("lib1"), QStringLiteral("held%1").arg(i), TWordOutcome::Completed));
    EXPECT_EQ(m_progress.Dropped(), 2);
    EXPECT_EQ(m_progress.Pending(), 2 * TWordProgress::kMaxAttempts - 2);
    other.Exec(QStringLiteral("COMMIT"));
    EXPECT_TRUE(Record(Event(QStringLiteral("lib1"), QStringLiteral("after"), TWordOutcome::Completed)));
    EXPECT_EQ(completed("held0") + completed("held1"), 0);
    EXPECT_EQ(completed("held2") + completed("after"), 2);

    qInstallMessageHandler(previous);
    ASSERT_EQ(Warnings().size(), 1) << "one line for the run, however many are dropped";
    EXPECT_TRUE(Warnings()[0].contains(QStringLiteral("locked"))) << Warnings()[0].toStdString();
}

// A library of its own for each case, prepared by the case's statements.
struct TPreparedLibrary
{
    TTempProgramDir Home;
    TDataInterface Data;
    TWordProgress Progress{Data};

    explicit TPreparedLibrary(const std::function<void(TSqliteDatabase &)> &prepare)
    {
        EXPECT_TRUE(Data.CreateDatabase(Home.File(QStringLiteral("data/guluspell.mdb")), TDataInterface::DatabasePassword()));
        EXPECT_TRUE(Data.AddBookInfo(QStringLiteral("Book A"), 30, QStringLiteral("lib1"), 1, 1));
        prepare(Data.Database());
    }
    int Rows(const QString &sql)
    {
        TSqliteStatement query(Data.Database().Handle(), sql);
        query.Step();
        return query.ColumnInt(0);
    }
};

TEST(WordProgressTables, ForeignTablesAreRebuiltKeepingTheirRowsAndToldOnce)
{
    const QString wordColumns = QStringLiteral(
        "book TEXT NOT NULL, spelling TEXT NOT NULL, dealt INTEGER NOT NULL DEFAULT 0, completed INTEGER NOT NULL "
        "DEFAULT 0, hinted INTEGER NOT NULL DEFAULT 0, missed INTEGER NOT NULL DEFAULT 0, lastdate TEXT NOT NULL "
        "DEFAULT '', seconds TEXT NOT NULL DEFAULT ''");
    const QString keptRow = QStringLiteral("VALUES('lib1', 'kept', 7, 7, 0, 0, '2026-01-01', '5')");
    const struct
    {
        const char *what;
        QStringList prepare;
        bool told;
        QString kept; // a query that counts what must survive, 1 when it did
    } cases[] = {
        {"right columns, a CHECK every new row fails",
         {QStringLiteral("CREATE TABLE wordprogress(%1, PRIMARY KEY(book, spelling), CHECK(dealt = 7))").arg(wordColumns),
          QStringLiteral("INSERT INTO wordprogress ") + keptRow},
         true, QStringLiteral("SELECT count(*) FROM wordprogress WHERE spelling = 'kept' AND dealt = 7")},
        {"a view of that name",
         {QStringLiteral("CREATE TABLE elsewhere(%1)").arg(wordColumns), QStringLiteral("INSERT INTO elsewhere ") + keptRow,
          QStringLiteral("CREATE VIEW wordprogress AS SELECT * FROM elsewhere")},
         true, QStringLiteral("SELECT count(*) FROM wordprogress WHERE spelling = 'kept' AND dealt = 7")},
        {"a trigger that refuses every row",
         {QStringLiteral("CREATE TABLE dayprogress(day TEXT PRIMARY KEY, completed INTEGER NOT NULL DEFAULT 0)"),
          QStringLiteral("INSERT INTO dayprogress VALUES('2026-01-01', 4)"),
          QStringLiteral("CREATE TRIGGER nope BEFORE INSERT ON dayprogress BEGIN SELECT RAISE(ABORT, 'no'); END")},
         true, QStringLiteral("SELECT count(*) FROM dayprogress WHERE day = '2026-01-01' AND completed = 4")},
        {"a plain word table as the mistake book",
         {QStringLiteral("CREATE TABLE mistakebook(id INTEGER PRIMARY KEY AUTOINCREMENT, spelling TEXT NOT NULL DEFAULT '',"
                         "pronunciation TEXT NOT NULL DEFAULT '', meaning TEXT NOT NULL DEFAULT '')"),
          QStringLiteral("INSERT INTO mistakebook(spelling, meaning) VALUES('kept', '留')"),
          QStringLiteral("INSERT INTO bookinfo VALUES(9, '《我的生词本》', 1, 'mistakebook', 0, 8, 1)")},
         true, QStringLiteral("SELECT count(*) FROM mistakebook WHERE word = 'kept' AND meaning = '留'")},
        {"a mistake book counted wrong in the catalogue",
         {QStringLiteral("INSERT INTO bookinfo VALUES(9, '《我的生词本》', 50, 'mistakebook', 0, 8, 1)")},
         false, QStringLiteral("SELECT count(*) = 1 FROM mistakebook")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TPreparedLibrary library([&](TSqliteDatabase &db) {
            for (const QString &statement : c.prepare)
                db.Exec(statement);
        });
        TWordEvent missed = Event(QStringLiteral("lib1"), QStringLiteral("cat"), TWordOutcome::Missed);
        ASSERT_TRUE(library.Progress.Record(missed, kDay1, false));
        ASSERT_TRUE(library.Progress.Record(Event(QStringLiteral("lib1"), QStringLiteral("dog"), TWordOutcome::Completed), kDay1, false));
        EXPECT_EQ(library.Progress.TakeRebuiltNotice(), c.told);
        EXPECT_FALSE(library.Progress.TakeRebuiltNotice()) << "told once";
        EXPECT_EQ(library.Rows(c.kept), 1) << "what could be read is kept";
        EXPECT_EQ(library.Progress.Word(QStringLiteral("lib1"), QStringLiteral("dog")).Completed, 1);
        EXPECT_EQ(library.Data.GetListedBooks(kWordBookClass).value(0).WordNumber,
                  library.Rows(QStringLiteral("SELECT count(*) FROM mistakebook")))
            << "the catalogue counts the mistake book's rows";
    }
}

TEST(WordProgressTables, ATableWithADamagedPageIsRebuiltFromTheRowsThatRead)
{
    TTempProgramDir home;
    const QString file = home.File(QStringLiteral("data/guluspell.mdb"));
    {
        TDataInterface data;
        ASSERT_TRUE(data.CreateDatabase(file, TDataInterface::DatabasePassword()));
        TWordProgress progress(data);
        ASSERT_TRUE(progress.Open());
        // Rows added last fill the file's last pages, so damage there hits
        // this table alone and leaves its first rows readable.
        data.Database().Exec(QStringLiteral("BEGIN"));
        for (int i = 0; i < 400; ++i)
            data.Database().Exec(QStringLiteral("INSERT INTO wordprogress(book, spelling, dealt, seconds) "
                                                "VALUES('lib1', 'w%1', 1, '%2')")
                                     .arg(i, 4, 10, QLatin1Char('0'))
                                     .arg(QString(40, QLatin1Char('9'))));
        data.Database().Exec(QStringLiteral("COMMIT"));
    }
    QFile damaged(file);
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    const qint64 lastPage = damaged.size() - 1024;
    ASSERT_GT(lastPage, 4 * 1024);
    damaged.seek(lastPage + 200);
    damaged.write(QByteArray(64, '\x5A'));
    damaged.close();

    TDataInterface data;
    ASSERT_TRUE(data.ConnectDatabase(file, TDataInterface::DatabasePassword()));
    TWordProgress progress(data);
    ASSERT_TRUE(progress.Record(Event(QStringLiteral("lib1"), QStringLiteral("cat"), TWordOutcome::Completed), kDay1, false));
    EXPECT_TRUE(progress.TakeRebuiltNotice());
    EXPECT_EQ(progress.Word(QStringLiteral("lib1"), QStringLiteral("cat")).Completed, 1);
    EXPECT_EQ(progress.Word(QStringLiteral("lib1"), QStringLiteral("w0000")).Dealt, 1) << "the first rows read";
    TSqliteStatement rows(data.Database().Handle(), QStringLiteral("SELECT count(*) FROM wordprogress"));
    ASSERT_TRUE(rows.Step());
    EXPECT_GT(rows.ColumnInt(0), 1);
    EXPECT_LE(rows.ColumnInt(0), 400);
}

} // namespace
