// The data module on small encrypted libraries built in each test.

#include "TestSupport.h"
#include "UCommonFun.h"
#include "UDataInterface.h"
#include "UScramble.h"
#include "USettings.h"
#include "USqlite.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class DataInterfaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WriteSettings(QStringLiteral("guluspell"), 0);
        ASSERT_TRUE(m_data.CreateDatabase(DbFile(), TDataInterface::DatabasePassword()));
    }

    QString DbFile() const { return m_home.File(QStringLiteral("data/guluspell.mdb")); }

    void WriteSettings(const QString &data, int encrypt)
    {
        m_home.WriteFile(QStringLiteral("data/spellconfig.ini"),
                         QStringLiteral("[system]\r\ndata=%1\r\nencrypt=%2\r\n").arg(data).arg(encrypt).toLatin1());
    }

    // A book of n words "w1".."wn" with pronunciations "p1".. and meanings "m1"..
    void FillTable(const QString &table, int n)
    {
        ASSERT_TRUE(m_data.CreateWordTable(table));
        ASSERT_TRUE(m_data.BeginTransaction());
        for (int i = 1; i <= n; ++i)
            ASSERT_TRUE(m_data.InsertWord(table, QStringLiteral("w%1").arg(i), QStringLiteral("p%1").arg(i),
                                          QStringLiteral("m%1").arg(i)));
        ASSERT_TRUE(m_data.Commit());
    }

    static QStringList Spellings(const TWordInfos &words)
    {
        QStringList list;
        for (const TWordInfo &w : words)
            list << w.Spelling;
        return list;
    }

    TTempProgramDir m_home;
    TDataInterface m_data;
};

TEST_F(DataInterfaceTest, CatalogueLookUps)
{
    EXPECT_EQ(m_data.GetNextBookId(), 1); // empty catalogue
    ASSERT_TRUE(m_data.AddBookInfo(QStringLiteral("《最新TOEFL词汇》"), 3480, QStringLiteral("lib109"), 6, 109));
    ASSERT_TRUE(m_data.AddBookInfo(QStringLiteral("Twice"), 10, QStringLiteral("lib110"), 6, 110));
    ASSERT_TRUE(m_data.AddBookInfo(QStringLiteral("Twice"), 20, QStringLiteral("lib111"), 6, 111));
    ASSERT_TRUE(m_data.AddBookInfo(QStringLiteral("Hidden"), 5, QStringLiteral("lib112"), 6, 112, 0));
    ASSERT_TRUE(m_data.AddBookInfo(QStringLiteral("Other class"), 5, QStringLiteral("lib113"), 2, 113));
    EXPECT_FALSE(m_data.AddBookInfo(QStringLiteral("Same id"), 5, QStringLiteral("lib999"), 2, 113));

    EXPECT_EQ(m_data.GetBookWordCount(109), 3480);
    EXPECT_EQ(m_data.GetBookTableName(109), QStringLiteral("lib109"));
    EXPECT_EQ(m_data.GetBookName(109), QStringLiteral("《最新TOEFL词汇》"));
    EXPECT_EQ(m_data.GetBookWordCount(1), -1);
    EXPECT_TRUE(m_data.GetBookTableName(1).isEmpty());
    EXPECT_TRUE(m_data.GetBookName(1).isEmpty());

    EXPECT_EQ(m_data.GetDefaultBookId(QStringLiteral("Twice")), 110);
    EXPECT_EQ(m_data.GetDefaultBookId(QStringLiteral("Hidden")), -1);
    EXPECT_TRUE(m_data.BookNameExists(QStringLiteral("Hidden")));
    EXPECT_TRUE(m_data.BookNameExists(QStringLiteral("twice"))); // letter case does not tell titles apart

    QList<int> ids;
    for (const TBookInfo &b : m_data.GetListedBooks(6))
        ids << b.Id;
    EXPECT_EQ(ids, (QList<int>{109, 110, 111}));
    const TBookInfo other = m_data.GetListedBooks(2).value(0);
    EXPECT_EQ(other.BookName, QStringLiteral("Other class"));
    EXPECT_EQ(other.StoreTableName, QStringLiteral("lib113"));
    EXPECT_EQ(other.BookClass, 2);
    EXPECT_EQ(other.IsDefault, 1);
    EXPECT_EQ(m_data.GetNextBookId(), 114);
}

