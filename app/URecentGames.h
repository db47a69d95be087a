#pragma once
// The recent-games file "UseRecord.txt": the ten most recent games, one line
// each, "StoreTableName#@#WordCount#@#BookName#@#TollGateIndex#@#Level", in
// GBK with CRLF line ends, oldest first. At most the first 64 KB are read,
// and a line too long to be a game is ignored and dropped at the next write;
// line breaks inside a field are written as spaces, and a separator inside
// one gets a space.

#include "UCommonFun.h"

#include <QString>
#include <QStringList>

class TRecentGames
{
public:
    explicit TRecentGames(QString fileName);

    const QString &FileName() const { return m_fileName; }

    // Appends the game unless a line equal to it (ignoring case) is there,
    // keeps the last ten, and rewrites the file atomically. An unreadable
    // file is left alone rather than replaced by a shorter list. False when
    // the file was not rewritten (unreadable, or a full disk); the old file
    // is then intact.
    bool Add(const TGamePara &para) const;

    // The lines of the file as the menu lists them: up to the first line
    // with fewer than five fields.
    QStringList MenuLines() const;

    // The menu caption of a line: "BookName 第N关 " and the level's caption
    // when the level field is exactly 1, 2 or 3.
    static QString Caption(const QString &line);

    // The game of a line; false (para untouched) when a number does not
    // parse. A level outside 1 to 3 is read as 1 (KnownLevel).
    static bool Parse(const QString &line, TGamePara &para);

    static QString LineOf(const TGamePara &para);

private:
    QString m_fileName;
};

// The caption of level 1 "容易", 2 "较难", 3 "困难"; empty for any other.
QString LevelCaption(int level);
