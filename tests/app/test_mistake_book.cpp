// The mistake book as the player meets it: words reach it through the board's
// own events, a game in the mistake book lets a word go on the third clean
// day (dates injected), and a word that timed out in the main window is then
// listed under 生词本 in the book selection.

#include "BoardDriver.h"
#include "TestSupport.h"
#include "UBookType.h"
#include "UDataInterface.h"
#include "UFrmSelectBook.h"
#include "UFrmSpell.h"
#include "UFrmWordStats.h"
#include "UDailyChart.h"
#include "UKnownWords.h"
#include "UMistakeBook.h"
#include "UMistakeBookMenu.h"
#include "UScramble.h"
#include "UWordBookEdits.h"
#include "URandom.h"
#include "USettings.h"
#include "USpellGameType.h"
#include "UTextCodec.h"
#include "UWordRecorder.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QDate kDay0(2026, 5, 4);

TWordInfos Words(const QStringList &spellings)
{
    TWordInfos words;
    for (const QString &s : spellings)
        words.append(TWordInfo{s, QString(), QStringLiteral("义") + s});
    return words;
}

void RunOutOfTime(TSpellGameType &board)
{
    bool over = false;
    QObject guard;
    QObject::connect(&board.Rules(), &TSpellRules::TollGateOver, &guard, [&](bool success) { over = !success; });
    for (int tick = 0; tick < 10000 && !over; ++tick)
        board.Rules().Tick();
    ASSERT_TRUE(over);
}

class RecorderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetRandSeed(0);
        home.WriteFile("data/spellconfig.ini", "[system]\r\ndata=test\r\nencrypt=0\r\n");
        ASSERT_TRUE(data.CreateDatabase(home.File("data/test.mdb"), TDataInterface::DatabasePassword()));
        ASSERT_TRUE(data.AddBookInfo(QStringLiteral("Book 1"), 4, QStringLiteral("lib1"), 1, 1));
        game.StoreTableName = QStringLiteral("lib1");
        recorder.Attach(board.Rules());
    }

    bool InMistakeBook(const QString &spelling, TMistakeEntry *entry = nullptr)
    {
        TMistakeEntry found;
        const bool in = TMistakeBook(data).Find(spelling, found);
        if (entry)
            *entry = found;
        return in;
    }

    TTempProgramDir home;
    TDataInterface data;
    TSettings settings{home.Path()};
    TGamePara game;
    QDate today = kDay0;
    int score = 0;
    TWordRecorder recorder{data, settings, [this]() -> const TGamePara & { return game; }, [this] { return score; }, nullptr,
                           [this] { return today; }};
    TSpellGameType board;
};

TEST_F(RecorderTest, EachWayInThroughTheBoardAndNothingForACleanWord)
{
    game.TollGateIndex = 2;
    // As the game flow carries it: 500 from earlier toll gates.
    QObject::connect(&board.Rules(), &TSpellRules::ScoreChanged, &board, [this](int gate) { score = 500 + gate; });
    board.Rules().StartGame(Words({"ab", "cd", "ef", "gh"}), nullptr);
    ASSERT_TRUE(SpellCurrentWord(board)); // "ab" clean
    board.Rules().ShowHint(); // lays all but the last letter of "cd"
    ASSERT_TRUE(ClickLetter(board, QLatin1Char('d')));
    for (int round = 0; round < 2; ++round) { // "ef" filled wrongly twice, then right
        ASSERT_TRUE(SpellByClicks(board, QStringLiteral("fe")));
        board.Rules().ClearSpelling();
    }
    ASSERT_TRUE(SpellCurrentWord(board));
    RunOutOfTime(board); // "gh" on the board

    TMistakeEntry entry;
    EXPECT_FALSE(InMistakeBook("ab"));
    for (const char *word : {"cd", "ef", "gh"}) {
        ASSERT_TRUE(InMistakeBook(word, &entry)) << word;
        EXPECT_EQ(entry.Misses, 1) << word;
        EXPECT_EQ(entry.SourceBook, QStringLiteral("lib1"));
    }
    const TWordStats ef = recorder.Progress().Word("lib1", "ef");
    EXPECT_EQ(ef.Completed, 1);
    EXPECT_EQ(ef.Dealt, 1);
    EXPECT_EQ(recorder.Progress().Word("lib1", "gh").Missed, 1);
    // The book's best is the score the player sees, with the points of the
    // word being recorded already in it: 500 + 100 ("ab") + 0 + 100 ("ef").
    const TBookStats book = recorder.Progress().BookStats().value(0);
    EXPECT_EQ(book.TollGate, 2);
    EXPECT_EQ(book.BestScore, 700);
}