TEST_F(DataInterfaceTest, QuotesAreStoredAndFoundAsTyped)
{
    const QString title = QStringLiteral("O'Brien's o'clock '); DROP TABLE bookinfo; --");
    ASSERT_TRUE(m_data.AddBookInfo(title, 1, QStringLiteral("lib5"), 7, 5));
    EXPECT_TRUE(m_data.BookNameExists(title));
    EXPECT_EQ(m_data.GetDefaultBookId(title), 5);
    EXPECT_EQ(m_data.GetBookName(5), title);

    ASSERT_TRUE(m_data.AddGameRecord(QStringLiteral("O'Brien"), 300, QDate(2024, 2, 29)));
    const auto records = m_data.GetGameRecords(20);
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].Name, QStringLiteral("O'Brien"));
    EXPECT_EQ(records[0].RecoreTime, QStringLiteral("2024-02-29"));

    FillTable(QStringLiteral("lib5"), 0);
    ASSERT_TRUE(m_data.InsertWord(QStringLiteral("lib5"), QStringLiteral("o'clock"), QString(), QStringLiteral("…点钟")));
    EXPECT_EQ(m_data.LoadWordRows(QStringLiteral("lib5"), 0, 15).value(0).Spelling, QStringLiteral("o'clock"));
}

TEST_F(DataInterfaceTest, RankingIsByScoreThenOrderStored)
{
    for (auto [name, score] : {std::pair{"a", 100}, {"b", 300}, {"c", 100}, {"d", 200}})
        ASSERT_TRUE(m_data.AddGameRecord(QString::fromLatin1(name), score, QDate(2025, 1, 1)));
    QStringList names;
    for (const TGameRecord &r : m_data.GetGameRecords(3))
        names << r.Name;
    EXPECT_EQ(names, (QStringList{"b", "d", "a"}));
    EXPECT_EQ(m_data.GetGameRecords(-1).size(), 4);
    EXPECT_THROW(m_data.AddGameRecord(QString(256, QLatin1Char('x')), 1), EDatabaseError);
}

TEST_F(DataInterfaceTest, WordTableLimitsAndNames)
{
    const QString table = QStringLiteral("lib7");
    FillTable(table, 0);
    EXPECT_TRUE(m_data.TableExists(table));
    EXPECT_TRUE(m_data.TableExists(QStringLiteral("LIB7")));
    EXPECT_FALSE(m_data.CreateWordTable(table)); // already there

    // Limits count characters: 255 Chinese characters fit, 256 do not.
    EXPECT_TRUE(m_data.InsertWord(table, QString(255, QLatin1Char('a')), QString(200, QChar(0x0259)),
                                  QString(255, QChar(0x4E2D))));
    EXPECT_FALSE(m_data.InsertWord(table, QString(256, QLatin1Char('a')), QString(), QString()));
    EXPECT_FALSE(m_data.InsertWord(table, QStringLiteral("a"), QString(201, QLatin1Char('p')), QString()));
    EXPECT_FALSE(m_data.InsertWord(table, QStringLiteral("a"), QString(), QString(256, QChar(0x4E2D))));
    EXPECT_EQ(m_data.CountWordRows(table), 1);

    // Names that are not plain identifiers behave as missing tables, and the
    // catalogue and ranking are never treated as word tables.
    for (const QString &bad : {QStringLiteral("lib7; DROP TABLE bookinfo"), QStringLiteral("lib\"7"),
                               QStringLiteral("7lib"), QString(), QStringLiteral("bookinfo"),
                               QStringLiteral("GameRecord")}) {
        EXPECT_FALSE(m_data.DropTable(bad)) << qPrintable(bad);
        EXPECT_FALSE(m_data.InsertWord(bad, QStringLiteral("x"), QString(), QString())) << qPrintable(bad);
        EXPECT_TRUE(m_data.LoadWordRows(bad, 0, 15).isEmpty()) << qPrintable(bad);
    }
    EXPECT_FALSE(m_data.TableExists(QStringLiteral("sqlite_sequence")));
    EXPECT_TRUE(m_data.TableExists(QStringLiteral("bookinfo")));

    EXPECT_TRUE(m_data.DropTable(table));
    EXPECT_FALSE(m_data.TableExists(table));
    EXPECT_TRUE(m_data.LoadWordRows(table, 0, 15).isEmpty());
    EXPECT_EQ(m_data.CountWordRows(table), 0);
    // The same name again starts from an empty table.
    FillTable(table, 3);
    EXPECT_EQ(m_data.CountWordRows(table), 3);
}

TEST_F(DataInterfaceTest, TollGatePositions)
{
    FillTable(QStringLiteral("lib1"), 40);
    const QString t = QStringLiteral("lib1");
    QStringList second;
    for (int i = 16; i <= 30; ++i)
        second << QStringLiteral("w%1").arg(i);
    EXPECT_EQ(Spellings(m_data.LoadTollGate(t, 2, 15, false)), second);
    EXPECT_EQ(Spellings(m_data.LoadTollGate(t, 3, 15, false)),
              (QStringList{"w31", "w32", "w33", "w34", "w35", "w36", "w37", "w38", "w39", "w40"}));
    EXPECT_TRUE(m_data.LoadTollGate(t, 4, 15, false).isEmpty());
    EXPECT_TRUE(m_data.LoadWordRows(t, 0, 0).isEmpty());

    const TWordInfo first = m_data.LoadTollGate(t, 1, 15, false).value(0);
    TWordInfo expected;
    expected.Spelling = QStringLiteral("w1");
    expected.Pronunciation = QStringLiteral("p1");
    expected.Meaning = QStringLiteral("m1");
    EXPECT_EQ(first, expected); // fields 4 to 8 stay empty
}

