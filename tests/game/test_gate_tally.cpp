// The toll gate's tally and its stars, from the rules' own notifications,
// with a clock ticked by hand and no display.

#include "ManualClock.h"
#include "UGameClock.h"
#include "UGateTally.h"
#include "URandom.h"
#include "USpellRules.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

TWordInfos Words(const QStringList &spellings)
{
    TWordInfos words;
    for (const QString &s : spellings)
        words.append(TWordInfo{s, QString(), QString()});
    return words;
}

void Type(TSpellRules &rules, const QString &letters)
{
    for (const QChar c : letters)
        ASSERT_GE(rules.PickByKey(c), 0) << c.toLatin1();
}

QList<TGateMark> Marks(const TGateResult &result)
{
    QList<TGateMark> marks;
    for (const TGateWord &word : result.Words)
        marks.append(word.Mark);
    return marks;
}

using M = TGateMark;

TEST(GateStars, FromHowTheGateEndedAndHowCleanItsWordsWere)
{
    const struct
    {
        bool finished;
        QList<TGateMark> marks;
        int stars;
    } cases[] = {
        {true, {M::Spelled, M::Spelled, M::Spelled}, 3},
        {true, {M::Spelled, M::Hinted, M::Spelled}, 2},
        {true, {M::AfterWrong, M::Hinted, M::Spelled}, 2},
        {true, {M::AfterWrong, M::Hinted, M::Hinted}, 1},
        {true, {M::Spelled, M::NotDone, M::Spelled}, 3}, // a word too long to deal
        {true, {}, 3},
        {false, {M::Spelled, M::Spelled, M::NotDone}, 0},
        {false, {}, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(GateStars(c.finished, c.marks), c.stars) << c.finished << " " << c.marks.size();
}

class GateTallyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetRandSeed(0);
        QObject::connect(&tally, &TGateTally::GateEnded, &tally, [this](const TGateResult &r) { ended.append(r); });
    }

    TManualClock clock;
    TSpellRules rules{clock};
    TGateTally tally{rules};
    QList<TGateResult> ended;
};

TEST_F(GateTallyTest, EachWayAWordIsDoneAndTheTimeUsed)
{
    rules.StartGame(Words({"ab", "cd", "ef", "gh"}), nullptr);
    clock.Advance(3);
    Type(rules, QStringLiteral("ab"));
    rules.ShowHint();
    Type(rules, QStringLiteral("d"));
    Type(rules, QStringLiteral("fe")); // every tile, wrong order
    rules.ClearSpelling();
    Type(rules, QStringLiteral("ef"));
    clock.Advance(2);
    Type(rules, QStringLiteral("gh"));

    ASSERT_EQ(ended.size(), 1);
    const TGateResult &r = ended[0];
    EXPECT_EQ(Marks(r), (QList<TGateMark>{M::Spelled, M::Hinted, M::AfterWrong, M::Spelled}));
    EXPECT_TRUE(r.Finished);
    EXPECT_EQ(r.Seconds, 5);
    EXPECT_EQ(r.LevelTime, 200);
    EXPECT_EQ(r.Score, 300);
    EXPECT_EQ(r.Stars, 2);
    // Asked again for the same end, the result stays and is not reported twice.
    EXPECT_EQ(tally.Close(true).Score, 300);
    EXPECT_EQ(ended.size(), 1);
}

TEST_F(GateTallyTest, ARestartForgetsTheMarksAndATimeOutLeavesTheRestNotDone)
{
    rules.StartGame(Words({"ab", "cd", "ef"}), nullptr);
    rules.ShowHint();
    Type(rules, QStringLiteral("b"));
    rules.RestartGame(); // as "再练本关" does
    Type(rules, QStringLiteral("ab"));
    clock.Advance(1000);

    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(Marks(ended[0]), (QList<TGateMark>{M::Spelled, M::NotDone, M::NotDone}));
    EXPECT_FALSE(ended[0].Finished);
    EXPECT_EQ(ended[0].Seconds, ended[0].LevelTime);
    EXPECT_EQ(ended[0].Stars, 0);

    // A gate with nothing to deal ends on the clock with its own list.
    rules.SetWords(Words({QString(), QString()}));
    rules.RestartGame();
    clock.Advance(1000);
    ASSERT_EQ(ended.size(), 2);
    EXPECT_EQ(Marks(ended[1]), (QList<TGateMark>{M::NotDone, M::NotDone}));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