TEST_F(RecorderTest, AGameInTheMistakeBookLetsAWordGoOnTheThirdCleanDay)
{
    board.Rules().StartGame(Words({"ab"}), nullptr);
    RunOutOfTime(board);
    ASSERT_TRUE(InMistakeBook("ab"));

    game.StoreTableName = TMistakeBook::TableName();
    for (int day : {1, 1, 4, 11}) {
        today = kDay0.addDays(day);
        const TWordInfos gate = TMistakeBook(data).LoadTollGate(1, 15, false);
        ASSERT_EQ(gate.size(), 1) << day;
        board.Rules().SetWords(gate); // as the game flow loads a toll gate
        board.Rules().RestartGame();
        ASSERT_TRUE(SpellCurrentWord(board));
        EXPECT_EQ(InMistakeBook("ab"), day != 11) << day;
    }
    EXPECT_EQ(data.GetListedBooks(kWordBookClass).value(0).WordNumber, 0);
    EXPECT_EQ(recorder.Progress().Word(TMistakeBook::TableName(), "ab").Completed, 4);
}

TEST(MistakeBookWindow, AWordThatTimedOutIsFoundUnderTheWordBookNode)
{
    TTempProgramDir home;
    TScopedDialogs dialogs;
    TDataInterface data;
    home.WriteFile("data/spellconfig.ini", "[system]\r\nStoreTableName=lib1\r\nWordCount=2\r\nBookName="
                                               + EncodeGbk(QStringLiteral("《测试词汇》"))
                                               + "\r\nTollGateIndex=1\r\nLevel=1\r\ndata=test\r\nGrade=skip\r\n");
    ASSERT_TRUE(data.CreateDatabase(home.File("data/test.mdb"), TDataInterface::DatabasePassword()));
    ASSERT_TRUE(data.CreateWordTable(QStringLiteral("lib1")));
    ASSERT_TRUE(data.InsertWord(QStringLiteral("lib1"), "ab", QString(), QStringLiteral("词")));
    ASSERT_TRUE(data.InsertWord(QStringLiteral("lib1"), "cd", QString(), QStringLiteral("词")));
    ASSERT_TRUE(data.AddBookInfo(QStringLiteral("《测试词汇》"), 2, QStringLiteral("lib1"), 3, 1));

    TFrmSpell window(data, TSettings(home.Path()), TFrmSpell::TPlatform{});
    window.show();
    window.sbStartClick();
    dialogs->Answers = {TMsgResult::Ok, TMsgResult::No}; // the score, then no record
    RunOutOfTime(*window.SpellGame());

    QStringList listed;
    dialogs->DialogHandlers.push_back([&](QDialog &dialog) {
        auto *tree = dialog.findChild<QTreeWidget *>();
        for (int i = 0; tree && i < tree->topLevelItemCount(); ++i) {
            QTreeWidgetItem *node = tree->topLevelItem(i);
            if (node->text(0) == BookClassCaption(kWordBookClass))
                for (int j = 0; j < node->childCount(); ++j)
                    listed << node->child(j)->text(0);
        }
        return 0;
    });
    window.SelectBook();
    EXPECT_EQ(listed, QStringList{QStringLiteral("《我的生词本》")});
    EXPECT_EQ(TMistakeBook(data).LoadTollGate(1, 15, false).value(0).Spelling, "ab");
}

} // namespace

namespace {

TEST_F(RecorderTest, TheStatisticsWindowEmptiesTheMistakeBookOnlyAfterAYes)
{
    TScopedDialogs dialogs;
    board.Rules().StartGame(Words({"ab"}), nullptr);
    RunOutOfTime(board);
    TFrmWordStats window(recorder.Progress(), today);
    window.LoadStats();
    ASSERT_EQ(window.List()->topLevelItemCount(), 1);
    EXPECT_EQ(window.List()->topLevelItem(0)->text(5), "1");
    EXPECT_EQ(window.Chart()->Counts().size(), TFrmWordStats::kChartDays);

    dialogs->Answers = {TMsgResult::No};
    window.ClearButton()->click();
    EXPECT_EQ(TMistakeBook(data).Count(), 1);
    dialogs->Answers = {TMsgResult::Yes};
    window.ClearButton()->click();
    EXPECT_EQ(TMistakeBook(data).Count(), 0);
    EXPECT_EQ(window.List()->topLevelItem(0)->text(5), "0");
    EXPECT_EQ(dialogs->Texts().size(), 2); // the two questions, no failure
    EXPECT_EQ(dialogs->Messages[0].Buttons, TMsgButtons::YesNoDefaultNo) << "Enter keeps the mistake book";
}

} // namespace

