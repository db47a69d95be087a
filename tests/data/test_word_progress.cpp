// Word progress and the mistake book on small libraries built in each test;
// every date is given, none is read from the clock.

#include "TestSupport.h"
#include "UBookType.h"
#include "UDataInterface.h"
#include "UMistakeBook.h"
#include "UScramble.h"
#include "USqlite.h"
#include "UWordProgress.h"

#include <gtest/gtest.h>

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

} // namespace
