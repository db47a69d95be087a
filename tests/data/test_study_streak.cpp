// The days-in-a-row rule of "连续学习 N 天".

#include "UStudyStreak.h"

#include <gtest/gtest.h>

TEST(StudyStreak, CountsDaysInARowEndingTodayOrYesterday)
{
    const struct
    {
        const char *name;
        QList<int> days; // oldest first, today last
        int streak;
    } cases[] = {
        {"no days at all", {}, 0},
        {"only today, nothing yet", {0}, 0},
        {"only today, one word", {1}, 1},
        {"today and the two days before", {0, 4, 2, 7}, 3},
        {"today empty: the run up to yesterday still counts", {3, 5, 0}, 2},
        {"yesterday and today empty: broken", {3, 5, 0, 0}, 0},
        {"a gap ends the run", {9, 9, 0, 1, 2}, 2},
        {"a gap right before an empty today", {9, 0, 4, 0}, 1},
        {"every day of the window", QList<int>(40, 1), 40},
        {"a negative count from a hand-edited table is no word", {2, -1, 3}, 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StudyStreak(c.days), c.streak) << c.name;
}
