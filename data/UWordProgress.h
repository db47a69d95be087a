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
// A table that is missing is created; one of another shape (foreign, or left
// by some other program) or one that fails is dropped and made again empty,
// and RebuiltNotice() turns true once so the caller can tell the player.

#include "UMistakeBook.h"
#include "UWordInfo.h"

#include <QDate>
#include <QList>
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

    // Makes the tables ready; false when the library cannot be written.
    bool Open();
    // True once after a table was rebuilt.
    bool TakeRebuiltNotice();

    // Records one outcome (scramble: the library's texts are scrambled).
    // False when it could not be stored even after a rebuild; the game goes on.
    bool Record(const TWordEvent &event, const QDate &today, bool scramble);
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
    bool Guarded(const std::function<void()> &change);
    void EnsureTables();
    void WriteEvent(const TWordEvent &event, const QDate &today, bool scramble);
    void WriteBook(const QString &book, int tollGate, int score);

    TDataInterface &m_data;
    TMistakeBook m_mistakes;
    bool m_ready = false;
    bool m_rebuilt = false;
};
