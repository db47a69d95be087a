// The main window and a whole game, played through the window's own handlers
// on a small book in a temporary word library, with every message box
// answered by the test.

#include "BoardDriver.h"
#include "ListeningSpeechLayer.h"
#include "TestSupport.h"
#include "UAdLabel.h"
#include "UAutoPause.h"
#include "UDataInterface.h"
#include "UFrmInputBox.h"
#include "UFrmGameRecord.h"
#include "UFrmSpell.h"
#include "USpeechLayer.h"
#include "UIniFile.h"
#include "URandom.h"
#include "UScramble.h"
#include "USettings.h"
#include "USkin.h"
#include "URecentGames.h"
#include "USpellGameType.h"
#include "UTextCodec.h"
#include "UWebAddress.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include <gtest/gtest.h>

namespace {

const QString kBook = QStringLiteral("《测试词汇》");

QString WordAt(int i)
{
    // Two-letter words from distinct letters keep spelling by clicks simple.
    return QString(QChar('a' + i % 26)) + QChar('a' + (i / 26) + 1 + i % 3);
}

// Painted text, told from a picture of the same place without it: its
// strongest ink, the ground behind that ink, and whether one row of ink runs
// under the whole text (an underline: no glyph spans the gaps between words).
struct TTextLook
{
    QColor Ink, Ground;
    bool Underlined = false;
};

TTextLook LookOfText(const QImage &image, const QImage &ground)
{
    const auto distance = [&](int x, int y) {
        const QRgb a = image.pixel(x, y), b = ground.pixel(x, y);
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
    };
    const auto isInk = [&](int x, int y) { return distance(x, y) > 120; };
    TTextLook look;
    int strongest = 0, left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (!isInk(x, y))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            if (distance(x, y) > strongest) {
                strongest = distance(x, y);
                look.Ink = image.pixelColor(x, y);
                look.Ground = ground.pixelColor(x, y);
            }
        }
    for (int y = 0; y < image.height() && right > left; ++y) {
        int inked = 0;
        for (int x = left; x <= right; ++x)
            inked += isInk(x, y);
        look.Underlined |= inked >= (right - left + 1) * 9 / 10;
    }
    return look;
}

double Luminance(const QColor &c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(const QColor &a, const QColor &b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsBlue(const QColor &c)
{
    return c.blue() - c.red() >= 100 && c.blue() - c.green() >= 30;
}

class MainWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetRandSeed(0);
        WriteSettings("lib1", 32, kBook, 1, 1);
        ASSERT_TRUE(data.CreateDatabase(home.File("data/test.mdb"), TDataInterface::DatabasePassword()));
        ASSERT_TRUE(data.CreateWordTable(QStringLiteral("lib1")));
        for (int i = 0; i < 32; ++i)
            ASSERT_TRUE(data.InsertWord(QStringLiteral("lib1"), WordAt(i), QString(), QStringLiteral("词%1").arg(i)));
        ASSERT_TRUE(data.AddBookInfo(kBook, 32, QStringLiteral("lib1"), 3, 1));
    }

    void WriteSettings(const QString &table, int words, const QString &book, int gate, int level)
    {
        QByteArray ini = "[system]\r\nStoreTableName=" + table.toLatin1() + "\r\nWordCount=" + QByteArray::number(words)
                         + "\r\nBookName=" + EncodeGbk(book) + "\r\nTollGateIndex=" + QByteArray::number(gate)
                         + "\r\nLevel=" + QByteArray::number(level) + "\r\ndata=test\r\nGrade=skip\r\n";
        home.WriteFile("data/spellconfig.ini", ini);
    }

    TFrmSpell &Window()
    {
        if (!window) {
            TFrmSpell::TPlatform platform;
            platform.CreateAudioOutput = [this] { return std::make_unique<TRecordingAudioOutput>(audio); };
            if (withSpeech)
                platform.CreateSpeechLayer = [this] { return std::make_unique<TListeningSpeechLayer>(spoken); };
            platform.OpenUrl = [this](const QUrl &url) { return opened << url.toString(), browserOpens; };
            window = std::make_unique<TFrmSpell>(data, TSettings(home.Path()), platform);
            window->show();
        }
        return *window;
    }

    template <typename T> T *Find(const char *name) { return Window().findChild<T *>(QLatin1String(name)); }
    // A menu item as the player finds it: by the captions along its path from
    // the menu bar ("设置", "难度", "较难"), without the "(&S)" of a title.
    QAction *MenuItem(const QStringList &path)
    {
        static const QRegularExpression accelerator(QStringLiteral("\\(&\\w\\)|&"));
        QList<QAction *> items = Window().menuBar()->actions();
        QAction *found = nullptr;
        for (const QString &caption : path) {
            found = nullptr;
            for (QAction *item : items)
                if (!found && QString(item->text()).remove(accelerator).trimmed() == caption)
                    found = item;
            if (!found)
                return nullptr;
            items = found->menu() ? found->menu()->actions() : QList<QAction *>();
        }
        return found;
    }
    QMenu *SubMenu(const QStringList &path) { return MenuItem(path)->menu(); }
    // The level items of "设置 → 难度" and of the toolbar's level button.
    QList<QAction *> LevelItems() { return SubMenu({"设置", "难度"})->actions(); }
    QList<QAction *> LevelButtonItems() { return Find<QToolButton>("sbLevel")->menu()->actions(); }
    void ChooseLevel(const char *caption) { MenuItem({"设置", "难度", QString::fromUtf8(caption)})->trigger(); }
    // The checked level's caption in each of the two level menus; empty for
    // a menu with none checked.
    QStringList CheckedLevels()
    {
        QStringList checked;
        for (const QList<QAction *> &items : {LevelItems(), LevelButtonItems()}) {
            QString caption;
            for (QAction *item : items)
                if (item->isChecked())
                    caption += item->text();
            checked << caption;
        }
        return checked;
    }
    QString Label(const char *name) { return Find<QLabel>(name)->text(); }
    TSpellGameType &Board() { return *Window().SpellGame(); }
    bool Enabled(const char *name) { return Find<QWidget>(name)->isEnabled(); }

    void SpellCurrentWord() { ::SpellCurrentWord(Board()); }
    void SpellFirstLetter() { ClickLetter(Board(), Board().Rules().Words()[Board().Rules().WordIndex()].Spelling[0]); }

    QStringList RecentLines()
    {
        return DecodeGbk(home.ReadFile("UseRecord.txt")).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    TTempProgramDir home;
    TScopedDialogs dialogs;
    TDataInterface data;
    std::shared_ptr<TRecordingAudioOutput::Log> audio = std::make_shared<TRecordingAudioOutput::Log>();
    std::shared_ptr<QStringList> spoken = std::make_shared<QStringList>();
    bool withSpeech = true;
    QStringList opened;
    bool browserOpens = true; // what the desktop's opener answers
    std::unique_ptr<TFrmSpell> window;
};

} // namespace

