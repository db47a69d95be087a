// The board's rules, driven through its public operations and through the
// same hover-then-release path the mouse takes.

#include "BoardDriver.h"
#include "TestSupport.h"
#include "UBoardAudio.h"
#include "UCommonFun.h"
#include "URandom.h"
#include "USoundPlayer.h"
#include "USpellGameType.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QRandomGenerator>

#include <limits>

#include <gtest/gtest.h>

namespace {

TWordInfos Words(std::initializer_list<const char *> spellings)
{
    TWordInfos words;
    for (const char *s : spellings)
        words.append(TWordInfo{QString::fromUtf8(s), QString(), QStringLiteral("释义")});
    return words;
}

QString Row(const TSpellGameType &board)
{
    QString row;
    for (const TSpellItem &item : board.Items())
        row += item.Letter;
    return row;
}

void ExpectInvariants(const TSpellGameType &board)
{
    ASSERT_EQ(board.ItemCount(), board.Items().size());
    QStringList fromTiles(board.Letters().size());
    int picked = 0;
    for (const TSpellItem &item : board.Items()) {
        const bool shadow = item.State == ssShadow || item.State == ssShadowMove;
        ASSERT_EQ(shadow, item.Picked);
        if (item.Picked) {
            ++picked;
            ASSERT_GE(item.PickIndex, 0);
            ASSERT_LT(item.PickIndex, board.Letters().size());
            ASSERT_TRUE(fromTiles[item.PickIndex].isEmpty()) << "two tiles own one entry";
            fromTiles[item.PickIndex] = item.Letter;
        } else {
            ASSERT_EQ(item.PickIndex, -1);
        }
    }
    ASSERT_EQ(picked, board.Letters().size());
    ASSERT_EQ(fromTiles, board.Letters());
}

class Board : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetRandSeed(0);
        bass = std::make_unique<TSoundPlayer>(std::make_unique<TRecordingAudioOutput>(log));
        sound = std::make_unique<TBoardAudio>(bass.get(), nullptr, GetAppPath() + QStringLiteral("sound/"));
        QObject::connect(&board, &TSpellGameType::OnGameOver, [this](QObject *, bool success) {
            events << (success ? QStringLiteral("over:won") : QStringLiteral("over:lost"));
            if (onGameOver)
                onGameOver(success);
        });
        QObject::connect(&board, &TSpellGameType::OnScoreChange,
                         [this](QObject *) { events << QStringLiteral("score:%1").arg(board.GetScore()); });
        QObject::connect(&board, &TSpellGameType::OnTimeChange, [this](QObject *) { ++timeChanges; });
        QObject::connect(&board, &TSpellGameType::OnTollGateChange, [this](QObject *) { ++tollGateChanges; });
    }

    void Start(const TWordInfos &words, int tollGateWords = 15)
    {
        board.SetTollGateWords(tollGateWords);
        board.StartGame(words, sound.get());
        log->Calls.clear();
    }

    QStringList Effects() const
    {
        QStringList effects;
        for (const QString &call : log->Calls)
            if (call.startsWith(QLatin1String("create ")) && call.contains(QLatin1String("loop=0")))
                effects << call.section(QLatin1Char(' '), 1, 1);
        return effects;
    }

    TTempProgramDir home;
    std::shared_ptr<TRecordingAudioOutput::Log> log = std::make_shared<TRecordingAudioOutput::Log>();
    std::unique_ptr<TSoundPlayer> bass;
    std::unique_ptr<TBoardAudio> sound;
    TSpellGameType board;
    QStringList events;
    int timeChanges = 0;
    int tollGateChanges = 0;
    std::function<void(bool)> onGameOver;
};

} // namespace

