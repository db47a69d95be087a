#pragma once
// What the player does with the words of the mistake book ("生词本") and of
// the known words ("熟词本") by hand: list them, take words out, mark words
// known. Each change is one transaction, made together with whatever table
// it needs first; database failures throw EDatabaseError and leave the
// library as it was.

#include "UKnownWords.h"
#include "UWordInfo.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class TDataInterface;

struct TMistakeRow
{
    TWordInfo Word; // plain texts
    QString SourceBook;
    int Misses = 0;  // times it entered or went back to box 1
    int Spelled = 0; // completions in every book, from the word progress
    int Box = 0;
    QDate Due;
};

// Every word of the mistake book in the order it is dealt.
QList<TMistakeRow> ReadMistakeRows(TDataInterface &data, bool unscramble);

// Takes the words out of the mistake book (the catalogue's count follows);
// their progress stays. Gives how many were in it.
int RemoveFromMistakeBook(TDataInterface &data, const QStringList &spellings);

// Marks the words known and takes them out of the mistake book, in one
// transaction. Texts plain, as dealt or listed.
void MarkKnown(TDataInterface &data, const QList<TKnownWord> &words, const QDate &today, bool scramble);

// Gives words back from the known words; how many were known.
int ForgetKnown(TDataInterface &data, const QStringList &spellings);