TEST_F(MainWindow, StartsReadyOnTheSavedTollGateWithEveryComponent)
{
    Window();
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("咕噜猫字母乐园"));
    EXPECT_EQ(Label("labBook"), kBook);
    EXPECT_EQ(Label("labGate"), QStringLiteral("关卡：第1关（共3关）"));
    EXPECT_EQ(Label("labScore"), "0");
    EXPECT_EQ(Label("labTime"), QStringLiteral("200秒"));
    EXPECT_EQ(Find<QToolButton>("sbLevel")->text(), QStringLiteral("容易"));
    EXPECT_EQ(CheckedLevels(), QStringList({"容易", "容易"}));
    for (const char *name : {"sbStart", "sbLevel"})
        EXPECT_TRUE(Enabled(name)) << name;
    for (const char *name : {"sbReStart", "btnContinue", "btnPause", "btnClear", "btnDoHint"})
        EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_FALSE(Board().isEnabled());
    EXPECT_FALSE(Board().TimerActive());
    EXPECT_EQ(Board().Rules().Words().size(), 15);
    EXPECT_EQ(Board().Rules().Words()[0].Spelling, WordAt(0));

    const struct
    {
        const char *name;
        const char *caption;
    } captions[] = {{"sbStart", "开始游戏"}, {"sbReStart", "重新游戏"}, {"btnContinue", "继续"}, {"btnPause", "暂停"},
                    {"btnClear", "清除"},     {"btnDoHint", "提示"},     {"sbClose", "退出游戏"}};
    for (const auto &c : captions)
        EXPECT_EQ(Find<QToolButton>(c.name)->text(), QString::fromUtf8(c.caption));
    EXPECT_EQ(Find<QCheckBox>("cbSpeech")->text(), QStringLiteral("读音"));
    EXPECT_EQ(Find<QCheckBox>("cbBackGround")->text(), QStringLiteral("背景音乐"));
    const QStringList items[] = {
        {"文件", "选择课本"},   {"文件", "导入咕噜猫词库"}, {"文件", "下载咕噜猫词库"}, {"文件", "最近关卡"},
        {"文件", "排行榜"},     {"文件", "学习统计"},       {"文件", "退出游戏"},       {"设置", "单词朗读"},
        {"设置", "背景音乐"},   {"帮助", "帮助"},           {"帮助", "支持我们"},       {"帮助", "官方主页"},
        {"帮助", "官方论坛"},   {"帮助", "下载语音引擎"},   {"帮助", "网址导航"},       {"帮助", "英语学习资源"},
        {"帮助", "英语学习系列软件", "咕噜猫字母乐园"},     {"帮助", "关于"},
    };
    for (const QStringList &path : items)
        EXPECT_NE(MenuItem(path), nullptr) << qPrintable(path.join(" → "));
    EXPECT_FALSE(MenuItem({"帮助", "支持我们"})->isEnabled()) << "no advertising list";
    QStringList styles;
    for (QAction *a : SubMenu({"设置", "界面风格"})->actions())
        if (a->isVisible())
            styles << a->text() + (a->isChecked() ? "*" : "");
    EXPECT_EQ(styles, QStringList({"风格2*", "风格1", "风格3", "默认风格", "风格4", "风格5"}));
    EXPECT_EQ(RecentLines(), QStringList{QStringLiteral("lib1#@#32#@#《测试词汇》#@#1#@#1")});
}

TEST_F(MainWindow, MissingSpeechEngineIsReportedOnceAndTheGameStillStarts)
{
    withSpeech = false;
    Window();
    EXPECT_EQ(dialogs->Texts(), QStringList{QStringLiteral("语音引擎创建失败，请安装语音引擎！")});
    EXPECT_EQ(Board().Rules().Words().size(), 15);
}

TEST_F(MainWindow, CompletedWordsAreSpokenOnlyWithPronunciationOn)
{
    Window().sbStartClick();
    SpellCurrentWord();
    EXPECT_EQ(*spoken, QStringList{WordAt(0)});
    Find<QCheckBox>("cbSpeech")->click();
    SpellCurrentWord();
    EXPECT_EQ(*spoken, QStringList{WordAt(0)});
}

TEST_F(MainWindow, BoardStaysCentredOnTheGamePanel)
{
    for (int width : {837, 900, 1001}) {
        Window().resize(width, 700);
        QWidget *panel = Find<QWidget>("panGame");
        QCoreApplication::processEvents();
        EXPECT_EQ(Board().x(), RoundHalfEven((panel->width() - 600) / 2.0));
        EXPECT_EQ(Board().y(), RoundHalfEven((panel->height() - 420) / 2.0));
    }
}

TEST_F(MainWindow, WindowNeverShrinksBelowTheBoardAndItsTitleStrip)
{
    Window().resize(200, 200);
    QCoreApplication::processEvents();
    EXPECT_GE(Find<QWidget>("panGame")->width(), Board().width());
    EXPECT_GE(Find<QWidget>("panGame")->height(), Board().height());
    EXPECT_GE(Find<QWidget>("gbTitle")->width(), Find<QWidget>("panTitle")->width());
}

TEST_F(MainWindow, ALongTitleIsElidedWithATooltipAndNoTitleLabelOverlapsAnother)
{
    const QString title = QStringLiteral("《一本名字非常非常非常长的英语词汇书，长得放不进它的标签》");
    WriteSettings("lib1", 3000000, title, 123456, 1);
    Window();
    QLabel *book = Find<QLabel>("labBook");
    EXPECT_TRUE(book->text().endsWith(QChar(0x2026))) << book->text().toStdString();
    EXPECT_EQ(book->toolTip(), title);
    QList<QLabel *> row = Find<QWidget>("panTitle")->findChildren<QLabel *>();
    ASSERT_EQ(row.size(), 6);
    std::sort(row.begin(), row.end(), [](QLabel *a, QLabel *b) { return a->x() < b->x(); });
    for (int i = 1; i < row.size(); ++i)
        EXPECT_GT(row[i]->x(), row[i - 1]->geometry().right()) << row[i]->objectName().toStdString();
    EXPECT_LE(row.last()->geometry().right(), Find<QWidget>("panTitle")->width());
}

TEST_F(MainWindow, PauseContinueAndLevelChangeWhilePaused)
{
    EXPECT_EQ(Board().Cue(), TBoardCue::Ready);
    Window().sbStartClick();
    EXPECT_EQ(Board().Cue(), TBoardCue::None);
    EXPECT_TRUE(Board().TimerActive());
    EXPECT_TRUE(Board().isEnabled());
    EXPECT_TRUE(Enabled("btnPause") && Enabled("btnClear") && Enabled("btnDoHint") && !Enabled("sbStart"));
    SpellCurrentWord();
    EXPECT_EQ(Label("labScore"), "100");

    Window().btnPauseClick();
    EXPECT_FALSE(Board().TimerActive());
    EXPECT_FALSE(Board().isEnabled());
    EXPECT_EQ(Board().Cue(), TBoardCue::Paused);
    EXPECT_TRUE(Enabled("btnContinue") && !Enabled("btnPause"));

    ChooseLevel("困难");
    EXPECT_EQ(Board().Rules().WordIndex(), 0) << "the toll gate starts again";
    EXPECT_FALSE(Board().TimerActive()) << "still paused";
    EXPECT_EQ(Label("labTime"), QStringLiteral("50秒"));
    EXPECT_EQ(Find<QToolButton>("sbLevel")->text(), QStringLiteral("困难"));
    EXPECT_EQ(CheckedLevels(), QStringList({"困难", "困难"}));
    EXPECT_EQ(Window().GamePara().Level, 3);

    Window().btnContinueClick();
    EXPECT_TRUE(Board().TimerActive());
    LevelButtonItems()[1]->trigger();
    EXPECT_TRUE(Board().TimerActive()) << "a running game keeps running";
}

