#pragma once
// Small helpers shared by every subsystem: the program's folders, the
// settings file's place, integer and rounding rules, string splitting. The
// atomic file write and the game-parameter record come with it.

#include "UAtomicFile.h"
#include "UGamePara.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

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

// The settings file of a program folder (ending in '/'):
// "data/spellconfig.ini" under it.
QString SettingsFileOf(const QString &programDir);

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
