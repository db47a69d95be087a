// The first start's welcome panel and the daily goal, in the real main window
// on a small library whose catalogue holds the shipped ids of two stages.

#include "BoardDriver.h"
#include "TestSupport.h"
#include "UDailyGoalRing.h"
#include "UDataInterface.h"
#include "UFrmSpell.h"
#include "UFrmWordStats.h"
#include "UIniFile.h"
#include "URandom.h"
#include "USettings.h"
#include "UTextCodec.h"
#include "UWelcomeFlow.h"
#include "UWelcomePanel.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

const QString kBook = QStringLiteral("《测试词汇》");
const QString kJunior = QStringLiteral("《中考英语词汇》");

class Welcome : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetRandSeed(0);
        ASSERT_TRUE(data.CreateDatabase(home.File("data/test.mdb"), TDataInterface::DatabasePassword()));
        AddBook(1, "lib1", kBook);
        AddBook(101, "lib101", QStringLiteral("《小学英语词汇》"));
        AddBook(102, "lib102", kJunior);
    }

    void AddBook(int id, const char *table, const QString &title)
    {
        ASSERT_TRUE(data.CreateWordTable(QLatin1String(table)));
        for (const char *word : {"ab", "cd", "ef"})
            ASSERT_TRUE(data.InsertWord(QLatin1String(table), QLatin1String(word), QString(), QStringLiteral("词")));
        ASSERT_TRUE(data.AddBookInfo(title, 3, QLatin1String(table), 3, id));
    }

    // The settings of a player on the test book; tail adds keys.
    void WriteSettings(const QByteArray &tail)
    {
        home.WriteFile("data/spellconfig.ini", "[system]\r\nStoreTableName=lib1\r\nWordCount=3\r\nBookName="
                                                   + EncodeGbk(kBook) + "\r\nTollGateIndex=1\r\nLevel=1\r\ndata=test\r\n"
                                                   + tail);
    }

    TFrmSpell &Window()
    {
        if (!window) {
            window = std::make_unique<TFrmSpell>(data, TSettings(home.Path()), TFrmSpell::TPlatform{});
            window->show();
            QApplication::processEvents();
            dialogs->Messages.clear(); // the start's notice of no voice: these tests have none
        }
        return *window;
    }
    TWelcomePanel *Panel() { return Window().Welcome()->Panel(); }
    bool PanelShown() { return Panel() && Panel()->isVisible(); }
    QString Setting(const char *key) { return TIniFile(home.File("data/spellconfig.ini")).ReadString("system", key, "<none>"); }
    QString Label(const char *name) { return Window().findChild<QLabel *>(QLatin1String(name))->text(); }
    bool Running() { return Window().findChild<QToolButton *>("btnPause")->isEnabled(); }
    TDailyGoalRing *Ring() { return Window().findChild<TDailyGoalRing *>(); }

    TTempProgramDir home;
    TScopedDialogs dialogs;
    TDataInterface data;
    std::unique_ptr<TFrmSpell> window;
};

TEST_F(Welcome, ShowsOnlyWhileTheSettingsHaveNoGradeKey)
{
    const struct
    {
        const char *name;
        QByteArray tail;
        bool shown;
    } cases[] = {
        {"no Grade key: a first start", "", true},
        {"Grade left empty", "Grade=\r\n", false},
        {"skipped before", "Grade=skip\r\n", false},
        {"a stage answered, the key written in another case", "grade=junior\r\n", false},
    };
    for (const auto &c : cases) {
        window.reset();
        WriteSettings(c.tail);
        EXPECT_EQ(PanelShown(), c.shown) << c.name;
    }
}

TEST_F(Welcome, MenusAndToolbarStayUsableWhileThePanelShows)
{
    WriteSettings("");
    ASSERT_TRUE(PanelShown());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(Window().menuBar()->isEnabled());
    EXPECT_TRUE(Window().findChild<QAction *>("selectBookAction")->isEnabled());
    EXPECT_TRUE(Window().findChild<QToolButton *>("sbStart")->isEnabled());
    EXPECT_FALSE(Panel()->StartButton()->isEnabled()) << "开始游戏 waits for a stage";
    EXPECT_TRUE(Window().geometry().contains(Panel()->geometry().translated(Window().pos())));

    // A game started from the toolbar sets the question aside until the next start.
    Window().sbStartClick();
    QApplication::processEvents();
    EXPECT_TRUE(Running());
    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(Setting("Grade"), "<none>");
}

