#pragma once
// "连续学习 N 天": how many days in a row the player completed at least one
// word. Today counts when it has a word already; a today without one yet does
// not break the streak, which then runs up to yesterday.

#include <QList>

// Days the streak looks back at most: one day's count query covers them.
inline constexpr int kStreakWindowDays = 3660;

// dailyCompleted[i] is the words completed on day today - (size - 1 - i):
// oldest first, today last (TWordProgress::DailyCompleted). An empty list is
// no streak.
int StudyStreak(const QList<int> &dailyCompleted);
