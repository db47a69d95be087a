#pragma once
// The player's mistake book ("生词本"): a real book of class 8 in the
// catalogue, titled "《我的生词本》", whose word table also keeps a small
// Leitner schedule per word. Older builds read only id, spelling,
// pronunciation and meaning from it, so it plays there as a plain book.
//
// A word enters (or re-enters) in box 1, due a day later. Each completion in
// the book without the hint, on a day other than the last such one, moves it
// up a box (due after 3, then 7 days); the third one takes it out.
//
// The caller owns the transaction: every method runs inside whatever the
// caller has begun, so a change here commits with the change that caused it.
// Database failures throw EDatabaseError.

#include "UWordInfo.h"

#include <QDate>
#include <QString>

class TDataInterface;
struct TTableShape;

struct TMistakeEntry
{
    QString Spelling; // plain, as dealt
    QString SourceBook;
    int Misses = 0;
    int Box = 0;
    QDate Due;
};

class TMistakeBook
{
public:
    static const QString &TableName();
    static const QString &Title();
    static bool IsMistakeTable(const QString &tableName);
    static constexpr int kLastBox = 3;
    // Days until a word in the box is due again.
    static int BoxInterval(int box);

    explicit TMistakeBook(TDataInterface &data);

    // Creates the word table and its catalogue row when they are missing.
    void Ensure();
    // At first use: makes a table of another shape or with an unreadable
    // page again (keeping its readable words) and sets the catalogue's word
    // count to the table's rows. True when the table was made again.
    bool Verify();
    bool Exists();

    // A missed word: a new row in box 1, or the row of the same spelling
    // back in box 1 with one more miss. The texts are stored as the player's
    // books store theirs (scrambled when scramble is set). A word the player
    // marked known (TKnownWords) never enters.
    void Add(const TWordInfo &word, const QString &sourceBook, const QDate &today, bool scramble);
    // A completion in the mistake book without the hint.
    void Practised(const QString &spelling, const QDate &today);
    // Empties the book (its catalogue row stays).
    void Clear();
    // Takes one word out, its schedule with it; false when it was not in.
    bool Remove(const QString &spelling);

    // Due words first in the order they fell due, then the rest by the day
    // they fall due: both are one order, by due date and then by entry, which
    // the table's index keeps. The rows of toll gate index (from 1).
    TWordInfos LoadTollGate(int index, int tollGateWords, bool unscramble);

    int Count();
    // Forgets that the table was seen (after a rolled-back transaction).
    void Forget() { m_ensured = false; }
    bool Find(const QString &spelling, TMistakeEntry &entry);

private:
    static const TTableShape &Shape();
    void RecountWords();
    void AdjustWordCount(const QString &value);
    // The table and its catalogue row were seen in this object's life; a
    // recording keeps one object for its transaction.
    bool m_ensured = false;

    TDataInterface &m_data;
};
