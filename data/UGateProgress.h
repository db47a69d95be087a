#pragma once
// The stars and the best score of every toll gate played, per book, kept in
// the table gateprogress(book, tollgate, stars, bestscore) beside the books;
// "book" is the book's word table name. A gate's record only improves: the
// best stars and the best score are kept, each on its own.
//
// The table is checked at first use (see TTableShape): made when missing,
// made again keeping its readable rows when it has another shape or a page
// that cannot be read, and TakeRebuiltNotice() then turns true once. Each
// record is one transaction. Reads and writes that fail answer empty or
// false; the game goes on without them.

#include <QList>
#include <QString>

class TDataInterface;

struct TGateRecord
{
    int TollGate = 0; // from 1
    int Stars = 0;    // 0 to 3
    int BestScore = 0;
};

class TGateProgress
{
public:
    explicit TGateProgress(TDataInterface &data);

    // Makes the table ready; false when the library cannot be written.
    bool Open();
    bool TakeRebuiltNotice();

    // Keeps the better of the stored and the given stars and score.
    bool Record(const QString &book, int tollGate, int stars, int score);
    // The gates of the book with a record, by gate.
    QList<TGateRecord> Gates(const QString &book);
    // The furthest gate the book was played to: the highest gate with a
    // record here or in the word progress's bookprogress (which older runs
    // wrote alone); 0 before any.
    int FurthestGate(const QString &book);

    // The last gate a player may start: one past the furthest reached, at
    // least the first, at most the book's last; 0 for a book without gates.
    static int LastOpenGate(int furthestReached, int gateCount);

private:
    bool TryRecord(const QString &book, int tollGate, int stars, int score, bool &busy);

    TDataInterface &m_data;
    bool m_ready = false;
    bool m_rebuilt = false;
};
