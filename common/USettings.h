#pragma once
// The settings file "data/spellconfig.ini" of one program folder: the keys the
// program knows with their defaults, and typed access to them.
//
// Every call opens the file, reads or writes, and closes it: nothing is held
// in memory, so an edit of the file counts from the next read. A missing file
// or key, or an integer key whose text is not a decimal number, gives the
// key's default. The level is the one value checked: it multiplies every
// score, so one outside 1 to 3 reads as 1.
//
// A TSettings names its folder explicitly; Program() gives the running
// program's. Code below the main window takes the values it needs as
// arguments instead of reading the file itself.

#include "UGamePara.h"

#include <QString>

class TSettings
{
public:
    // programDir ends in '/'.
    explicit TSettings(QString programDir);
    // The settings of the running program's folder (GetAppPath()).
    static TSettings Program();

    const QString &ProgramDir() const { return m_programDir; }
    QString FilePath() const;

    // A key of section "system", with the key's default when it is absent.
    QString ReadString(const QString &key) const;
    int ReadInteger(const QString &key) const;
    // True when the file holds the key at all, even with an empty value:
    // "Grade" answered or skipped once is never asked again.
    bool HasKey(const QString &key) const;
    // The default of a known key; empty for any other.
    static QString DefaultOf(const QString &key);
    // False when the file could not be written; the old file is then intact.
    bool WriteString(const QString &key, const QString &value) const;

    // "StoreTableName", "WordCount", "BookName", "TollGateIndex", "Level"
    // (through KnownLevel); the other fields of the record are left as they are.
    void LoadGamePara(TGamePara &para) const;
    // The same five keys, in that order, in one rewrite of the file.
    bool SaveGamePara(const TGamePara &para) const;

    QString GetDefaultUI() const;
    bool SetDefaultUI(const QString &skinName) const;
    // True only when "encrypt" is exactly 1: the word texts are stored scrambled.
    bool IsEncrypt() const;
    // "data/" + the value of "data" + ".mdb" under the program folder; a
    // missing or blank "data" names the shipped library, "guluspell".
    QString DatabaseFileName() const;
    // "DailyGoal", words a day, through KnownDailyGoal.
    int DailyGoal() const;

private:
    QString m_programDir;
};

// The level as a game may use it: 1 "容易", 2 "较难" or 3 "困难"; any other
// value (a hand-edited file, a damaged recent-games line) is 1.
int KnownLevel(int level);

// The daily goal as the game shows it: 1 to 500 words; a value below is 1,
// one above is 500.
inline constexpr int kDailyGoalMin = 1, kDailyGoalMax = 500;
int KnownDailyGoal(int goal);
