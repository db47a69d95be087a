#pragma once
// One word as it travels from the word library to the board.

#include <QString>
#include <QList>

struct TWordInfo
{
    QString Spelling;      // the English word; its characters become the tiles
    QString Pronunciation; // phonetic transcription
    QString Meaning;       // Chinese meaning, listed once the word is done

    bool operator==(const TWordInfo &) const = default;
};

using TWordInfos = QList<TWordInfo>;
