// The known words: left out of the toll gates when skipped, in plain and
// scrambled books alike, and never let into the mistake book again.

#include "TestSupport.h"
#include "UBookType.h"
#include "UDataInterface.h"
#include "UKnownWords.h"
#include "UMistakeBook.h"
#include "UScramble.h"
#include "UWordBookEdits.h"
#include "UWordProgress.h"

#include <gtest/gtest.h>

namespace {

const QDate kDay(2026, 6, 1);

QString Nth(int n)
{
    return QStringLiteral("w%1").arg(n, 2, 10, QLatin1Char('0'));
}

QStringList Range(int first, int last, const QStringList &except = {})
{
    QStringList list;
    for (int n = first; n <= last; ++n)
        if (!except.contains(Nth(n)))
            list << Nth(n);
    return list;
}

QStringList Spellings(const TWordInfos &words)
{
    QStringList list;
    for (const TWordInfo &w : words)
        list << w.Spelling;
    return list;
}

TKnownWord Known(const QString &spelling)
{
    return TKnownWord{TWordInfo{spelling, QStringLiteral("/") + spelling + QStringLiteral("/"), QStringLiteral("义") + spelling},
                      QStringLiteral("lib1"), QString(), kDay};
}

class KnownWordsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_data.CreateDatabase(m_home.File(QStringLiteral("data/guluspell.mdb")),
                                          TDataInterface::DatabasePassword()));
    }

    TTempProgramDir m_home;
    TDataInterface m_data;
};

TEST(KnownWordsDealing, SkippedWordsAreTakenOutBeforeTheBookIsCutIntoTollGates)
{
    // Known: two words of the first gate's end, one of the second, and one
    // that no book has. The book has 31 words: three toll gates, or two
    // without the three known ones it holds.
    const QStringList known = {QStringLiteral("w02"), QStringLiteral("w16"), QStringLiteral("w17"), QStringLiteral("zzz")};
    struct Case
    {
        bool Skip;
        int Gate;
        QStringList Dealt;
        int WordsLeft;
    };
    const QStringList dealtOn1 = Range(1, 15, {"w02"}) + QStringList{"w18"};
    const Case cases[] = {
        {false, 1, Range(1, 15), 31},
        {false, 2, Range(16, 30), 31},
        {false, 3, Range(31, 31), 31},
        {true, 1, dealtOn1, 28},
        {true, 2, Range(19, 31), 28},
        {true, 3, {}, 28},
    };
    for (const bool scramble : {false, true}) {
        TTempProgramDir home;
        TDataInterface data;
        ASSERT_TRUE(data.CreateDatabase(home.File(QStringLiteral("data/guluspell.mdb")), TDataInterface::DatabasePassword()));
        ASSERT_TRUE(data.CreateWordTable(QStringLiteral("lib1")));
        for (int n = 1; n <= 31; ++n) {
            const QString meaning = QStringLiteral("义") + Nth(n);
            ASSERT_TRUE(data.InsertWord(QStringLiteral("lib1"), scramble ? ScrambleText(Nth(n)) : Nth(n), QString(),
                                        scramble ? ScrambleText(meaning) : meaning));
        }
        QList<TKnownWord> marked;
        for (const QString &spelling : known)
            marked << Known(spelling);
        MarkKnown(data, marked, kDay, scramble);
        const QSet<QString> spellings = TKnownWords(data).Spellings();
        ASSERT_EQ(spellings, QSet<QString>(known.begin(), known.end()));

        for (const Case &c : cases) {
            SCOPED_TRACE(testing::Message() << "scrambled " << scramble << ", skipping " << c.Skip << ", gate " << c.Gate);
            const QSet<QString> skipped = c.Skip ? spellings : QSet<QString>();
            const TWordInfos words = data.LoadTollGate(QStringLiteral("lib1"), c.Gate, 15, scramble, skipped);
            EXPECT_EQ(Spellings(words), c.Dealt);
            if (!words.isEmpty())
                EXPECT_EQ(words.first().Meaning, QStringLiteral("义") + words.first().Spelling) << "dealt texts are plain";
            EXPECT_EQ(data.CountWordsLeft(QStringLiteral("lib1"), scramble, skipped), c.WordsLeft);
        }
    }
}

TEST_F(KnownWordsTest, AKnownWordLeavesTheMistakeBookAndNeverComesBackUntilGivenBack)
{
    ASSERT_TRUE(m_data.AddBookInfo(QStringLiteral("Book"), 30, QStringLiteral("lib1"), 1, 1));
    TWordProgress progress(m_data);
    const auto event = [](const QString &spelling, TWordOutcome outcome, bool hinted) {
        TWordEvent e;
        e.Book = QStringLiteral("lib1");
        e.Word = Known(spelling).Word;
        e.Outcome = outcome;
        e.Hinted = hinted;
        return e;
    };
    // Every way into the mistake book.
    struct Case
    {
        const char *Name;
        TWordOutcome Outcome;
        bool Hinted;
    };
    const Case ways[] = {
        {"missed", TWordOutcome::Missed, false},
        {"hinted", TWordOutcome::Completed, true},
        {"wrong order", TWordOutcome::WrongOrder, false},
    };
    for (const bool scramble : {false, true}) {
        for (const Case &way : ways) {
            SCOPED_TRACE(testing::Message() << way.Name << ", scrambled " << scramble);
            const QString spelling = QStringLiteral("ab");
            ASSERT_TRUE(progress.Record(event(spelling, way.Outcome, way.Hinted), kDay, scramble));
            ASSERT_EQ(TMistakeBook(m_data).Count(), 1);

            MarkKnown(m_data, {Known(spelling)}, kDay, scramble);
            EXPECT_EQ(TMistakeBook(m_data).Count(), 0);
            EXPECT_EQ(m_data.GetListedBooks(kWordBookClass).value(0).WordNumber, 0) << "the catalogue's count follows";
            const int dealt = progress.Word(QStringLiteral("lib1"), spelling).Dealt;
            ASSERT_TRUE(progress.Record(event(spelling, way.Outcome, way.Hinted), kDay.addDays(1), scramble));
            EXPECT_EQ(TMistakeBook(m_data).Count(), 0);
            EXPECT_EQ(progress.Word(QStringLiteral("lib1"), spelling).Dealt,
                      dealt + (way.Outcome == TWordOutcome::WrongOrder ? 0 : 1))
                << "the word's progress is still kept";
            const QList<TKnownWord> rows = TKnownWords(m_data).Rows(scramble);
            ASSERT_EQ(rows.size(), 1);
            EXPECT_EQ(rows[0].Word.Meaning, QStringLiteral("义ab"));
            EXPECT_EQ(rows[0].SourceTitle, QStringLiteral("Book"));

            EXPECT_EQ(ForgetKnown(m_data, {spelling}), 1);
            ASSERT_TRUE(progress.Record(event(spelling, way.Outcome, way.Hinted), kDay.addDays(2), scramble));
            EXPECT_EQ(TMistakeBook(m_data).Count(), 1) << "given back, it can be missed again";
            EXPECT_EQ(RemoveFromMistakeBook(m_data, {spelling, QStringLiteral("never-in")}), 1);
            EXPECT_EQ(TMistakeBook(m_data).Count(), 0);
        }
    }
}

} // namespace