TEST_F(MainWindow, ScoreCarriesAcrossTollGatesAndTheBookEndsWithItsLastWord)
{
    Window().sbStartClick();
    for (int i = 0; i < 15; ++i)
        SpellCurrentWord();
    EXPECT_EQ(Label("labScore"), "1500");
    EXPECT_EQ(Label("labGate"), QStringLiteral("关卡：第2关（共3关）"));
    EXPECT_EQ(Window().ScoreBase(), 1500) << "the finished toll gate's whole score, its last word included";
    EXPECT_EQ(Board().Rules().Words()[0].Spelling, WordAt(15));
    SpellCurrentWord();
    EXPECT_EQ(Label("labScore"), "1600");

    for (int i = 1; i < 15; ++i)
        SpellCurrentWord();
    EXPECT_EQ(Label("labGate"), QStringLiteral("关卡：第3关（共3关）"));
    EXPECT_EQ(Board().Rules().Words().size(), 2);
    SpellCurrentWord();
    dialogs->Answers = {TMsgResult::No};
    SpellCurrentWord();
    ASSERT_EQ(dialogs->Texts(), QStringList({QStringLiteral("恭喜您完成了此次游戏的所有关卡！\n得分：3200\n再玩一次吧？"),
                                             QStringLiteral("是否记录您的游戏成绩？")}));
    EXPECT_EQ(dialogs->Messages[0].Icon, TMsgIcon::Question);
    EXPECT_EQ(Label("labScore"), "3200");
    EXPECT_EQ(Window().GamePara().TollGateIndex, 3) << "No leaves the finished toll gate";
    EXPECT_FALSE(Enabled("btnPause")) << "and closes it: its countdown cannot be resumed";
}

namespace {

// Notes what the title strip's score reads while each message box is up.
class TScoreAtMessage : public TFakeDialogs
{
public:
    explicit TScoreAtMessage(QLabel *score) : m_score(score) {}
    TMsgResult MessageBox(QWidget *parent, const QString &text, TMsgIcon icon, TMsgButtons buttons) override
    {
        Seen << m_score->text();
        return TFakeDialogs::MessageBox(parent, text, icon, buttons);
    }
    QStringList Seen;

private:
    QLabel *m_score;
};

} // namespace

// The box at the end of a book and the title strip behind it show one score,
// whatever the answer, and the book's last word is listed with the others.
TEST_F(MainWindow, TheEndOfABookShowsOneScoreAndListsItsLastWord)
{
    const struct
    {
        const char *name;
        int level;
        TMsgResult answer;
        QString score;
    } cases[] = {
        {"declined", 1, TMsgResult::No, "200"},
        {"played again", 2, TMsgResult::Yes, "400"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        window.reset();
        WriteSettings("lib1", 32, kBook, 3, c.level);
        Window().sbStartClick();
        auto *fake = new TScoreAtMessage(Find<QLabel>("labScore"));
        fake->Answers = {c.answer, TMsgResult::No};
        std::unique_ptr<TDialogService> previous = SetDialogService(std::unique_ptr<TDialogService>(fake));
        SpellCurrentWord();
        int listedBeforeEnd = int(Board().ListedWords().size());
        SpellCurrentWord();
        const QStringList texts = fake->Texts(), seen = fake->Seen;
        const TWordInfos listed = Board().ListedWords();
        SetDialogService(std::move(previous));

        ASSERT_FALSE(texts.isEmpty());
        EXPECT_EQ(texts.first(), QStringLiteral("恭喜您完成了此次游戏的所有关卡！\n得分：%1\n再玩一次吧？").arg(c.score));
        EXPECT_EQ(seen.first(), c.score) << "the title strip agrees with the box";
        if (c.answer == TMsgResult::No) {
            EXPECT_EQ(Label("labScore"), c.score);
            ASSERT_EQ(listed.size(), listedBeforeEnd + 1);
            EXPECT_EQ(listed.first().Spelling, WordAt(31)) << "the last word is listed, newest first";
        } else {
            EXPECT_EQ(Label("labScore"), "0") << "the new game starts from nothing";
            EXPECT_TRUE(listed.isEmpty());
        }
    }
}

TEST_F(MainWindow, PlayingAgainRecordsTheWholeScoreAndStartsFromNothing)
{
    WriteSettings("lib1", 32, kBook, 3, 2);
    Window().sbStartClick();
    SpellCurrentWord();
    dialogs->Answers = {TMsgResult::Yes, TMsgResult::Yes};
    dialogs->DialogHandlers.push_back([](QDialog &dialog) {
        auto &input = dynamic_cast<TFrmInputBox &>(dialog);
        EXPECT_EQ(input.windowTitle(), QStringLiteral("用户名"));
        dialog.findChild<QLineEdit *>("ediText")->setText(QStringLiteral(" O'Brien "));
        input.btnOkClick();
        return dialog.result();
    });
    SpellCurrentWord();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs->Texts(), QStringList({QStringLiteral("恭喜您完成了此次游戏的所有关卡！\n得分：400\n再玩一次吧？"),
                                              QStringLiteral("是否记录您的游戏成绩？")}));
    const QList<TGameRecord> records = data.GetGameRecords(20);
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].Name, QStringLiteral(" O'Brien "));
    EXPECT_EQ(records[0].Score, 400);
    EXPECT_EQ(Label("labScore"), "0");
    EXPECT_EQ(Board().Rules().GetScore(), 0);
    EXPECT_EQ(Label("labGate"), QStringLiteral("关卡：第1关（共3关）"));
    EXPECT_TRUE(Board().TimerActive());
}

