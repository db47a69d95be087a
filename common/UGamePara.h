#pragma once
// The running game's parameters: held by the main window, mirrored in the
// settings file, handed to and back from the book selection. A plain record,
// copied by value.

#include <QString>

struct TGamePara
{
    int TollGateIndex = 0;  // current toll gate, from 1
    int TollGateCount = 0;  // toll gates of the book: CeilDiv(TollGateWords, WordCount)
    int TollGateWords = 0;  // words per toll gate; 15 in the game
    QString StoreTableName; // table of the book's words, e.g. "lib109"
    QString BookName;       // title shown to the player
    int WordCount = 0;
    int Level = 0;          // 1 "容易", 2 "较难", 3 "困难"
};