// Tables written here number their rows 1..n; a table edited elsewhere may
// have gaps, and the toll gates are still counted by position.
TEST_F(DataInterfaceTest, TollGatesFollowPositionsWhenIdsHaveGaps)
{
    const QString t = QStringLiteral("lib3");
    FillTable(t, 20);
    EXPECT_EQ(m_data.LoadTollGate(t, 1, 15, false).value(2).Spelling, QStringLiteral("w3"));
    {
        TSqliteDatabase other(DbFile(), TDataInterface::DatabasePassword(), false);
        other.Exec(QStringLiteral("DELETE FROM lib3 WHERE id IN (3, 17)"));
    }
    EXPECT_EQ(Spellings(m_data.LoadTollGate(t, 2, 15, false)), (QStringList{"w18", "w19", "w20"}));
    const TWordInfos first = m_data.LoadTollGate(t, 1, 15, false);
    EXPECT_EQ(first.value(2).Spelling, QStringLiteral("w4"));
    EXPECT_EQ(first.value(14).Spelling, QStringLiteral("w16"));

    // Inserting again through this connection is seen at once as well.
    ASSERT_TRUE(m_data.InsertWord(t, QStringLiteral("w21"), QString(), QString()));
    EXPECT_EQ(Spellings(m_data.LoadTollGate(t, 2, 15, false)), (QStringList{"w18", "w19", "w20", "w21"}));
}

TEST_F(DataInterfaceTest, ScrambledLoading)
{
    const QString t = QStringLiteral("lib2");
    FillTable(t, 0);
    ASSERT_TRUE(m_data.InsertWord(t, ScrambleText(QStringLiteral("apple")), QStringLiteral("  "),
                                  ScrambleText(QStringLiteral("n. 苹果"))));
    ASSERT_TRUE(m_data.InsertWord(t, QStringLiteral("zebra"), QStringLiteral("zi:brə"), QString()));

    TWordInfos words = m_data.LoadTollGate(t, 1, 15, true);
    ASSERT_EQ(words.size(), 2);
    EXPECT_EQ(words[0].Spelling, QStringLiteral("apple"));
    EXPECT_TRUE(words[0].Pronunciation.isEmpty());
    EXPECT_EQ(words[0].Meaning, QStringLiteral("n. 苹果"));
    // A plain word under the flag does not unscramble: the record stays, empty.
    EXPECT_TRUE(words[1].Spelling.isEmpty());
    EXPECT_TRUE(words[1].Pronunciation.isEmpty());

    words = m_data.LoadTollGate(t, 1, 15, false);
    EXPECT_EQ(words.value(1).Spelling, QStringLiteral("zebra"));
}

TEST_F(DataInterfaceTest, OpeningFailures)
{
    m_data.Close();
    EXPECT_THROW(m_data.GetBookName(1), EDatabaseError);

    // Wrong key, and a file that is not a database.
    EXPECT_FALSE(m_data.ConnectDatabase(DbFile(), QStringLiteral("moss@1987#fern")));
    m_home.WriteFile(QStringLiteral("data/junk.mdb"), QByteArray(4096, 'x'));
    EXPECT_FALSE(m_data.ConnectDatabase(m_home.File(QStringLiteral("data/junk.mdb")), TDataInterface::DatabasePassword()));

    // A missing file is not created; a missing "data" key names the shipped library.
    WriteSettings(QStringLiteral("absent"), 0);
    EXPECT_FALSE(m_data.ConnectDatabase(TSettings(m_home.Path())));
    EXPECT_FALSE(m_data.IsConnected());
    EXPECT_FALSE(QFileInfo::exists(m_home.File(QStringLiteral("data/absent.mdb"))));
    m_home.WriteFile(QStringLiteral("data/spellconfig.ini"), "[system]\r\n");
    EXPECT_EQ(TDataInterface::GetDatabaseFileName(TSettings(m_home.Path())), DbFile());

    // CreateDatabase never overwrites.
    EXPECT_FALSE(m_data.CreateDatabase(DbFile(), TDataInterface::DatabasePassword()));

    WriteSettings(QStringLiteral("guluspell"), 0);
    EXPECT_TRUE(m_data.ConnectDatabase(TSettings(m_home.Path())));
    EXPECT_EQ(m_data.GetNextBookId(), 1);
}

TEST_F(DataInterfaceTest, FileIsEncrypted)
{
    ASSERT_TRUE(m_data.AddBookInfo(QStringLiteral("PlainTitleMarker"), 1, QStringLiteral("lib1"), 1, 1));
    m_data.Close();
    QFile file(DbFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.startsWith("SQLite format 3"));
    EXPECT_FALSE(bytes.contains("PlainTitleMarker"));
    EXPECT_FALSE(bytes.contains("bookinfo"));
}

} // namespace