TEST(Shuffle, DealsRepeatFromAFreshStartAndKeepTheFirstLetterLast)
{
    SetRandSeed(0);
    TSpellGameType board;
    board.StartGame(Words({"apple"}), nullptr);
    EXPECT_EQ(Row(board), QStringLiteral("plepa"));

    QStringList first;
    SetRandSeed(0);
    for (int run = 0; run < 2; ++run) {
        SetRandSeed(0);
        QStringList deals;
        for (const char *w : {"elephant", "x", "committee", "New York", "o'clock"}) {
            board.StartGame(Words({w}), nullptr);
            deals << Row(board);
            EXPECT_EQ(Row(board).right(1), QString::fromUtf8(w).left(1)) << w;
            QString sorted = Row(board), original = QString::fromUtf8(w);
            std::sort(sorted.begin(), sorted.end());
            std::sort(original.begin(), original.end());
            EXPECT_EQ(sorted, original) << "a deal is a permutation";
        }
        if (run == 0)
            first = deals;
        else
            EXPECT_EQ(deals, first);
    }
}

TEST(Shuffle, TinyArraysAreSafe)
{
    TIntAry none;
    ShuffleIntAry(none);
    EXPECT_TRUE(none.isEmpty());
    TIntAry one{7};
    const quint32 before = RandSeed();
    ShuffleIntAry(one);
    EXPECT_EQ(one, TIntAry{7});
    EXPECT_NE(RandSeed(), before) << "one entry still draws its numbers";
}

TEST_F(Board, WrongOrderIsNeverJudgedAndCanBeCorrected)
{
    Start(Words({"tea", "cup"}));
    int wrong = 0;
    QObject::connect(&board, &TSpellGameType::OnWrongSpelling, [&wrong] { ++wrong; });
    SpellByClicks(board, QStringLiteral("ea"));
    EXPECT_EQ(wrong, 0) << "not every tile is picked yet";
    SpellByClicks(board, QStringLiteral("t"));
    EXPECT_EQ(wrong, 1);
    EXPECT_EQ(board.Letters().join(QString()), QStringLiteral("eat"));
    EXPECT_EQ(Effects(), QStringList({"select.mp3", "select.mp3", "wrong.mp3"}))
        << "the pick that fills the slot wrongly sounds as a miss";
    EXPECT_TRUE(board.Shaking());
    EXPECT_EQ(board.WordIndex(), 0);

    // Take "e" and "a" back out, then pick them again in the right order.
    for (const char *letter : {"e", "a"})
        for (int i = 0; i < board.Items().size(); ++i)
            if (board.Items()[i].Letter == QLatin1String(letter))
                ClickTile(board, i);
    EXPECT_EQ(board.Letters(), QStringList{"t"});
    SpellByClicks(board, QStringLiteral("ea"));
    EXPECT_EQ(wrong, 1) << "a right spelling is no miss";
    EXPECT_EQ(board.WordIndex(), 1);
    EXPECT_EQ(Effects().mid(3), QStringList({"unselect.mp3", "unselect.mp3", "select.mp3", "oksel.mp3"}));
    EXPECT_EQ(board.GetScore(), 100);
}

// ---------------------------------------------------------------------------
// Keyboard play

namespace {

void SendKey(TSpellGameType &board, int key, const QString &text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&board, &event);
}

// Types text at the board: '<' stands for Backspace.
void Type(TSpellGameType &board, const QString &text)
{
    for (QChar c : text) {
        if (c == QLatin1Char('<'))
            SendKey(board, Qt::Key_Backspace, QString());
        else
            SendKey(board, c.toUpper().unicode(), QString(c));
    }
}

} // namespace

TEST_F(Board, TypedKeysPickAndTakeBackAsClicksDo)
{
    const struct
    {
        const char *word;
        const char *typed;
        const char *spelled; // the slot afterwards; "done" when the word was completed
    } cases[] = {
        {"letter", "lett", "lett"},           // repeated letters take the leftmost free tile each time
        {"letter", "letx", "let"},            // no tile for the key: nothing happens
        {"letter", "let<<e", "le"},           // Backspace takes the last pick back, in order
        {"letter", "<<", ""},                 // nothing to take back
        {"Anna", "anna", "done"},             // no shift key needed: the word's own case goes first
        {"o'clock", "o'c", "o'c"},            // apostrophes are typed as themselves
        {"ice-cream", "ICE-", "ice-"},        // capitals find small letters
        {"New York", "new y", "New Y"},       // and the space bar the space
    };
    board.SetKeyboardPlay(true);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.word + std::string(" typed ") + c.typed);
        Start(Words({c.word, "tail"}));
        board.ClearSpelling(); // a new list does not drop the last case's letters by itself
        Type(board, QString::fromUtf8(c.typed));
        ExpectInvariants(board);
        if (QLatin1String(c.spelled) == QLatin1String("done"))
            EXPECT_EQ(board.WordIndex(), 1);
        else
            EXPECT_EQ(board.Letters().join(QString()), QString::fromUtf8(c.spelled));
    }
}