TEST_F(Welcome, StartStoresTheStageSwitchesToItsBookAndStartsTheGame)
{
    WriteSettings("");
    Panel()->ChooseStage(1); // 初中
    Panel()->findChild<QCheckBox *>("cbShowMeaning")->setChecked(true);
    Panel()->StartButton()->click();
    QApplication::processEvents();

    EXPECT_FALSE(PanelShown());
    EXPECT_EQ(Setting("Grade"), "junior");
    EXPECT_EQ(Setting("ShowMeaning"), "1");
    EXPECT_EQ(Setting("GateReview"), "<none>") << "an aid left off is not written";
    EXPECT_EQ(Label("labBook"), kJunior);
    EXPECT_EQ(Window().GamePara().StoreTableName, "lib102");
    EXPECT_TRUE(Running());
    EXPECT_TRUE(Window().SpellGame()->MeaningLineOn()) << "the board shows the aid chosen on the panel at once";
    EXPECT_TRUE(dialogs->Texts().isEmpty()) << dialogs->Texts().join('\n').toStdString();
}

TEST_F(Welcome, SkipOrABookMissingFromTheCatalogueKeepsTheBook)
{
    const struct
    {
        const char *name;
        int stage; // -1: skipped
        const char *grade;
        bool running;
    } cases[] = {
        {"skipped", -1, "skip", false},
        {"高中, whose book this library lacks", 2, "senior", true},
    };
    for (const auto &c : cases) {
        window.reset();
        WriteSettings("");
        ASSERT_TRUE(PanelShown()) << c.name;
        if (c.stage < 0) {
            Panel()->SkipButton()->click();
        } else {
            Panel()->ChooseStage(c.stage);
            Panel()->StartButton()->click();
        }
        QApplication::processEvents();
        EXPECT_FALSE(PanelShown()) << c.name;
        EXPECT_EQ(Setting("Grade"), c.grade) << c.name;
        EXPECT_EQ(Label("labBook"), kBook) << c.name;
        EXPECT_EQ(Running(), c.running) << c.name;
        EXPECT_TRUE(dialogs->Texts().isEmpty()) << c.name;
    }
    window.reset();
    EXPECT_FALSE(PanelShown()) << "answered once, never asked again";
}

TEST_F(Welcome, TheStatusBarGoalAppearsAtTheFirstStartAndCountsTodaysWords)
{
    const struct
    {
        const char *name;
        QByteArray tail;
        int goal;
    } cases[] = {
        {"the default goal", "", 30},
        {"a goal of its own", "DailyGoal=5\r\n", 5},
        {"a hand-edited goal above the limit", "DailyGoal=9999\r\n", 500},
        {"no number", "DailyGoal=many\r\n", 30},
    };
    for (const auto &c : cases) {
        window.reset();
        WriteSettings("Grade=skip\r\n" + c.tail);
        EXPECT_FALSE(Ring()->isVisible()) << c.name << ": not before a game starts";
        Window().sbStartClick();
        ASSERT_TRUE(Ring()->isVisible()) << c.name;
        EXPECT_EQ(Ring()->Goal(), c.goal) << c.name;
        const int before = Ring()->Done();
        ASSERT_TRUE(SpellCurrentWord(*Window().SpellGame()));
        QApplication::processEvents();
        EXPECT_EQ(Ring()->Done(), before + 1) << c.name;
        EXPECT_EQ(Label("labDailyGoal"), QStringLiteral("今日 %1/%2").arg(before + 1).arg(c.goal)) << c.name;
        const QLabel *ad = Window().findChild<QLabel *>("labAd");
        EXPECT_LE(ad->geometry().right(), Ring()->geometry().left()) << c.name << ": the ad line ends before the ring";
    }
}

TEST_F(Welcome, TheStatisticsWindowShowsTheStreakAndSetsTheGoal)
{
    WriteSettings("Grade=skip\r\n");
    Window().sbStartClick();
    ASSERT_TRUE(SpellCurrentWord(*Window().SpellGame()));
    QApplication::processEvents();

    QString shown;
    dialogs->DialogHandlers.push_back([&](QDialog &dialog) {
        auto &stats = dynamic_cast<TFrmWordStats &>(dialog);
        shown = stats.DailyProgressLabel()->text();
        stats.DailyGoalBox()->setValue(12);
        return 0;
    });
    Window().ShowWordStats();
    EXPECT_EQ(shown, QStringLiteral("连续学习 1 天　　今日 1/30"));
    EXPECT_EQ(Setting("DailyGoal"), "12");
    EXPECT_EQ(Label("labDailyGoal"), QStringLiteral("今日 1/12")) << "the status bar follows the new goal at once";
}

} // namespace
