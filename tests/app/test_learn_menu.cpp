// "设置 → 学习" in the real main window: the items kept in the settings
// file, the meaning line over the slot and the say-again button and key,
// played through the window's own handlers on a small book.

#include "BoardDriver.h"
#include "ListeningSpeechLayer.h"
#include "TestSupport.h"
#include "UDataInterface.h"
#include "UFrmSpell.h"
#include "UIniFile.h"
#include "URandom.h"
#include "USpeechLayer.h"
#include "USpellGameType.h"
#include "UTextCodec.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kBook = QStringLiteral("《测试词汇》");

class LearnMenu : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetRandSeed(0);
        home.WriteFile("data/spellconfig.ini", "[system]\r\nStoreTableName=lib1\r\nWordCount=4\r\nBookName="
                                                   + EncodeGbk(kBook) + "\r\nTollGateIndex=1\r\nLevel=1\r\ndata=test\r\n");
        ASSERT_TRUE(data.CreateDatabase(home.File("data/test.mdb"), TDataInterface::DatabasePassword()));
        ASSERT_TRUE(data.CreateWordTable(QStringLiteral("lib1")));
        const char *const words[][3] = {{"ab", "'æb", "甲乙"}, {"cd", "", "丙丁"}, {"ef", "ef", "戊己"}, {"gh", "", "庚辛"}};
        for (const auto &w : words)
            ASSERT_TRUE(data.InsertWord(QStringLiteral("lib1"), QString::fromUtf8(w[0]), QString::fromUtf8(w[1]),
                                        QString::fromUtf8(w[2])));
        ASSERT_TRUE(data.AddBookInfo(kBook, 4, QStringLiteral("lib1"), 3, 1));
    }

    TFrmSpell &Window()
    {
        if (!window) {
            TFrmSpell::TPlatform platform;
            platform.CreateAudioOutput = [this] { return std::make_unique<TRecordingAudioOutput>(audio); };
            platform.CreateSpeechLayer = [this] { return std::make_unique<TListeningSpeechLayer>(spoken); };
            window = std::make_unique<TFrmSpell>(data, TSettings(home.Path()), platform);
            window->show();
        }
        return *window;
    }
    QAction *Item(const QString &menuName, const QString &caption)
    {
        QMenu *menu = Window().findChild<QMenu *>(menuName);
        if (!menu)
            return nullptr;
        for (QAction *item : menu->actions())
            if (item->text().startsWith(caption))
                return item;
        return nullptr;
    }
    QAction *LearnItem(const char *caption) { return Item(QStringLiteral("learnMenu"), QString::fromUtf8(caption)); }
    QAction *SayAgainItem() { return Item(QStringLiteral("gameMenu"), QStringLiteral("再读一遍")); }
    TSpellGameType &Board() { return *Window().SpellGame(); }
    int Ini(const char *key) { return TIniFile(home.File("data/spellconfig.ini")).ReadInteger("system", key, -1); }
    // The first saying of a dealt word waits for the event loop.
    static void Settle() { QCoreApplication::sendPostedEvents(); }

    TTempProgramDir home;
    TScopedDialogs dialogs;
    TDataInterface data;
    std::shared_ptr<TRecordingAudioOutput::Log> audio = std::make_shared<TRecordingAudioOutput::Log>();
    std::shared_ptr<QStringList> spoken = std::make_shared<QStringList>();
    std::unique_ptr<TFrmSpell> window;
};

} // namespace