TEST_F(Board, KeysAreIgnoredWithoutKeyboardPlayOrWithModifiers)
{
    board.SetKeyboardPlay(false);
    Start(Words({"cat"}));
    Type(board, QStringLiteral("c"));
    EXPECT_TRUE(board.Letters().isEmpty());
    EXPECT_EQ(board.focusPolicy(), Qt::NoFocus);

    board.SetKeyboardPlay(true);
    EXPECT_FALSE(board.testAttribute(Qt::WA_InputMethodEnabled)) << "an input method would swallow the letters";
    SendKey(board, Qt::Key_H, QStringLiteral("h"), Qt::ControlModifier);
    SendKey(board, Qt::Key_C, QStringLiteral("c"), Qt::ControlModifier);
    EXPECT_TRUE(board.Letters().isEmpty()) << "Ctrl+letter belongs to the window's shortcuts";
}

TEST_F(Board, TypingGoesThroughTheClickRules)
{
    board.SetKeyboardPlay(true);
    Start(Words({"assess", "tail"}));
    board.ShowHint();
    // The hinted tiles are bound: Backspace takes the last hinted "s" back,
    // and typing it again completes the word, for no points after the hint.
    Type(board, QStringLiteral("<"));
    ExpectInvariants(board);
    EXPECT_EQ(board.Letters().join(QString()), QStringLiteral("asse"));
    Type(board, QStringLiteral("ss"));
    EXPECT_EQ(board.WordIndex(), 1);
    EXPECT_EQ(board.GetScore(), 0);
    EXPECT_EQ(Effects(), QStringList({"unselect.mp3", "select.mp3", "oksel.mp3"}));

    Type(board, QStringLiteral("tail"));
    EXPECT_EQ(events.last(), QStringLiteral("score:100"));
}

