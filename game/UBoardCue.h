#pragma once
// What the empty slot tells a player whose clicks the board does not take:
// nothing while the game runs; how to begin before the first "开始游戏"; how
// to go on while paused (shown only for a moment after an ignored click).

#include <QString>

enum class TBoardCue : quint8 { None, Ready, Paused };

// The cue's words; empty for None.
QString BoardCueText(TBoardCue cue);