// The finished book's score is offered for the ranking whether or not the
// player plays again; declining leaves the finished board as it is.
TEST_F(MainWindow, TheFinishedBooksScoreIsOfferedWhetherOrNotThePlayerPlaysAgain)
{
    const struct
    {
        const char *name;
        TMsgResult again;
        int gateAfter;
        bool runsAfter;
    } cases[] = {
        {"not again", TMsgResult::No, 3, false},
        {"again", TMsgResult::Yes, 1, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        window.reset();
        dialogs->Messages.clear();
        const int recordsBefore = int(data.GetGameRecords(20).size());
        WriteSettings("lib1", 32, kBook, 3, 2);
        Window().sbStartClick();
        SpellCurrentWord();
        dialogs->Answers = {c.again, TMsgResult::Yes};
        dialogs->DialogHandlers = {[](QDialog &dialog) {
            dialog.findChild<QLineEdit *>("ediText")->setText(QStringLiteral("小明"));
            dynamic_cast<TFrmInputBox &>(dialog).btnOkClick();
            return dialog.result();
        }};
        SpellCurrentWord();
        ASSERT_EQ(dialogs->Texts().size(), 2);
        EXPECT_EQ(dialogs->Texts()[1], QStringLiteral("是否记录您的游戏成绩？"));
        const QList<TGameRecord> records = data.GetGameRecords(20);
        ASSERT_EQ(records.size(), recordsBefore + 1);
        EXPECT_EQ(records[0].Score, 400);
        EXPECT_EQ(Window().GamePara().TollGateIndex, c.gateAfter);
        EXPECT_EQ(Board().TimerActive(), c.runsAfter);
    }
}

TEST_F(MainWindow, RunningOutOfTimeOffersTheRecordAndReturnsToTheStart)
{
    WriteSettings("lib1", 32, kBook, 2, 3);
    Window().sbStartClick();
    SpellCurrentWord();
    dialogs->Answers = {TMsgResult::Ok, TMsgResult::No};
    for (int tick = 0; tick <= 50; ++tick)
        Board().Rules().Tick();
    EXPECT_EQ(dialogs->Texts(), QStringList({QStringLiteral("很遗憾，您没能完成此次游戏，再接再厉吧！\n得分：300"),
                                              QStringLiteral("是否记录您的游戏成绩？")}));
    EXPECT_EQ(dialogs->Messages[0].Icon, TMsgIcon::Information);
    EXPECT_TRUE(data.GetGameRecords(20).isEmpty());
    EXPECT_EQ(Label("labGate"), QStringLiteral("关卡：第1关（共3关）"));
    EXPECT_EQ(Label("labScore"), "0");
    EXPECT_TRUE(Enabled("sbStart") && !Enabled("btnPause"));
    EXPECT_FALSE(Board().TimerActive());
}

TEST_F(MainWindow, RestartBeginsTheFirstTollGateAtOnce)
{
    WriteSettings("lib1", 32, kBook, 2, 1);
    Window().sbStartClick();
    SpellCurrentWord();
    Window().sbReStartClick();
    EXPECT_EQ(Window().GamePara().TollGateIndex, 1);
    EXPECT_EQ(Label("labScore"), "0");
    EXPECT_EQ(Board().Rules().Words()[0].Spelling, WordAt(0));
    EXPECT_TRUE(Board().TimerActive());
}

TEST_F(MainWindow, ATollGateBeyondTheBookIsEmptyAndTimesOut)
{
    WriteSettings("lib1", 32, kBook, 99, 3);
    Window().sbStartClick();
    EXPECT_EQ(Board().ItemCount(), 0);
    for (int tick = 0; tick <= 50; ++tick)
        Board().Rules().Tick();
    EXPECT_EQ(dialogs->Messages.size(), 2u);
    EXPECT_EQ(Window().GamePara().TollGateIndex, 1);
}

TEST_F(MainWindow, UnknownOrUnsafeBookTablePlaysAsAnEmptyTollGate)
{
    WriteSettings("lib1; drop table bookinfo", 32, kBook, 1, 1);
    Window();
    EXPECT_EQ(Board().ItemCount(), 0);
    EXPECT_EQ(data.GetBookName(1), kBook);
}

TEST_F(MainWindow, ScrambledBooksPlayInPlainText)
{
    ASSERT_TRUE(data.CreateWordTable(QStringLiteral("lib2")));
    ASSERT_TRUE(data.InsertWord(QStringLiteral("lib2"), ScrambleText(QStringLiteral("o'clock")), QStringLiteral("   "),
                                ScrambleText(QStringLiteral("点钟"))));
    WriteSettings("lib2", 1, kBook, 1, 1);
    home.WriteFile("data/spellconfig.ini", home.ReadFile("data/spellconfig.ini") + "encrypt=1\r\n");
    Window().sbStartClick();
    ASSERT_EQ(Board().Rules().Words().size(), 1);
    EXPECT_EQ(Board().Rules().Words()[0].Spelling, QStringLiteral("o'clock"));
    EXPECT_EQ(Board().Rules().Words()[0].Meaning, QStringLiteral("点钟"));
    EXPECT_TRUE(Board().Rules().Words()[0].Pronunciation.isEmpty()) << "a blank stored text is not unscrambled";
    SpellCurrentWord();
    EXPECT_EQ(Label("labScore"), "100");
}

TEST_F(MainWindow, ClosingWritesTheFiveKeysAsTheyStand)
{
    Window().sbStartClick();
    for (int i = 0; i < 15; ++i)
        SpellCurrentWord();
    ChooseLevel("较难");
    Window().close();
    TIniFile ini(home.File("data/spellconfig.ini"));
    EXPECT_EQ(ini.ReadInteger("system", "TollGateIndex", 0), 2);
    EXPECT_EQ(ini.ReadInteger("system", "Level", 0), 2);
    EXPECT_EQ(ini.ReadString("system", "BookName", ""), kBook);
    EXPECT_EQ(ini.ReadString("system", "StoreTableName", ""), "lib1");
    EXPECT_EQ(ini.ReadInteger("system", "WordCount", 0), 32);
    EXPECT_EQ(ini.ReadString("system", "data", ""), "test") << "other keys stay";
}

TEST_F(MainWindow, ToggleSpeechAndMusicFromEitherControl)
{
    Window();
    Find<QCheckBox>("cbSpeech")->click();
    EXPECT_FALSE(Board().Rules().GetHasSpeech());
    QAction *speech = MenuItem({"设置", "单词朗读"});
    EXPECT_FALSE(speech->isChecked());
    speech->trigger();
    EXPECT_TRUE(Board().Rules().GetHasSpeech());
    EXPECT_TRUE(Find<QCheckBox>("cbSpeech")->isChecked());

    audio->Calls.clear();
    Find<QCheckBox>("cbBackGround")->click();
    EXPECT_EQ(audio->Calls, QStringList{"stop 1"});
    MenuItem({"设置", "背景音乐"})->trigger();
    EXPECT_EQ(audio->Calls, QStringList({"stop 1", "stop 1", "play 1 restart=0"}));
    EXPECT_TRUE(Find<QCheckBox>("cbBackGround")->isChecked());
}

TEST_F(MainWindow, RecentGamesKeepTenDistinctLinesOldestFirst)
{
    Window();
    TGamePara para = Window().GamePara();
    Window().RecentGames().Add(para);
    EXPECT_EQ(RecentLines().size(), 1) << "the same game twice leaves one line";
    para.BookName = QStringLiteral("《测试词汇》").toUpper();
    para.StoreTableName = "LIB1";
    Window().RecentGames().Add(para);
    EXPECT_EQ(RecentLines().size(), 1) << "duplicates are found ignoring case";

    for (int gate = 1; gate <= 12; ++gate) {
        para.TollGateIndex = gate;
        Window().RecentGames().Add(para);
    }
    const QStringList lines = RecentLines();
    ASSERT_EQ(lines.size(), 10);
    EXPECT_TRUE(lines.first().endsWith("#@#3#@#1"));
    EXPECT_TRUE(lines.last().endsWith("#@#12#@#1"));
    EXPECT_TRUE(home.ReadFile("UseRecord.txt").contains(EncodeGbk(kBook)));
    Window().LoadRecentMenu();
    EXPECT_EQ(SubMenu({"文件", "最近关卡"})->actions().size(), 10);
}

TEST_F(MainWindow, RecentMenuCaptionsAndClicks)
{
    home.WriteFile("UseRecord.txt",
                   EncodeGbk(QStringLiteral("lib109#@#3480#@#《最新TOEFL词汇》#@#5#@#2\r\n"
                                            "lib1#@#32#@#《测试词汇》#@#2#@#7\r\n"
                                            "lib1#@#x#@#《测试词汇》#@#2#@#1\r\n"
                                            "short#@#line\r\n"
                                            "lib1#@#32#@#《测试词汇》#@#3#@#1\r\n")));
    SetRandSeed(0);
    Window().LoadRecentMenu();
    QList<QAction *> items = SubMenu({"文件", "最近关卡"})->actions();
    QStringList captions;
    for (QAction *a : items)
        captions << a->text();
    EXPECT_EQ(captions, QStringList({QStringLiteral("《最新TOEFL词汇》 第5关 较难"), QStringLiteral("《测试词汇》 第2关 "),
                                     QStringLiteral("《测试词汇》 第2关 容易")}))
        << "a short line ends the menu";

    const QString gateBefore = Label("labGate");
    Window().RecentItemClicked(items[2]);
    EXPECT_EQ(Label("labGate"), gateBefore) << "a non-numeric field is ignored";

    Window().RecentItemClicked(items[1]);
    QCoreApplication::processEvents();
    EXPECT_EQ(Window().GamePara().TollGateIndex, 2);
    EXPECT_EQ(Label("labGate"), QStringLiteral("关卡：第2关（共3关）"));
    EXPECT_EQ(Window().GamePara().Level, 1) << "level 7 resumes as the first";
    EXPECT_EQ(Find<QToolButton>("sbLevel")->text(), QStringLiteral("容易"));
    EXPECT_EQ(CheckedLevels(), QStringList({"容易", "容易"}));
    EXPECT_TRUE(Enabled("sbStart"));
    EXPECT_EQ(Board().Rules().Words()[0].Spelling, WordAt(15));
}

TEST_F(MainWindow, RankingShowsTheBestTwenty)
{
    for (int i = 0; i < 25; ++i)
        ASSERT_TRUE(data.AddGameRecord(QStringLiteral("p%1").arg(i), (i % 5) * 100 + i));
    ASSERT_TRUE(data.AddGameRecord(QStringLiteral("tie"), 424));
    int rows = -1;
    QStringList top;
    dialogs->DialogHandlers.push_back([&](QDialog &dialog) {
        QTreeWidget *list = dialog.findChild<QTreeWidget *>("lvBookInfo");
        rows = list->topLevelItemCount();
        for (int i = 0; i < 3; ++i)
            top << list->topLevelItem(i)->text(0) + ":" + list->topLevelItem(i)->text(2);
        return int(QDialog::Accepted);
    });
    MenuItem({"文件", "排行榜"})->trigger();
    EXPECT_EQ(rows, 20);
    EXPECT_EQ(top, QStringList({"1:424", "2:424", "3:419"}));
}

TEST_F(MainWindow, EmptyRankingAndBlankNamesAreRefused)
{
    TFrmGameRecord ranking(data);
    ranking.LoadGameRecords();
    EXPECT_EQ(ranking.List()->topLevelItemCount(), 0);

    TFrmInputBox input;
    input.setWindowTitle(QStringLiteral("用户名"));
    input.findChild<QLineEdit *>("ediText")->setText("   ");
    input.btnOkClick();
    EXPECT_EQ(dialogs->Texts(), QStringList{QStringLiteral("请输入用户名")});
    EXPECT_NE(input.result(), QDialog::Accepted);
}

// ---------------------------------------------------------------------------
// Faults found by playing: each test shows one that the game once had.

TEST_F(MainWindow, TollGatesWithoutAPlayableWordWaitForTheCountdown)
{
    ASSERT_TRUE(data.CreateWordTable(QStringLiteral("lib3")));
    for (int i = 0; i < 45; ++i)
        ASSERT_TRUE(data.InsertWord(QStringLiteral("lib3"), QString(), QString(), QStringLiteral("空")));
    const struct
    {
        const char *name;
        QByteArray settingsTail;
        QString table;
        int words;
    } cases[] = {
        {"encrypted flag over a plain book", "encrypt=1\r\n", QStringLiteral("lib1"), 32},
        {"every spelling empty", "", QStringLiteral("lib3"), 45},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        window.reset();
        dialogs->Messages.clear();
        WriteSettings(c.table, c.words, kBook, 2, 3);
        home.WriteFile("data/spellconfig.ini", home.ReadFile("data/spellconfig.ini") + c.settingsTail);
        Window();
        EXPECT_TRUE(dialogs->Texts().isEmpty()) << "no toll gate completes by itself";
        EXPECT_EQ(Window().GamePara().TollGateIndex, 2);
        EXPECT_EQ(Label("labScore"), "0");
        EXPECT_EQ(Board().ItemCount(), 0);

        Window().sbStartClick();
        for (int tick = 0; tick <= 50; ++tick)
            Board().Rules().Tick();
        ASSERT_FALSE(dialogs->Texts().isEmpty());
        EXPECT_EQ(dialogs->Texts().first(), QStringLiteral("很遗憾，您没能完成此次游戏，再接再厉吧！\n得分：0"));
        Window().close();
        EXPECT_EQ(TIniFile(home.File("data/spellconfig.ini")).ReadInteger("system", "TollGateIndex", 0), 1);
    }
}

TEST_F(MainWindow, DecliningAnotherRoundClosesTheFinishedBoard)
{
    WriteSettings("lib1", 32, kBook, 3, 1);
    Window().sbStartClick();
    SpellCurrentWord();
    SpellCurrentWord(); // the end-of-book question and the record's, answered No by default
    ASSERT_EQ(dialogs->Messages.size(), 2u);
    EXPECT_EQ(Label("labScore"), "200");

    // Take the last tile back and pick it again, clear, hint, continue.
    for (int i = 0; i < Board().ItemCount(); ++i) {
        ClickTile(Board(), i);
        ClickTile(Board(), i);
    }
    Window().btnClearClick();
    Window().btnDoHintClick();
    Window().btnContinueClick();
    Window().sbStartClick();
    EXPECT_EQ(dialogs->Messages.size(), 2u) << "the book is not finished twice";
    EXPECT_EQ(Label("labScore"), "200");
    EXPECT_EQ(Board().Rules().Letters().join(QString()), WordAt(31));
    EXPECT_FALSE(Board().TimerActive());
    EXPECT_FALSE(Board().isEnabled());
    for (const char *name : {"sbReStart", "sbLevel"})
        EXPECT_TRUE(Enabled(name)) << name;
    for (const char *name : {"sbStart", "btnContinue", "btnPause", "btnClear", "btnDoHint"})
        EXPECT_FALSE(Enabled(name)) << name;

    // A level change starts the last toll gate as a new game, ready to play.
    ChooseLevel("较难");
    EXPECT_EQ(Label("labScore"), "0");
    EXPECT_EQ(Window().ScoreBase(), 0);
    EXPECT_TRUE(Enabled("sbStart") && !Board().TimerActive());
    Window().sbStartClick();
    SpellCurrentWord();
    EXPECT_EQ(Label("labScore"), "200");

    Window().sbReStartClick();
    EXPECT_TRUE(Board().isEnabled() && Board().TimerActive());
    EXPECT_EQ(Label("labGate"), QStringLiteral("关卡：第1关（共3关）"));
}

TEST_F(MainWindow, LevelChangeShowsThePointsCarriedFromEarlierTollGates)
{
    Window().sbStartClick();
    for (int i = 0; i < 15; ++i)
        SpellCurrentWord();
    ASSERT_EQ(Window().ScoreBase(), 1500);
    ChooseLevel("困难");
    EXPECT_EQ(Label("labScore"), "1500");
    SpellCurrentWord();
    EXPECT_EQ(Label("labScore"), "1800");
    ChooseLevel("较难");
    for (int tick = 0; tick <= 100; ++tick)
        Board().Rules().Tick();
    ASSERT_FALSE(dialogs->Texts().isEmpty());
    EXPECT_EQ(dialogs->Texts().first(), QStringLiteral("很遗憾，您没能完成此次游戏，再接再厉吧！\n得分：1500"));
}

TEST_F(MainWindow, AHugeLevelFromTheSettingsPlaysAsTheFirst)
{
    WriteSettings("lib1", 32, kBook, 2, std::numeric_limits<int>::max());
    Window().sbStartClick();
    EXPECT_EQ(Find<QToolButton>("sbLevel")->text(), QStringLiteral("容易"));
    EXPECT_EQ(CheckedLevels(), QStringList({"容易", "容易"}));
    EXPECT_EQ(Label("labTime"), QStringLiteral("200秒"));
    SpellCurrentWord();
    EXPECT_EQ(Label("labScore"), "100");
}

TEST(WebAddress, OnlyHttpAndHttpsPagesPass)
{
    const struct
    {
        const char *text;
        const char *url; // empty: refused
    } cases[] = {
        {"http://www.example.org/tts.exe", "http://www.example.org/tts.exe"},
        {" HTTPS://Example.org/ciku?x=1 ", "https://example.org/ciku?x=1"},
        {"", ""},
        {"file:///etc/passwd", ""},
        {"/etc/passwd", ""},
        {"C:\\Windows\\calc.exe", ""},
        {"smb://server/share", ""},
        {"javascript:alert(1)", ""},
        {"ftp://example.org/x", ""},
        {"http:relative/path", ""},
        {"http://", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(WebAddress(QString::fromUtf8(c.text)).toString(), QString::fromUtf8(c.url)) << c.text;
}

TEST_F(MainWindow, DownloadItemsOpenOnlyWebAddressesFromTheSettings)
{
    // An existing local file was once opened as such.
    home.WriteFile("data/spellconfig.ini", home.ReadFile("data/spellconfig.ini") + "GuluLoadCiKu="
                                               + home.File("UseRecord.txt").toUtf8() + "\r\nSpeek=https://x.org/tts\r\n");
    Window();
    MenuItem({"文件", "下载咕噜猫词库"})->trigger();
    MenuItem({"帮助", "下载语音引擎"})->trigger();
    EXPECT_EQ(opened, QStringList{"https://x.org/tts"});
    ASSERT_EQ(dialogs->Texts().size(), 1) << "the refused address is told, not silently dropped";
    EXPECT_TRUE(dialogs->Texts()[0].contains(home.File("UseRecord.txt")));

    // The maker's pages are settings keys too, read at each click; an empty
    // one opens nothing and says so.
    opened.clear();
    dialogs->Messages.clear();
    QAction *homePage = MenuItem({"帮助", "官方主页"});
    QAction *thisProgram = MenuItem({"帮助", "英语学习系列软件", "咕噜猫字母乐园"});
    homePage->trigger();
    thisProgram->trigger();
    home.WriteFile("data/spellconfig.ini", home.ReadFile("data/spellconfig.ini") + "HomePage=\r\nSeriesPages=https://d.example/g/\r\n");
    homePage->trigger();
    thisProgram->trigger();
    EXPECT_EQ(opened, QStringList({"https://guluspell.example", "https://guluspell.example/game/guluspell/",
                                   "https://d.example/g/guluspell/"}));
    ASSERT_EQ(dialogs->Texts().size(), 1);
    EXPECT_TRUE(dialogs->Texts()[0].contains(QStringLiteral("HomePage")));
}

TEST_F(MainWindow, APageNoBrowserOpenedIsToldWithItsAddressAndAboutShowsTheSameHomePage)
{
    home.WriteFile("data/spellconfig.ini", home.ReadFile("data/spellconfig.ini") + "HomePage=https://home.example/\r\n");
    browserOpens = false;
    Window();
    MenuItem({"帮助", "官方主页"})->trigger();
    EXPECT_EQ(opened, QStringList{"https://home.example/"});
    ASSERT_EQ(dialogs->Messages.size(), 1u);
    EXPECT_EQ(dialogs->Messages[0].Icon, TMsgIcon::Information);
    EXPECT_TRUE(dialogs->Texts()[0].endsWith(QStringLiteral("\nhttps://home.example/"))) << qPrintable(dialogs->Texts()[0]);

    QString shownInAbout;
    dialogs->DialogHandlers.push_back([&](QDialog &about) {
        shownInAbout = about.findChild<QLabel *>(QStringLiteral("labWeb"))->text();
        return int(QDialog::Accepted);
    });
    MenuItem({"帮助", "关于"})->trigger();
    EXPECT_EQ(shownInAbout, "https://home.example/");
}

TEST_F(MainWindow, AStyleClickRestylesTheOpenWindowAtOnceAndIsKept)
{
    Window();
    QWidget *toolbar = Find<QWidget>("tbar");
    const QImage before = toolbar->grab().toImage();
    MenuItem({"设置", "界面风格", "风格4"})->trigger(); // the dark one
    EXPECT_NE(toolbar->grab().toImage(), before);
    EXPECT_EQ(TSettings(home.Path()).GetDefaultUI(), "Opus");
    EXPECT_TRUE(QFileInfo::exists(home.File("data/Opus.asz")));
    window.reset(); // the skin files go with the window
    EXPECT_FALSE(QFileInfo::exists(home.File("data/Opus.asz")));
    ApplySkin(QString()); // the default look again for the tests after this one
}

TEST_F(MainWindow, TheAdTitleUnderThePointerIsBlueAndUnderlinedInEverySkin)
{
    TAdLabel *adLabel = Window().findChild<TAdLabel *>();
    QLabel *title = Find<QLabel>("labAd");
    QWidget *bar = title->parentWidget();
    QImage ground;
    const auto look = [&](bool hovered) {
        if (hovered) {
            QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), title->mapToGlobal(QPointF(4, 4)));
            QCoreApplication::sendEvent(title, &enter);
        } else {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(title, &leave);
        }
        return LookOfText(bar->grab(title->geometry()).toImage(), ground);
    };
    // No skin, the default "WLM", and the others, dark bars included.
    for (const QString &skin : {QString(), QStringLiteral("WLM"), QStringLiteral("Acryl"), QStringLiteral("MacOS2"),
                                QStringLiteral("Blue"), QStringLiteral("Opus"), QStringLiteral("Winter")}) {
        SCOPED_TRACE(skin.isEmpty() ? std::string("no skin") : skin.toStdString());
        ApplySkin(skin);
        adLabel->ShowTitle(QString());
        ground = bar->grab(title->geometry()).toImage();
        adLabel->ShowTitle(QStringLiteral("Learn new words"));
        const TTextLook plain = look(false);
        EXPECT_FALSE(plain.Underlined);
        EXPECT_FALSE(IsBlue(plain.Ink)) << qPrintable(plain.Ink.name());
        const TTextLook hovered = look(true);
        EXPECT_TRUE(hovered.Underlined);
        EXPECT_TRUE(IsBlue(hovered.Ink)) << qPrintable(hovered.Ink.name());
        EXPECT_GE(Contrast(hovered.Ink, hovered.Ground), 4.5)
            << qPrintable(hovered.Ink.name()) << " on " << qPrintable(hovered.Ground.name());
        EXPECT_FALSE(look(false).Underlined) << "the plain look comes back";
    }
    ApplySkin(QString());
}

TEST_F(MainWindow, LevelAndStyleItemsAreRadioGroupsThatFollowEachOther)
{
    Window();
    const QList<QList<QAction *>> groups = {LevelItems(), LevelButtonItems(), SubMenu({"设置", "界面风格"})->actions()};
    for (const QList<QAction *> &items : groups) {
        QActionGroup *group = items.front()->actionGroup();
        ASSERT_NE(group, nullptr) << qPrintable(items.front()->objectName());
        EXPECT_TRUE(group->isExclusive()) << "drawn with radio marks";
        EXPECT_EQ(group->actions(), items);
    }
    EXPECT_NE(groups[0].front()->actionGroup(), groups[1].front()->actionGroup());

    // Either menu's choice moves the mark in both.
    ChooseLevel("较难");
    EXPECT_EQ(CheckedLevels(), QStringList({"较难", "较难"}));
    LevelButtonItems()[2]->trigger();
    EXPECT_EQ(CheckedLevels(), QStringList({"困难", "困难"}));
}

TEST_F(MainWindow, PanelPictureMatchesTheScreenDensity)
{
    // Run a second time under QT_SCALE_FACTOR=2, where the @2x picture must be the one shown.
    const qreal dpr = Window().devicePixelRatioF();
    const QPixmap picture = Find<QLabel>("imaJoin")->pixmap();
    EXPECT_EQ(picture.devicePixelRatio(), dpr > 1 ? 2.0 : 1.0);
    EXPECT_EQ(picture.deviceIndependentSize().toSize(), QSize(426, 472));
}

TEST_F(MainWindow, ATwelveLetterRowLeavesTheMascotsClearAtTheDesignSize)
{
    ASSERT_TRUE(data.CreateWordTable(QStringLiteral("lib2")));
    ASSERT_TRUE(data.InsertWord(QStringLiteral("lib2"), QStringLiteral("construction"), QString(), QStringLiteral("建筑")));
    WriteSettings("lib2", 1, kBook, 1, 1);
    Window().resize(837, 669);
    QCoreApplication::processEvents();
    ASSERT_EQ(Board().ItemCount(), 12);

    // The mascots' fills; the sky, the hills and the moon share none of them.
    const QList<QRgb> mascot = {qRgb(248, 170, 72), qRgb(176, 184, 204), qRgb(255, 236, 206), qRgb(244, 244, 250)};
    const QLabel *imaJoin = Find<QLabel>("imaJoin");
    const QImage picture = imaJoin->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect pictureRect(imaJoin->geometry().bottomRight() - QPoint(425, 471), QSize(426, 472));
    const auto mascotPixels = [&](const QRect &panelArea) {
        const QRect area = panelArea.intersected(pictureRect).translated(-pictureRect.topLeft());
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += mascot.contains(picture.pixel(x, y));
        return n;
    };
    ASSERT_GT(mascotPixels(pictureRect), 2000) << "the probe sees the mascots";
    bool rowReachesPicture = false;
    for (int i = 0; i < Board().ItemCount(); ++i) {
        const QRect tile(Board().mapTo(Find<QWidget>("panGame"), Board().ItemRect(i).topLeft()), Board().ItemSize());
        rowReachesPicture |= tile.intersects(pictureRect);
        EXPECT_EQ(mascotPixels(tile), 0) << "tile " << i;
    }
    EXPECT_TRUE(rowReachesPicture) << "the case the picture is drawn for";
}

// ---------------------------------------------------------------------------
// Game keys, keyboard play and the automatic pause

TEST_F(MainWindow, GameKeysDoWhatTheirEnabledButtonsDo)
{
    Window();
    QApplication::setActiveWindow(&Window());
    const auto press = [this](QKeyCombination key) { QTest::keyClick(&Window(), key.key(), key.keyboardModifiers()); };
    EXPECT_TRUE(Find<QToolButton>("sbStart")->toolTip().contains("F2"));
    EXPECT_TRUE(Find<QToolButton>("btnDoHint")->toolTip().contains("Ctrl+H"));

    press(Qt::Key_F3);
    press(Qt::CTRL | Qt::Key_H);
    EXPECT_FALSE(Board().TimerActive()) << "nothing to pause before the start";
    EXPECT_FALSE(Board().Rules().HintUsed()) << "nor a hint";
    press(Qt::Key_F2);
    ASSERT_TRUE(Board().TimerActive());
    press(Qt::CTRL | Qt::Key_H);
    EXPECT_TRUE(Board().Rules().HintUsed());
    press(Qt::Key_Escape);
    EXPECT_TRUE(Board().Rules().Letters().isEmpty());
    press(Qt::Key_F3);
    EXPECT_EQ(Board().Cue(), TBoardCue::Paused);
    press(Qt::Key_F2);
    EXPECT_TRUE(Board().TimerActive()) << "F2 continues a paused game";

    SpellCurrentWord();
    dialogs->Answers = {TMsgResult::No, TMsgResult::Yes};
    press(Qt::Key_F5);
    EXPECT_EQ(dialogs->Texts(), QStringList{QStringLiteral("是否重新开始游戏？")});
    EXPECT_EQ(dialogs->Messages[0].Buttons, TMsgButtons::YesNoDefaultNo) << "Enter keeps the running game";
    EXPECT_EQ(Board().Rules().WordIndex(), 1) << "No keeps the running game";
    press(Qt::Key_F5);
    EXPECT_EQ(Board().Rules().WordIndex(), 0);
    EXPECT_EQ(Label("labScore"), "0");
}

TEST_F(MainWindow, MenuItemsHaveAccessKeysOfTheirOwnAndCtrlQQuits)
{
    Window();
    // The access key of an item: the letter after a single "&". Every item
    // of the four menus has one, and no two of one menu share it; the lists
    // made from data inside them (levels, styles, recent games, voices,
    // the series) carry none.
    static const QRegularExpression accessKey(QStringLiteral("&([^&])"));
    for (QAction *title : Window().menuBar()->actions()) {
        QStringList keys;
        for (QAction *item : title->menu()->actions()) {
            if (item->isSeparator() || !item->isVisible())
                continue;
            const QRegularExpressionMatch match = accessKey.match(item->text());
            EXPECT_TRUE(match.hasMatch()) << qPrintable(item->text());
            keys << match.captured(1).toUpper();
        }
        QStringList distinct = keys;
        distinct.removeDuplicates();
        EXPECT_EQ(keys, distinct) << qPrintable(title->text());
    }

    QApplication::setActiveWindow(&Window());
    QTest::keyClick(&Window(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(Window().isVisible());
}

TEST_F(MainWindow, KeyboardPlayAndAutoPauseAreSettingsKeptInTheFile)
{
    Window();
    QAction *keyboard = MenuItem({"设置", "键盘拼写"});
    QAction *autoPause = MenuItem({"设置", "自动暂停"});
    EXPECT_FALSE(keyboard->isChecked()) << "keyboard play is off by default";
    EXPECT_TRUE(autoPause->isChecked()) << "the automatic pause is on by default";
    EXPECT_FALSE(Board().KeyboardPlay());

    keyboard->trigger();
    autoPause->trigger();
    EXPECT_TRUE(Board().KeyboardPlay());
    TIniFile ini(home.File("data/spellconfig.ini"));
    EXPECT_EQ(ini.ReadInteger("system", "KeyboardPlay", -1), 1);
    EXPECT_EQ(ini.ReadInteger("system", "AutoPause", -1), 0);

    window.reset();
    EXPECT_TRUE(MenuItem({"设置", "键盘拼写"})->isChecked());
    EXPECT_FALSE(MenuItem({"设置", "自动暂停"})->isChecked());
    Window().sbStartClick();
    {
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QTest::qWait(TAutoPause::kSettleMs + 100);
    }
    EXPECT_TRUE(Board().TimerActive()) << "with the setting off the game runs on";

    QTest::keyClicks(&Board(), Board().Rules().Words()[0].Spelling);
    EXPECT_EQ(Board().Rules().WordIndex(), 1) << "the word is typed on the board";
}

namespace {

// Calls Watch whenever a message box or a dialog is up.
class TWatchedDialogs : public TFakeDialogs
{
public:
    TMsgResult MessageBox(QWidget *parent, const QString &text, TMsgIcon icon, TMsgButtons buttons) override
    {
        if (Watch)
            Watch();
        return TFakeDialogs::MessageBox(parent, text, icon, buttons);
    }
    int ExecDialog(QDialog &dialog) override
    {
        if (Watch)
            Watch();
        return TFakeDialogs::ExecDialog(dialog);
    }
    std::function<void()> Watch;
};

} // namespace

// Leaving the window waits for "继续"; a window of the game's own holds the
// countdown while it is open and, closed with nothing changed, gives a game
// that was running back to the player.
TEST_F(MainWindow, LeavingTheGamePausesItAndItsOwnWindowsGiveItBack)
{
    enum TAfter { StaysPaused, Runs, Ready };
    const struct
    {
        const char *way;
        std::function<void(TFrmSpell &)> leave;
        std::deque<TMsgResult> answers;
        int dialogResult;
        TAfter after;
    } ways[] = {
        {"focus lost to another program's window", [](TFrmSpell &w) {
             QWidget other;
             other.show();
             QApplication::setActiveWindow(&other);
             QTest::qWait(TAutoPause::kSettleMs + 100);
             QApplication::setActiveWindow(&w);
         }, {}, QDialog::Rejected, StaysPaused},
        {"minimised", [](TFrmSpell &w) { w.setWindowState(Qt::WindowMinimized); }, {}, QDialog::Rejected, StaysPaused},
        {"ranking", [](TFrmSpell &w) { w.ShowRanking(); }, {}, QDialog::Rejected, Runs},
        {"book selection cancelled", [](TFrmSpell &w) { w.SelectBook(); }, {}, QDialog::Rejected, Runs},
        {"book chosen", [](TFrmSpell &w) { w.SelectBook(); }, {}, QDialog::Accepted, Ready},
        {"import", [](TFrmSpell &w) { w.ImportLibrary(); }, {}, QDialog::Rejected, Runs},
        {"statistics", [](TFrmSpell &w) { w.ShowWordStats(); }, {}, QDialog::Rejected, Runs},
        {"about", [](TFrmSpell &w) { w.ShowAbout(); }, {}, QDialog::Rejected, Runs},
        {"support", [](TFrmSpell &w) { w.ShowSupport(); }, {}, QDialog::Rejected, Runs},
        {"F5 answered No", [](TFrmSpell &w) { w.GameKeyRestartClick(); }, {TMsgResult::No}, QDialog::Rejected, Runs},
        {"F5 answered Yes", [](TFrmSpell &w) { w.GameKeyRestartClick(); }, {TMsgResult::Yes}, QDialog::Rejected, Runs},
    };
    Window();
    auto *fake = new TWatchedDialogs;
    std::unique_ptr<TDialogService> previous = SetDialogService(std::unique_ptr<TDialogService>(fake));
    for (const auto &way : ways) {
        SCOPED_TRACE(way.way);
        Window().setWindowState(Qt::WindowNoState);
        Window().sbStartClick();
        Window().btnContinueClick();
        SpellCurrentWord();
        ASSERT_TRUE(Board().TimerActive());
        int windowsOpen = 0;
        bool ranWhileOpen = false;
        fake->Watch = [&] {
            ++windowsOpen;
            ranWhileOpen |= Board().TimerActive();
        };
        fake->Answers = way.answers;
        fake->DialogHandlers = {[&way](QDialog &) { return way.dialogResult; }};
        way.leave(Window());
        EXPECT_FALSE(ranWhileOpen) << "the countdown stands while the window is open";
        QCoreApplication::processEvents();
        switch (way.after) {
        case StaysPaused:
            EXPECT_FALSE(Board().TimerActive()) << "it never resumes by itself";
            EXPECT_EQ(Board().Cue(), TBoardCue::Paused);
            EXPECT_TRUE(Enabled("btnContinue"));
            EXPECT_TRUE(Board().Veiled());
            break;
        case Runs:
            EXPECT_EQ(windowsOpen, 1);
            EXPECT_TRUE(Board().TimerActive());
            EXPECT_TRUE(Enabled("btnPause") && Board().isEnabled());
            EXPECT_FALSE(Board().Veiled());
            break;
        case Ready:
            EXPECT_FALSE(Board().TimerActive());
            EXPECT_TRUE(Enabled("sbStart"));
            break;
        }
    }
    EXPECT_EQ(Board().Rules().WordIndex(), 0) << "Yes restarted the toll gate";
    fake->Watch = nullptr;
    SetDialogService(std::move(previous));
}

TEST_F(MainWindow, AGameThePlayerPausedStaysPausedAfterADialog)
{
    Window().sbStartClick();
    Window().btnPauseClick();
    Window().ShowAbout();
    Window().ShowRanking();
    EXPECT_FALSE(Board().TimerActive());
    EXPECT_TRUE(Enabled("btnContinue"));

    // With the automatic pause off a dialog neither stops nor starts the game.
    MenuItem({"设置", "自动暂停"})->trigger();
    Window().btnContinueClick();
    bool ranWhileOpen = false;
    dialogs->DialogHandlers = {[&](QDialog &) { return ranWhileOpen = Board().TimerActive(), int(QDialog::Rejected); }};
    Window().ShowAbout();
    EXPECT_TRUE(ranWhileOpen);
    EXPECT_TRUE(Board().TimerActive());
}

// ---------------------------------------------------------------------------
// Button and menu states

// Each toolbar button and the "游戏" menu item for it are enabled together,
// clear and hint only while the game runs.
TEST_F(MainWindow, ButtonsAndGameMenuItemsFollowTheGameState)
{
    const struct
    {
        const char *state;
        int gate;
        std::function<void()> reach;
        // sbStart, sbReStart, btnContinue, btnPause, sbLevel, btnClear, btnDoHint
        std::vector<bool> buttons;
    } cases[] = {
        {"ready", 1, [] {}, {1, 0, 0, 0, 1, 0, 0}},
        {"running", 1, [this] { Window().sbStartClick(); }, {0, 1, 0, 1, 1, 1, 1}},
        {"paused", 1, [this] { Window().sbStartClick(); Window().btnPauseClick(); }, {0, 1, 1, 0, 1, 0, 0}},
        {"continued", 1, [this] {
             Window().sbStartClick();
             Window().btnPauseClick();
             Window().btnContinueClick();
         }, {0, 1, 0, 1, 1, 1, 1}},
        {"timed out", 1, [this] {
             Window().sbStartClick();
             for (int tick = 0; tick <= 200; ++tick)
                 Board().Rules().Tick();
         }, {1, 0, 0, 0, 1, 0, 0}},
        {"book finished, not played again", 3, [this] {
             Window().sbStartClick();
             SpellCurrentWord();
             SpellCurrentWord();
         }, {0, 1, 0, 0, 1, 0, 0}},
    };
    const char *const names[] = {"sbStart", "sbReStart", "btnContinue", "btnPause", "sbLevel", "btnClear", "btnDoHint"};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.state);
        window.reset();
        WriteSettings("lib1", 32, kBook, c.gate, 1);
        c.reach();
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(Enabled(names[i]), c.buttons[i]) << names[i];
        const auto item = [this](const char *caption) { return MenuItem({"游戏", QString::fromUtf8(caption)})->isEnabled(); };
        EXPECT_EQ(item("开始游戏/继续"), c.buttons[0] || c.buttons[2]);
        EXPECT_EQ(item("暂停"), c.buttons[3]);
        EXPECT_EQ(item("重新游戏"), c.buttons[1]);
        EXPECT_EQ(item("提示"), c.buttons[6]);
        EXPECT_EQ(item("清除"), c.buttons[5]);
    }
}

// Under the pause veil and before the start, the handlers of hint and clear
// change nothing, whoever calls them.
TEST_F(MainWindow, HintAndClearActOnlyOnARunningGame)
{
    const struct
    {
        const char *state;
        std::function<void()> reach;
        bool running;
    } cases[] = {
        {"ready", [] {}, false},
        {"paused", [this] { Window().sbStartClick(); SpellFirstLetter(); Window().btnPauseClick(); }, false},
        {"running", [this] { Window().sbStartClick(); SpellFirstLetter(); }, true},
    };
    for (const auto &c : cases)
        for (const bool hint : {true, false}) {
            SCOPED_TRACE(std::string(c.state) + (hint ? ", hint" : ", clear"));
            window.reset();
            c.reach();
            const QStringList letters = Board().Rules().Letters();
            hint ? Window().btnDoHintClick() : Window().btnClearClick();
            EXPECT_EQ(Board().Rules().Letters() != letters || Board().Rules().HintUsed(), c.running);
        }
}