namespace {

// A main window on one book of 20 words (two toll gates), its texts
// scrambled or not.
struct TKnownWordsGame
{
    explicit TKnownWordsGame(bool scramble)
    {
        home.WriteFile("data/spellconfig.ini", QStringLiteral("[system]\r\nStoreTableName=lib1\r\nWordCount=20\r\n"
                                                              "BookName=Book\r\nTollGateIndex=1\r\nLevel=1\r\n"
                                                              "data=test\r\nencrypt=%1\r\n")
                                                   .arg(scramble ? 1 : 0)
                                                   .toLatin1());
        EXPECT_TRUE(data.CreateDatabase(home.File("data/test.mdb"), TDataInterface::DatabasePassword()));
        EXPECT_TRUE(data.CreateWordTable(QStringLiteral("lib1")));
        for (int n = 0; n < 20; ++n) {
            const QString spelling = QString(QChar('a' + n)) + QStringLiteral("x");
            EXPECT_TRUE(data.InsertWord(QStringLiteral("lib1"), scramble ? ScrambleText(spelling) : spelling, QString(),
                                        scramble ? ScrambleText(QStringLiteral("词")) : QStringLiteral("词")));
        }
        EXPECT_TRUE(data.AddBookInfo(QStringLiteral("Book"), 20, QStringLiteral("lib1"), 3, 1));
        window = std::make_unique<TFrmSpell>(data, TSettings(home.Path()), TFrmSpell::TPlatform{});
        window->show();
    }

    QString Gate() const { return window->findChild<QLabel *>(QStringLiteral("labGate"))->text(); }
    QStringList Dealt() const
    {
        QStringList spellings;
        for (const TWordInfo &word : window->SpellGame()->Rules().Words())
            spellings << word.Spelling;
        return spellings;
    }

    TTempProgramDir home;
    TScopedDialogs dialogs;
    TDataInterface data;
    std::unique_ptr<TFrmSpell> window;
};

TEST(KnownWordsInTheGame, ARightClickedWordIsSkippedOnlyWhileTheSwitchIsOn)
{
    for (const bool scramble : {false, true}) {
        SCOPED_TRACE(scramble ? "scrambled" : "plain");
        TKnownWordsGame game(scramble);
        TSpellGameType &board = *game.window->SpellGame();
        game.window->sbStartClick();
        const QString first = game.Dealt().value(0);
        ASSERT_TRUE(SpellByClicks(board, first));

        // The completed word is found under the pointer where it is listed.
        QPoint at(-1, -1);
        for (int y = 0; y < board.height() && at.x() < 0; y += 4)
            for (int x = 0; x < board.width() && at.x() < 0; x += 8)
                if (board.ListedWordAt(x, y) == 0)
                    at = QPoint(x, y);
        ASSERT_GE(at.x(), 0);
        QTimer::singleShot(0, [] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            menu->actions().value(0)->trigger();
            menu->close();
        });
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, board.mapToGlobal(at));
        QApplication::sendEvent(&board, &click);
        EXPECT_TRUE(TKnownWords(game.data).Contains(first));

        // Marked during the game: with the switch off nothing changes.
        EXPECT_EQ(game.Gate(), QStringLiteral("关卡：第1关（共2关）"));
        TMistakeBookMenu &menu = game.window->MistakeBook();
        for (int n = 1; n <= 5; ++n)
            MarkKnown(game.data, {TKnownWord{TWordInfo{game.Dealt()[n], {}, {}}, {}, {}, {}}}, kDay0, scramble);
        menu.SetSkipKnownWords(true);
        EXPECT_EQ(game.Gate(), QStringLiteral("关卡：第1关（共1关）")) << "14 words left";
        game.window->sbReStartClick();
        EXPECT_EQ(game.Dealt().size(), 14);
        EXPECT_FALSE(game.Dealt().contains(first));
        menu.SetSkipKnownWords(false);
        EXPECT_EQ(game.Gate(), QStringLiteral("关卡：第1关（共2关）"));
        game.window->sbReStartClick();
        EXPECT_EQ(game.Dealt().value(0), first);
    }
}

} // namespace
