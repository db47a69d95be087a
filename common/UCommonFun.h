#pragma once
// Small helpers and the game-parameter record shared by every subsystem.

#include <QByteArray>
#include <QString>
#include <QStringList>

// The running game's parameters, held by the main window and mirrored in the
// settings file. Copied by value.
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

// Copies every field but Level: choosing a book never changes the level.
void CopyGamePara(const TGamePara &source, TGamePara &dest);

// The folder of the files the program writes (settings, word library,
// "UseRecord.txt", extracted skins), ending in '/': the executable's folder
// when it is writable, else the user's data folder, filled from the installed
// defaults on the first call. The environment variable GULUSPELL_HOME names
// another folder instead (tests and benchmarks run on a temporary copy that
// way). Call it first after the application object has its name.
QString GetAppPath();

// The executable's folder, ending in '/', which holds what the program only
// reads (sounds, help); GULUSPELL_HOME overrides it too.
QString GetInstallPath();

// A key of section "system" of the program's settings file; empty when
// absent (TSettings gives the keys with their defaults).
QString ReadSystemValue(const QString &key);

// dividend / divisor truncated, plus 1 when the remainder is above 0.
// A divisor of 0 gives 0 instead of a crash.
int CeilDiv(int divisor, int dividend);

// Rounding to the nearest integer, halves to the even neighbour (129.5 -> 130,
// 2.5 -> 2), as the layout rules expect.
int RoundHalfEven(double value);

// Appends to parts (which is not cleared) the pieces of text between
// separators; a trailing empty piece is left out.
void SplitString(QString text, const QString &separator, QStringList &parts);

// Replaces the file with data through a temporary file and a rename, so a
// crash leaves either the old file or the new one. False on any failure.
bool WriteFileAtomically(const QString &fileName, const QByteArray &data);
