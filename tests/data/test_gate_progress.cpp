// The per-gate stars and best scores on small libraries built in each test,
// and which gates a player may start.

#include "TestSupport.h"
#include "UDataInterface.h"
#include "UGateProgress.h"
#include "USqlite.h"
#include "UWordProgress.h"

#include <gtest/gtest.h>

namespace {

QList<QList<int>> Rows(const QList<TGateRecord> &gates)
{
    QList<QList<int>> rows;
    for (const TGateRecord &g : gates)
        rows.append({g.TollGate, g.Stars, g.BestScore});
    return rows;
}

TEST(GateProgress, KeepsTheBestOfEachGateAndRebuildsAForeignTableKeepingItsRows)
{
    TTempProgramDir home;
    TDataInterface data;
    ASSERT_TRUE(data.CreateDatabase(home.File(QStringLiteral("data/guluspell.mdb")), TDataInterface::DatabasePassword()));
    // Left by some other program: no stars column, an index of its own.
    data.Database().Exec(QStringLiteral("CREATE TABLE gateprogress(book TEXT, tollgate INTEGER, bestscore INTEGER)"));
    data.Database().Exec(QStringLiteral("CREATE INDEX foreign_gate ON gateprogress(book)"));
    data.Database().Exec(QStringLiteral("INSERT INTO gateprogress VALUES('lib1', 4, 900), ('lib1', NULL, 5)"));

    TGateProgress progress(data);
    const QString a = QStringLiteral("lib1"), b = QStringLiteral("lib2");
    ASSERT_TRUE(progress.Record(a, 2, 1, 700));
    EXPECT_TRUE(progress.TakeRebuiltNotice());
    EXPECT_FALSE(progress.TakeRebuiltNotice());
    ASSERT_TRUE(progress.Record(a, 2, 3, 400)); // better stars, worse score
    ASSERT_TRUE(progress.Record(a, 2, 0, 800)); // timed out, better score
    ASSERT_TRUE(progress.Record(a, 1, 9, 100)); // stars beyond three are three
    ASSERT_TRUE(progress.Record(b, 7, 2, 50));
    EXPECT_FALSE(progress.Record(b, 0, 2, 50));

    EXPECT_EQ(Rows(progress.Gates(a)), (QList<QList<int>>{{1, 3, 100}, {2, 3, 800}, {4, 0, 900}}));
    EXPECT_EQ(Rows(progress.Gates(b)), (QList<QList<int>>{{7, 2, 50}}));
    EXPECT_TRUE(progress.Gates(QStringLiteral("lib3")).isEmpty());

    // The furthest gate counts what older runs wrote in the book progress.
    EXPECT_EQ(progress.FurthestGate(a), 4);
    TWordProgress words(data);
    ASSERT_TRUE(words.Open());
    ASSERT_TRUE(words.RecordBook(a, 11, 0));
    EXPECT_EQ(progress.FurthestGate(a), 11);
    EXPECT_EQ(progress.FurthestGate(QStringLiteral("lib3")), 0);

    // A new connection sees it all committed.
    data.Close();
    ASSERT_TRUE(data.ConnectDatabase(home.File(QStringLiteral("data/guluspell.mdb")), TDataInterface::DatabasePassword()));
    TGateProgress again(data);
    EXPECT_EQ(Rows(again.Gates(b)), (QList<QList<int>>{{7, 2, 50}}));
    EXPECT_FALSE(again.TakeRebuiltNotice());
}

TEST(GateProgress, APlayerMayStartAnyGateUpToOnePastTheFurthestReached)
{
    const struct
    {
        int furthest, count, last;
    } cases[] = {
        {0, 232, 1},   // a book never played
        {1, 232, 2},
        {57, 232, 58},
        {232, 232, 232}, // the last gate has none after it
        {500, 3, 3},     // a book that shrank
        {-4, 3, 1},
        {0, 0, 0},       // an empty book
        {2147483647, 9, 9},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TGateProgress::LastOpenGate(c.furthest, c.count), c.last) << c.furthest << " of " << c.count;
}

} // namespace
