// "UseRecord.txt" against titles with line breaks and files far too large.

#include "TestSupport.h"
#include "URecentGames.h"
#include "UTextCodec.h"

#include <gtest/gtest.h>

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

} // namespace
