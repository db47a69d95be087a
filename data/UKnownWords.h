#pragma once
// The player's known words ("熟词本"): spellings the player has said they
// know. A known word never enters the mistake book, and with "跳过熟词" on
// it is left out when any book is cut into toll gates.
//
// Table (made at the first word marked, so older builds never see it):
//   knownwords(word, pronunciation, meaning, sourcebook, added)
// "word" is the plain spelling, the key every book is compared on, whether
// its texts are stored scrambled or not; pronunciation and meaning are
// stored as the player's books store theirs.
//
// As with the mistake book, the caller owns the transaction (see
// TSqliteDatabase::RunImmediate); database failures throw EDatabaseError.

#include "UWordInfo.h"

#include <QDate>
#include <QList>
#include <QSet>
#include <QString>

class TDataInterface;
struct TTableShape;

struct TKnownWord
{
    TWordInfo Word; // plain texts
    QString SourceBook;  // the word table of the book it was marked in
    QString SourceTitle; // that book's title, or the table's name without one
    QDate Added;
};

class TKnownWords
{
public:
    static const QString &TableName();

    explicit TKnownWords(TDataInterface &data);

    bool Exists();
    // Makes a table of another shape, or with a page that cannot be read,
    // again (keeping its readable rows). Nothing is made when there is no
    // table. True when the table was made again.
    bool Verify();

    // Marks a word known (again: its texts and day are renewed); creates the
    // table at the first one. The spelling is the plain one, as dealt.
    void Add(const TWordInfo &word, const QString &sourceBook, const QDate &today, bool scramble);
    // False when the word was not marked.
    bool Remove(const QString &spelling);
    bool Contains(const QString &spelling);
    // Every plain spelling; empty when nothing was ever marked.
    QSet<QString> Spellings();
    // By spelling, letter case ignored.
    QList<TKnownWord> Rows(bool unscramble);

private:
    static const TTableShape &Shape();
    void Ensure();

    TDataInterface &m_data;
    bool m_ensured = false;
};