TEST_F(LearnMenu, ItemsAreOffByDefaultAndKeptInTheSettingsFile)
{
    const struct
    {
        const char *caption;
        const char *key;
    } items[] = {{"释义提示", "ShowMeaning"}, {"听音拼写", "ListenFirst"}, {"关卡小结", "GateReview"}};
    ASSERT_NE(Window().findChild<QMenu *>(QStringLiteral("learnMenu")), nullptr);
    EXPECT_TRUE(Window().findChild<QMenu *>(QStringLiteral("settingsMenu"))->actions().contains(
        Window().findChild<QMenu *>(QStringLiteral("learnMenu"))->menuAction()));
    for (const auto &item : items) {
        ASSERT_NE(LearnItem(item.caption), nullptr) << item.caption;
        EXPECT_FALSE(LearnItem(item.caption)->isChecked()) << item.caption;
        EXPECT_EQ(Ini(item.key), -1) << "nothing is written before a click: " << item.key;
    }
    EXPECT_FALSE(Board().MeaningLineOn());
    EXPECT_FALSE(Board().Rules().GetListenFirst());

    for (const auto &item : items)
        LearnItem(item.caption)->trigger();
    for (const auto &item : items)
        EXPECT_EQ(Ini(item.key), 1) << item.key;
    EXPECT_TRUE(Board().MeaningLineOn()) << "applied at once";
    EXPECT_TRUE(Board().Rules().GetListenFirst()) << "applied at once";

    window.reset();
    for (const auto &item : items)
        EXPECT_TRUE(LearnItem(item.caption)->isChecked()) << item.caption;
    EXPECT_TRUE(Board().MeaningLineOn()) << "applied at start-up";
    LearnItem("释义提示")->trigger();
    EXPECT_EQ(Ini("ShowMeaning"), 0);
    EXPECT_FALSE(Board().MeaningLineOn());
}

TEST_F(LearnMenu, TheMeaningLineShowsOnlyWhileAWordIsBeingSpelled)
{
    LearnItem("释义提示")->trigger();
    EXPECT_TRUE(Board().MeaningLine().isEmpty()) << "waiting for the start";
    Window().sbStartClick();
    EXPECT_EQ(Board().MeaningLine(), QStringLiteral("['æb]  甲乙"));
    Window().btnPauseClick();
    EXPECT_TRUE(Board().MeaningLine().isEmpty()) << "paused";
    Window().btnContinueClick();
    SpellCurrentWord(Board());
    EXPECT_EQ(Board().MeaningLine(), QStringLiteral("丙丁")) << "no phonetic, no brackets";
    LearnItem("释义提示")->trigger();
    EXPECT_TRUE(Board().MeaningLine().isEmpty()) << "switched off";
}

TEST_F(LearnMenu, ListeningFirstSaysEachWordAndTheButtonAndF4SayItAgain)
{
    LearnItem("听音拼写")->trigger();
    Settle();
    EXPECT_TRUE(spoken->isEmpty()) << "nothing is said before the start";
    EXPECT_TRUE(Board().SpeakerRect().isEmpty());
    EXPECT_FALSE(SayAgainItem()->isEnabled());

    Window().sbStartClick();
    Settle();
    EXPECT_EQ(*spoken, QStringList{"ab"});
    ASSERT_FALSE(Board().SpeakerRect().isEmpty());
    EXPECT_TRUE(SayAgainItem()->isEnabled());
    const QPoint speaker = Board().SpeakerRect().center();
    SendMove(Board(), speaker);
    SendRelease(Board(), speaker);
    SayAgainItem()->trigger();
    EXPECT_EQ(*spoken, QStringList({"ab", "ab", "ab"}));
    EXPECT_EQ(Board().Rules().Letters(), QStringList()) << "a click on the button picks no tile";

    SpellCurrentWord(Board());
    Settle();
    EXPECT_EQ(spoken->mid(3), QStringList({"ab", "cd"})) << "the spelled word, then the next one";

    Window().btnPauseClick();
    EXPECT_TRUE(Board().SpeakerRect().isEmpty());
    EXPECT_FALSE(SayAgainItem()->isEnabled());
    Window().btnContinueClick();
    Window().findChild<QCheckBox *>(QStringLiteral("cbSpeech"))->click();
    spoken->clear();
    SayAgainItem()->trigger();
    EXPECT_TRUE(spoken->isEmpty()) << "speech is off";

    Window().findChild<QCheckBox *>(QStringLiteral("cbSpeech"))->click();
    LearnItem("听音拼写")->trigger();
    EXPECT_TRUE(Board().SpeakerRect().isEmpty()) << "the button belongs to listening first";
    SayAgainItem()->trigger();
    EXPECT_EQ(*spoken, QStringList{"cd"}) << "F4 works without listening first";

    Window().findChild<QAction *>(QStringLiteral("keyboardPlayAction"))->trigger();
    ASSERT_TRUE(Board().KeyboardPlay());
    QApplication::setActiveWindow(&Window());
    QTest::keyClick(&Board(), Qt::Key_F4);
    EXPECT_EQ(*spoken, QStringList({"cd", "cd"})) << "the key reaches the menu item while the board takes the keys";
    EXPECT_TRUE(Board().Rules().Letters().isEmpty());
}
