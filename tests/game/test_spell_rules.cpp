#include "URandom.h"
#include "USpellGameType.h"

#include <gtest/gtest.h>

TEST(Random, FirstDealOfAppleIsPlepa)
{
    SetRandSeed(0);
    TSpellGameType board;
    board.StartGame({TWordInfo{QStringLiteral("apple")}}, nullptr, nullptr);
    QString row;
    for (const TSpellItem &item : board.Items())
        row += item.Letter;
    EXPECT_EQ(row, QStringLiteral("plepa"));
}
