#include "UStudyStreak.h"

int StudyStreak(const QList<int> &dailyCompleted)
{
    qsizetype day = dailyCompleted.size() - 1;
    if (day >= 0 && dailyCompleted[day] <= 0)
        --day; // today is still open: the streak may go on from yesterday
    int streak = 0;
    for (; day >= 0 && dailyCompleted[day] > 0; --day)
        ++streak;
    return streak;
}
