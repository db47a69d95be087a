// "UseRecord.txt" against titles with line breaks, files far too large, and
// starts that change nothing in it.

#include "TestSupport.h"
#include "URecentGames.h"
#include "UTextCodec.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TGamePara Game(const QString &title, int gate)
{
    TGamePara para;
    para.StoreTableName = QStringLiteral("lib9");
    para.WordCount = 30;
    para.BookName = title;
    para.TollGateIndex = gate;
    para.Level = 1;
    return para;
}

TEST(RecentGames, ATitleWithLineBreaksStaysOneGame)
{
    TTempProgramDir home;
    const TRecentGames recent(home.File(QStringLiteral("UseRecord.txt")));
    recent.Add(Game(QStringLiteral("a\r\nlib1#@#1#@#x#@#1#@#1\rb"), 2));
    recent.Add(Game(QStringLiteral("plain"), 1));
    const QStringList lines = recent.MenuLines();
    ASSERT_EQ(lines.size(), 2);
    TGamePara para;
    ASSERT_TRUE(TRecentGames::Parse(lines[0], para));
    EXPECT_EQ(para.TollGateIndex, 2);
    EXPECT_FALSE(para.BookName.contains(QLatin1Char('\n')));
    EXPECT_EQ(home.ReadFile(QStringLiteral("UseRecord.txt")).count("\r\n"), 2);
}

TEST(RecentGames, AHugeFileIsReadOnlyInPartAndItsLongLineDropped)
{
    TTempProgramDir home;
    const QByteArray game = EncodeGbk(TRecentGames::LineOf(Game(QStringLiteral("kept"), 3))) + "\r\n";
    home.WriteFile(QStringLiteral("UseRecord.txt"), game + QByteArray(50 * 1024 * 1024, 'x') + "#@#1#@#b#@#1#@#1\r\n");
    const TRecentGames recent(home.File(QStringLiteral("UseRecord.txt")));
    EXPECT_EQ(recent.MenuLines().size(), 1);
    recent.Add(Game(QStringLiteral("new"), 1));
    EXPECT_EQ(home.ReadFile(QStringLiteral("UseRecord.txt")),
              game + EncodeGbk(TRecentGames::LineOf(Game(QStringLiteral("new"), 1))) + "\r\n");
}

ino_t FileIdentity(const QString &file)
{
    struct stat info {};
    return ::stat(QFile::encodeName(file).constData(), &info) == 0 ? info.st_ino : 0;
}

// Each start adds the game it resumes; a list that already ends the same way
// is left in place (no synced write on the way to the first window), while any
// other difference in its bytes is still written out.
TEST(RecentGames, AddingAGameTheListHoldsRewritesOnlyWhatWouldChange)
{
    const QByteArray line = EncodeGbk(TRecentGames::LineOf(Game(QStringLiteral("kept"), 3)));
    const struct
    {
        const char *name;
        QByteArray before;
        bool replaced;
    } cases[] = {
        {"same bytes", line + "\r\n", false},
        {"bare line feeds", line + "\n", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TTempProgramDir home;
        home.WriteFile(QStringLiteral("UseRecord.txt"), c.before);
        const QString file = home.File(QStringLiteral("UseRecord.txt"));
        const ino_t identity = FileIdentity(file);
        TRecentGames(file).Add(Game(QStringLiteral("kept"), 3));
        EXPECT_EQ(home.ReadFile(QStringLiteral("UseRecord.txt")), line + "\r\n");
        EXPECT_EQ(FileIdentity(file) != identity, c.replaced);
    }
}

// A line's level multiplies the points of the game it resumes.
TEST(RecentGames, ALevelOutsideOneToThreeResumesAsOne)
{
    const struct
    {
        const char *field;
        bool parses;
        int level;
    } cases[] = {{"1", true, 1}, {"3", true, 3},   {"0", true, 1},   {"4", true, 1},
                 {"-5", true, 1}, {"2147483647", true, 1}, {"x", false, 0}};
    for (const auto &c : cases) {
        TGamePara para;
        para.Level = 0;
        EXPECT_EQ(TRecentGames::Parse(QStringLiteral("lib9#@#30#@#book#@#2#@#") + QLatin1String(c.field), para), c.parses)
            << c.field;
        EXPECT_EQ(para.Level, c.level) << c.field;
    }
}

} // namespace
