#pragma once
// What the fault worker writes at each step of its repeated operations, so
// that the test can name every state a kill may leave behind.

#include "UCommonFun.h"

// The game of step n: every field differs from one step to the next.
inline TGamePara FaultGame(int step)
{
    TGamePara para;
    para.StoreTableName = QStringLiteral("lib%1").arg(step);
    para.WordCount = 7 * step;
    para.BookName = QStringLiteral("《第%1本》").arg(step);
    para.TollGateIndex = step;
    para.Level = step % 3 + 1;
    return para;
}

// The name of every ranking record the worker stores; its score is the step.
inline QString FaultPlayer()
{
    return QStringLiteral("玩家");
}