TEST_F(Board, ASlotFilledWronglyShakesForAMomentAndStopsStill)
{
    board.SetKeyboardPlay(true);
    Start(Words({"ab"}));
    Type(board, QStringLiteral("ba"));
    ASSERT_TRUE(board.Shaking());
    EXPECT_NE(board.SlotShake(), 0);
    const QRect tile = board.ItemRect(0);
    QElapsedTimer clock;
    clock.start();
    while (board.Shaking() && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(board.Shaking());
    EXPECT_EQ(board.SlotShake(), 0);
    EXPECT_EQ(board.ItemRect(0), tile) << "the tiles never move with the slot";
}

TEST_F(Board, ATileMustBeHoveredBeforeAReleasePicksIt)
{
    Start(Words({"ab"}));
    const QPoint p = TileCentre(board, 0);
    board.ClickAt(p.x(), p.y());
    EXPECT_TRUE(board.Letters().isEmpty());
    board.UpdateHover(p.x(), p.y());
    board.ClickAt(p.x(), p.y());
    EXPECT_EQ(board.Letters().size(), 1);
    EXPECT_EQ(board.Items()[0].State, ssShadow) << "the same release does not unpick it";
    board.ClickAt(p.x(), p.y());
    EXPECT_EQ(board.Letters().size(), 1) << "a picked tile needs a move onto it again";
}

TEST_F(Board, SpellingIsCaseSensitiveAndSpacesAreTiles)
{
    Start(Words({"New York", "I"}));
    EXPECT_EQ(board.ItemCount(), 8);
    SpellByClicks(board, QStringLiteral("new York"));
    EXPECT_EQ(board.WordIndex(), 0) << "lower-case n is not a tile";
    board.ClearSpelling();
    SpellByClicks(board, QStringLiteral("New York"));
    EXPECT_EQ(board.WordIndex(), 1);
    EXPECT_EQ(board.ItemCount(), 1);
    SpellByClicks(board, QStringLiteral("I"));
    EXPECT_EQ(events, QStringList({"score:100", "over:won", "score:200"}));
}

TEST_F(Board, TheLastWordEndsTheListBeforeItsPointsAreAdded)
{
    Start(Words({"to"}));
    board.SetLevel(3);
    SpellByClicks(board, QStringLiteral("to"));
    EXPECT_EQ(events, QStringList({"over:won", "score:300"}));
    EXPECT_FALSE(board.TimerActive());
    EXPECT_TRUE(board.Items()[0].Picked && board.Items()[1].Picked) << "the finished word stays on the board";
}

TEST_F(Board, HostLoadingTheNextTollGateInsideGameOverReceivesThePoints)
{
    Start(Words({"go"}));
    onGameOver = [this](bool) {
        board.SetWords(Words({"up", "on"}));
        board.RestartGame();
    };
    SpellByClicks(board, QStringLiteral("go"));
    EXPECT_EQ(board.GetScore(), 100) << "the completed word's points land in the new toll gate";
    EXPECT_EQ(board.WordIndex(), 0);
    EXPECT_EQ(Row(board).size(), 2);
    EXPECT_TRUE(board.Letters().isEmpty());
}

TEST_F(Board, CountdownLengthFollowsTheLevel)
{
    struct Case
    {
        int level;
        int seconds;
    };
    for (const Case c : {Case{1, 200}, Case{2, 100}, Case{3, 50}}) {
        Start(Words({"word"}));
        board.SetLevel(c.level == 1 ? 2 : 1); // make the next SetLevel a real change
        board.SetLevel(c.level);
        events.clear();
        timeChanges = 0;
        for (int tick = 0; tick < c.seconds; ++tick)
            board.TimerTick();
        EXPECT_EQ(timeChanges, c.seconds);
        EXPECT_EQ(board.GetLevelTime() - board.GetTimerTime(), 0);
        EXPECT_TRUE(events.isEmpty());
        board.TimerTick();
        EXPECT_EQ(events, QStringList{"over:lost"}) << c.level;
        EXPECT_FALSE(board.TimerActive());
    }
}

TEST_F(Board, TollGatesInsideTheBoardResetTheCountdownOnlyWhenTheGateChanges)
{
    TWordInfos words;
    for (int i = 0; i < 25; ++i)
        words.append(TWordInfo{QStringLiteral("w%1").arg(QChar('a' + i))});
    Start(words, 10);
    EXPECT_EQ(board.GetTollGateCount(), 3);
    for (int i = 0; i < 8; ++i)
        SpellByClicks(board, words[i].Spelling);
    board.TimerTick();
    board.TimerTick();
    tollGateChanges = 0;
    SpellByClicks(board, words[8].Spelling); // the 9th word: same gate
    EXPECT_EQ(tollGateChanges, 1);
    EXPECT_EQ(board.GetTimerTime(), 2);
    SpellByClicks(board, words[9].Spelling); // the 10th: gate 2
    EXPECT_EQ(board.GetTollGateIndex(), 2);
    EXPECT_EQ(board.GetTimerTime(), 0);
    EXPECT_TRUE(board.TimerActive());
}

TEST_F(Board, LevelChangeRestartsTheTollGateAndKeepsTheScore)
{
    Start(Words({"ab", "cd", "ef"}));
    SpellByClicks(board, QStringLiteral("ab"));
    board.TimerTick();
    const QStringList before = board.Letters();
    board.SetLevel(1);
    EXPECT_EQ(board.WordIndex(), 1) << "the same level changes nothing";
    board.SetLevel(2);
    EXPECT_EQ(board.WordIndex(), 0);
    EXPECT_EQ(board.GetLevelTime(), 100);
    EXPECT_EQ(board.GetTimerTime(), 0);
    EXPECT_EQ(board.GetScore(), 100);
    Q_UNUSED(before);
}

TEST_F(Board, UnpickingFromTheMiddleClosesTheGap)
{
    Start(Words({"abcd"}));
    SpellByClicks(board, QStringLiteral("abc"));
    int b = -1, c = -1;
    for (int i = 0; i < board.Items().size(); ++i) {
        if (board.Items()[i].Letter == QLatin1String("b"))
            b = i;
        if (board.Items()[i].Letter == QLatin1String("c"))
            c = i;
    }
    ClickTile(board, b);
    EXPECT_EQ(board.Letters(), QStringList({"a", "c"}));
    EXPECT_EQ(board.Items()[c].PickIndex, 1);
    ExpectInvariants(board);
}

TEST_F(Board, HintedWordsScoreNothingUntilAWordIsCompleted)
{
    Start(Words({"banana", "kiwi", "fig"}));
    board.ShowHint();
    ExpectInvariants(board);
    EXPECT_EQ(board.Letters().join(QString()), QStringLiteral("banan"));
    int left = 0;
    for (const TSpellItem &item : board.Items())
        left += item.Picked ? 0 : 1;
    EXPECT_EQ(left, 1);

    board.ClearSpelling();
    board.RestartGame();
    SpellByClicks(board, QStringLiteral("banana"));
    EXPECT_EQ(board.GetScore(), 0) << "the hint survives clear and restart";
    SpellByClicks(board, QStringLiteral("kiwi"));
    EXPECT_EQ(board.GetScore(), 100);
}

TEST_F(Board, HintedTilesOfARepeatedLetterOwnTheirOwnEntries)
{
    Start(Words({"assess"}));
    board.ShowHint();
    ExpectInvariants(board);
    // Take every hinted "s" back out, in row order, then spell the rest.
    for (int i = 0; i < board.Items().size(); ++i) {
        if (board.Items()[i].Picked && board.Items()[i].Letter == QLatin1String("s")) {
            ClickTile(board, i);
            ExpectInvariants(board);
        }
    }
    EXPECT_EQ(board.Letters().join(QString()), QStringLiteral("ae"));
}

TEST_F(Board, EmptySpellingsArePassedOverWithoutPoints)
{
    Start(Words({"", "hi", ""}));
    EXPECT_EQ(board.WordIndex(), 1);
    EXPECT_EQ(board.ItemCount(), 2);
    SpellByClicks(board, QStringLiteral("hi"));
    EXPECT_EQ(events, QStringList({"over:won", "score:100"}));
}

TEST_F(Board, EmptyListDealsNothing)
{
    Start({});
    EXPECT_EQ(board.ItemCount(), 0);
    EXPECT_EQ(board.GetTollGateCount(), 0);
    board.ShowHint();
    board.ClearSpelling();
    board.RestartGame();
    for (int tick = 0; tick <= 200; ++tick)
        board.TimerTick();
    EXPECT_EQ(events, QStringList{"over:lost"});
}

TEST_F(Board, MusicStartsWithTheGameAndStopsWithTheBoard)
{
    log->Calls.clear();
    {
        TSpellGameType local;
        local.StartGame(Words({"a"}), sound.get());
        EXPECT_EQ(log->Calls.filter(QStringLiteral("back.mp3")).size(), 1);
        local.StopBackMusic();
        local.PlayBackMusic();
    }
    EXPECT_EQ(bass->IndexOfStream(QStringLiteral("spellback")), -1);
    EXPECT_TRUE(log->Calls.last().startsWith(QLatin1String("free")));
}

// Thousands of random sequences of everything a player and the host can do;
// the board's bookkeeping must hold after every single step.
TEST_F(Board, InvariantsHoldUnderRandomPlay)
{
    const TWordInfos words = Words({"assess", "banana", "a", "committee", "o'clock", "Mississippi", "New York",
                                    "internationalization", "zz", "tattletale"});
    QRandomGenerator rng(20261208);
    Start(words, 4);
    for (int step = 0; step < 20000; ++step) {
        const int action = int(rng.bounded(100));
        if (action < 70 && board.ItemCount() > 0) {
            ClickTile(board, int(rng.bounded(board.ItemCount())));
        } else if (action < 78) {
            board.ShowHint();
        } else if (action < 84) {
            board.ClearSpelling();
        } else if (action < 87) {
            board.RestartGame();
        } else if (action < 90) {
            board.SetLevel(1 + int(rng.bounded(3)));
        } else if (action < 95) {
            board.TimerTick();
        } else if (board.ItemCount() > 0) {
            // Stray pointer movement anywhere on the board.
            board.UpdateHover(int(rng.bounded(600)), int(rng.bounded(420)));
        }
        ExpectInvariants(board);
        if (HasFatalFailure()) {
            ADD_FAILURE() << "at step " << step;
            return;
        }
        int hovered = 0;
        for (const TSpellItem &item : board.Items())
            hovered += (item.State == ssNormalMove || item.State == ssShadowMove) ? 1 : 0;
        ASSERT_LE(hovered, 1);
        if (events.contains(QStringLiteral("over:won")) || events.contains(QStringLiteral("over:lost"))) {
            events.clear();
            board.RestartGame();
        }
    }
}

// A toll gate whose words are all empty or too long to deal (an encrypted
// flag over a plain book unscrambles every spelling to nothing) must play as
// an empty toll gate: nothing completes by itself, so a host that loads the
// next toll gate on success is never re-entered, however long the book.
TEST_F(Board, TollGatesWithoutAPlayableWordOnlyTimeOut)
{
    const QString tooLong(TSpellGameType::MaxPlayableLetters() + 1, QLatin1Char('x'));
    const QString thousands(5000, QLatin1Char('y'));
    const struct
    {
        const char *name;
        TWordInfos words;
    } gates[] = {
        {"empty spellings", Words({"", "", "", "", "", "", "", "", "", "", "", "", "", "", ""})},
        {"too long to deal", TWordInfos{TWordInfo{tooLong}, TWordInfo{thousands}, TWordInfo{}}},
    };
    for (const auto &gate : gates) {
        SCOPED_TRACE(gate.name);
        events.clear();
        // 300,000 words are 20,000 toll gates: a host that chained them from
        // inside the notification would overflow the stack.
        int gatesLoaded = 0;
        onGameOver = [&](bool success) {
            if (success && ++gatesLoaded < 20000) {
                board.SetWords(gate.words);
                board.RestartGame();
            }
        };
        Start(gate.words);
        board.SetLevel(3);
        board.ShowHint();
        board.ClearSpelling();
        board.RestartGame();
        EXPECT_EQ(gatesLoaded, 0);
        EXPECT_EQ(board.ItemCount(), 0);
        ExpectInvariants(board);
        for (int tick = 0; tick < 50; ++tick)
            board.TimerTick();
        EXPECT_TRUE(events.isEmpty());
        board.TimerTick();
        EXPECT_EQ(events, QStringList{"over:lost"});
        EXPECT_EQ(board.GetScore(), 0);
    }
    onGameOver = nullptr;
}

// The level may come from a hand-edited file: points are counted in 64 bits
// and held to the score's range instead of wrapping.
TEST_F(Board, PointsOfAnyLevelStayInTheScoresRange)
{
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    const struct
    {
        int level;
        int afterTwoWords;
    } cases[] = {{kMax, kMax}, {kMax / 150, kMax}, {kMin, kMin}, {-7, -1400}, {10'000'000, 2'000'000'000}};
    for (const auto &c : cases) {
        Start(Words({"ab", "cd", "ef"}));
        board.SetLevel(c.level);
        SpellByClicks(board, QStringLiteral("ab"));
        SpellByClicks(board, QStringLiteral("cd"));
        EXPECT_EQ(board.GetScore(), c.afterTwoWords) << c.level;
        board.RestartGame();
    }
}
