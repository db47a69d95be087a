// A score that cannot be stored because the disk is full: the player is told
// in Chinese, and the game goes on exactly as after a stored score.

#include "BoardDriver.h"
#include "TestSupport.h"
#include "UDataInterface.h"
#include "UFrmInputBox.h"
#include "UFrmSpell.h"
#include "URandom.h"
#include "USettings.h"
#include "USpellGameType.h"
#include "UTextCodec.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <optional>

#include <gtest/gtest.h>

namespace {

TEST(ScoreSaving, AFullDiskIsToldAndTheGameGoesOnAsAfterAStoredScore)
{
    const struct
    {
        const char *name;
        int gate, level;
        int wordsSpelled;
        bool timeOut;
        std::deque<TMsgResult> answers; // before the name is asked for
        QString ending;                 // the first message
        bool runningAfter;              // a new game runs at once, or waits for "开始游戏"
    } cases[] = {
        {"time out", 2, 3, 1, true, {TMsgResult::Ok, TMsgResult::Yes}, QStringLiteral("很遗憾，您没能完成此次游戏，再接再厉吧！\n得分：300"),
         false},
        {"end of the book, played again", 2, 2, 2, false, {TMsgResult::Yes, TMsgResult::Yes},
         QStringLiteral("恭喜您完成了此次游戏的所有关卡！\n得分：400\n再玩一次吧？"), true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SetRandSeed(0);
        TTempProgramDir home;
        home.WriteFile("data/spellconfig.ini", "[system]\r\nStoreTableName=lib1\r\nWordCount=17\r\nBookName=" + EncodeGbk(QStringLiteral("《书》"))
                                                   + "\r\nTollGateIndex=" + QByteArray::number(c.gate)
                                                   + "\r\nLevel=" + QByteArray::number(c.level) + "\r\ndata=test\r\nGrade=skip\r\n");
        TDataInterface data;
        MakeTwoGateBook(data, home);
        TScopedDialogs dialogs;
        std::optional<TFileSizeLimit> fullDisk;
        dialogs->DialogHandlers.push_back([&fullDisk](QDialog &dialog) {
            dialog.findChild<QLineEdit *>("ediText")->setText(QStringLiteral("小明"));
            dynamic_cast<TFrmInputBox &>(dialog).btnOkClick();
            fullDisk.emplace(1); // every write fails from here on
            return dialog.result();
        });
        TFrmSpell::TPlatform platform;
        platform.CreateAudioOutput = [] { return std::make_unique<TRecordingAudioOutput>(std::make_shared<TRecordingAudioOutput::Log>()); };
        TFrmSpell window(data, TSettings(home.Path()), platform);
        window.show();
        dialogs->Messages.clear(); // no speech engine here: that notice is not this test's
        dialogs->Answers = c.answers;
        TSpellGameType &board = *window.SpellGame();
        window.sbStartClick();
        for (int i = 0; i < c.wordsSpelled; ++i)
            SpellCurrentWord(board);
        for (int tick = 0; c.timeOut && tick <= 50; ++tick)
            board.Rules().Tick();
        QCoreApplication::processEvents();
        fullDisk.reset();

        const QStringList texts = dialogs->Texts();
        ASSERT_EQ(texts.size(), 3) << texts.join(" | ").toStdString();
        EXPECT_EQ(texts[0], c.ending);
        EXPECT_EQ(texts[1], QStringLiteral("是否记录您的游戏成绩？"));
        EXPECT_TRUE(texts[2].startsWith(QStringLiteral("您的成绩没能记录到排行榜"))) << texts[2].toStdString();
        EXPECT_TRUE(texts[2].contains(QStringLiteral("详细信息："))) << "with the engine's text as the detail";
        EXPECT_TRUE(data.GetGameRecords(20).isEmpty());

        EXPECT_EQ(window.findChild<QLabel *>("labGate")->text(), QStringLiteral("关卡：第1关（共2关）"));
        EXPECT_EQ(window.findChild<QLabel *>("labScore")->text(), "0");
        EXPECT_EQ(board.TimerActive(), c.runningAfter);
        EXPECT_EQ(window.findChild<QToolButton *>("sbStart")->isEnabled(), !c.runningAfter);
    }
}

} // namespace
