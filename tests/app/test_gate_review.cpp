// The toll gate's review in the main window: what the game does after each
// choice, after a finished gate and after a time-out, that the gate is
// recorded with the setting on or off, and that a gate picked on the map
// waits on the board.

#include "BoardDriver.h"
#include "TestSupport.h"
#include "UDataInterface.h"
#include "UFrmGateMap.h"
#include "UFrmGateReview.h"
#include "UFrmSpell.h"
#include "UGateProgress.h"
#include "URandom.h"
#include "USettings.h"
#include "USpellGameType.h"
#include "UTextCodec.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

struct TGame
{
    explicit TGame(bool review)
    {
        SetRandSeed(0);
        home.WriteFile("data/spellconfig.ini", "[system]\r\nStoreTableName=lib1\r\nWordCount=17\r\nBookName="
                                                   + EncodeGbk(QStringLiteral("《书》"))
                                                   + "\r\nTollGateIndex=1\r\nLevel=1\r\ndata=test\r\nGateReview="
                                                   + (review ? "1" : "0") + "\r\n");
        MakeTwoGateBook(data, home);
        TFrmSpell::TPlatform platform;
        platform.CreateAudioOutput = [] {
            return std::make_unique<TRecordingAudioOutput>(std::make_shared<TRecordingAudioOutput::Log>());
        };
        window = std::make_unique<TFrmSpell>(data, TSettings(home.Path()), platform);
        window->show();
        dialogs->Messages.clear(); // no speech engine here: that notice is not this test's
    }
    TSpellGameType &Board() { return *window->SpellGame(); }
    QString Label(const char *name) { return window->findChild<QLabel *>(name)->text(); }

    TTempProgramDir home;
    TDataInterface data;
    TScopedDialogs dialogs;
    std::unique_ptr<TFrmSpell> window;
};

using C = TGateReviewChoice;

TEST(GateReview, EachChoiceMovesTheGameOnAndEveryGateIsRecorded)
{
    const struct
    {
        const char *name;
        bool review, timeOut;
        const char *button; // in the review
        QString gate, book, score;
        bool runningAfter;
        QList<int> record; // gate 1's stars and best score
    } cases[] = {
        {"off", false, false, nullptr, QStringLiteral("关卡：第2关（共2关）"), QStringLiteral("《书》"), "1500", true, {3, 1500}},
        {"next", true, false, "btnNext", QStringLiteral("关卡：第2关（共2关）"), QStringLiteral("《书》"), "1500", true, {3, 1500}},
        {"again", true, false, "btnReplay", QStringLiteral("关卡：第1关（共2关）"), QStringLiteral("《书》"), "0", true, {3, 1500}},
        {"time out, off", false, true, nullptr, QStringLiteral("关卡：第1关（共2关）"), QStringLiteral("《书》"), "0", false, {0, 100}},
        {"time out, next", true, true, "btnNext", QStringLiteral("关卡：第2关（共2关）"), QStringLiteral("《书》"), "0", false, {0, 100}},
        {"time out, again", true, true, "btnReplay", QStringLiteral("关卡：第1关（共2关）"), QStringLiteral("《书》"), "0", false, {0, 100}},
        {"time out, mistakes", true, true, "btnMistakes", QStringLiteral("关卡：第1关（共1关）"), QStringLiteral("《我的生词本》"), "0", false, {0, 100}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TGame game(c.review);
        int reviews = 0;
        if (c.button)
            game.dialogs->DialogHandlers.push_back([&](QDialog &dialog) {
                ++reviews;
                EXPECT_NE(dynamic_cast<TFrmGateReview *>(&dialog), nullptr);
                // The next gate waits and the countdown stands still meanwhile.
                EXPECT_FALSE(game.Board().TimerActive());
                dialog.findChild<QPushButton *>(c.button)->click();
                return dialog.result();
            });
        game.window->sbStartClick();
        for (int i = 0; i < (c.timeOut ? 1 : 15); ++i)
            ASSERT_TRUE(SpellCurrentWord(game.Board()));
        for (int tick = 0; c.timeOut && tick <= 200; ++tick)
            game.Board().Rules().Tick();

        EXPECT_EQ(reviews, c.button ? 1 : 0);
        if (c.timeOut) // the classic end comes first, then the review
            EXPECT_EQ(game.dialogs->Texts().value(0), QStringLiteral("很遗憾，您没能完成此次游戏，再接再厉吧！\n得分：100"));
        else
            EXPECT_TRUE(game.dialogs->Texts().isEmpty()) << game.dialogs->Texts().join(" | ").toStdString();
        EXPECT_EQ(game.Label("labGate"), c.gate);
        EXPECT_EQ(game.Label("labBook"), c.book);
        EXPECT_EQ(game.Label("labScore"), c.score);
        EXPECT_EQ(game.Board().TimerActive(), c.runningAfter);
        const TGateRecord first = TGateProgress(game.data).Gates(QStringLiteral("lib1")).value(0);
        EXPECT_EQ((QList<int>{first.TollGate, first.Stars, first.BestScore}), (QList<int>{1, c.record[0], c.record[1]}));
    }
}

TEST(GateReview, AGatePickedOnTheMapWaitsForTheStart)
{
    TGame game(false);
    game.dialogs->DialogHandlers.push_back([](QDialog &dialog) {
        auto &map = dynamic_cast<TFrmGateMap &>(dialog);
        EXPECT_FALSE(map.StartGate(3)); // the book has two
        EXPECT_TRUE(map.StartGate(2));  // one past the gate the game stands on
        return dialog.result();
    });
    game.window->SelectTollGate();
    EXPECT_EQ(game.Label("labGate"), QStringLiteral("关卡：第2关（共2关）"));
    EXPECT_FALSE(game.Board().TimerActive());
    EXPECT_EQ(game.window->GamePara().TollGateIndex, 2);
}

} // namespace
