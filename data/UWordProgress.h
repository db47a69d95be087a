#pragma once
// Per-word progress in every book, the words completed per day, each book's
// furthest toll gate and best score, and the recording of a word's outcome,
// which also feeds the mistake book. A recording is one transaction: the
// progress row, the day's count and the mistake book change together or not
// at all.
//
// Tables (new ones only, so older builds still read the library):
//   wordprogress(book, spelling, dealt, completed, hinted, missed, lastdate, seconds)
//   dayprogress(day, completed)
//   bookprogress(book, tollgate, bestscore)
// "book" is the book's word table name, which names a book for good.
//
// The tables, and the mistake book's, are checked at first use (see
// TTableShape): a missing one is created; one of another shape (foreign, left
// by some other program, a view) or with a page that cannot be read is made
// again, keeping the rows that could be read, and TakeRebuiltNotice() turns
// true once so the caller can tell the player.
//
// Writes wait only briefly for another program's lock on the library. A
// record that meets one waits in a small queue and is written before the next
// one; after a few such tries, or when the library refuses it, it is dropped,
// and the first drop of a run is logged on stderr with its reason.

#include "UMistakeBook.h"
#include "UWordInfo.h"

#include <QDate>
#include <QList>
#include <QQueue>
#include <QString>

#include <functional>

class TDataInterface;

enum class TWordOutcome { Completed, Missed, WrongOrder };

struct TWordEvent
{
    QString Book;           // the word table of the book being played
    TWordInfo Word;         // plain texts, as dealt
    TWordOutcome Outcome = TWordOutcome::Completed;
    bool Hinted = false;    // completed after the hint
    bool WrongBefore = false; // completed after filling every tile wrongly
    int Seconds = 0;        // countdown seconds the completion took
    // Where the game stands with this outcome; kept in bookprogress when
    // TollGate is above 0 (the furthest gate and the best score stay).
    int TollGate = 0;
    int Score = 0;
};

struct TWordStats
{
    int Dealt = 0, Completed = 0, Hinted = 0, Missed = 0;
    QDate LastDate;
    int MedianSeconds = 0; // over the latest completions; 0 before any
};

struct TBookStats
{
    QString Book;
    QString Title;
    int TollGate = 0;
    int BestScore = 0;
    int Seen = 0;
    int Mastered = 0;       // spelled without the hint, and not in the mistake book
    int InMistakeBook = 0;
};

class TWordProgress
{
public:
    explicit TWordProgress(TDataInterface &data);
    ~TWordProgress();
    TWordProgress(const TWordProgress &) = delete;
    TWordProgress &operator=(const TWordProgress &) = delete;

    // Makes the tables ready; false when the library cannot be written.
    bool Open();
    // True once after a table was rebuilt.
    bool TakeRebuiltNotice();

    // Records one outcome (scramble: the library's texts are scrambled),
    // after any that wait for a lock. True when it is stored; false when it
    // waits in the queue or could not be stored; the game goes on.
    bool Record(const TWordEvent &event, const QDate &today, bool scramble);
    // Records that wait for another program's lock, and records dropped so far.
    int Pending() const { return int(m_pending.size()); }
    int Dropped() const { return m_dropped; }
    static constexpr int kMaxAttempts = 5;
    static constexpr int kMaxPending = 100;
    // The furthest toll gate and the best score seen so far stay.
    bool RecordBook(const QString &book, int tollGate, int score);


    TWordStats Word(const QString &book, const QString &spelling);
    // Every book with progress or words in the mistake book, in catalogue order.
    QList<TBookStats> BookStats();
    // Completions per day for the days days up to today, oldest first.
    QList<int> DailyCompleted(const QDate &today, int days);
    // Empties the mistake book.
    bool ClearMistakeBook();

    static int Median(const QString &seconds);
    static constexpr int kKeptSeconds = 15;

private:
    enum class TWrite { Stored, Busy, Failed };
    struct TPending
    {
        TWordEvent Event;
        QDate Day;
        bool Scramble = false;
        int Attempts = 0;
        quint64 Serial = 0;
    };

    TWrite Prepare();
    TWrite Write(const std::function<void()> &change);
    void Flush();
    void LogDropped(int count, const QString &reason);
    void EnsureTables();
    void WriteEvent(const TWordEvent &event, const QDate &today, bool scramble);
    void WriteBook(const QString &book, int tollGate, int score);

    TDataInterface &m_data;
    TMistakeBook m_mistakes;
    bool m_ready = false;
    bool m_rebuilt = false;
    QQueue<TPending> m_pending;
    QString m_lastError;
    int m_dropped = 0;
    quint64 m_serial = 0;     // of the latest record taken
    quint64 m_lastStored = 0; // of the latest record written
    bool m_dropLogged = false;
};
