// The two costs the mistake book must keep low:
//  - recording one word's outcome (progress row, day count, mistake book, one
//    transaction) into a library of 10 books and 100,000 progress rows, run
//    10,000 times: each must stay under 1 ms on the UI thread;
//  - loading a toll gate of the mistake book against one of an ordinary book
//    of the same size (3,480 words): the ratio must stay at 1 or below.

#include "UDataInterface.h"
#include "UMistakeBook.h"
#include "USqlite.h"
#include "UWordProgress.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kBooks = 10;
constexpr int kProgressRows = 100000;
constexpr int kBookWords = 3480;
const QDate kToday(2026, 3, 2);

class TLibrary
{
public:
    static TLibrary &Instance()
    {
        static TLibrary library;
        return library;
    }
    TDataInterface &Data() { return m_data; }
    TWordProgress &Progress() { return m_progress; }

private:
    TLibrary()
    {
        m_data.CreateDatabase(m_dir.filePath(QStringLiteral("bench.mdb")), TDataInterface::DatabasePassword());
        m_data.BeginTransaction();
        for (int b = 1; b <= kBooks; ++b) {
            const QString table = QStringLiteral("lib%1").arg(b);
            m_data.AddBookInfo(QStringLiteral("Book %1").arg(b), kBookWords, table, 1, b);
            m_data.CreateWordTable(table);
            for (int i = 0; i < kBookWords; ++i)
                m_data.InsertWord(table, QStringLiteral("word%1").arg(i), QStringLiteral("'wɜːd%1").arg(i),
                                  QStringLiteral("n. 单词 %1").arg(i));
        }
        m_data.Commit();
        m_progress.Open();
        // Filling goes without waiting for the disk; the measured recordings
        // below run with the library's usual durability.
        TSqliteDatabase &db = m_data.Database();
        db.Exec(QStringLiteral("PRAGMA synchronous = OFF"));
        m_data.BeginTransaction();
        TSqliteStatement row(db.Handle(), QStringLiteral("INSERT INTO wordprogress(book, spelling, dealt, completed, "
                                                         "lastdate, seconds) VALUES(?, ?, 1, 1, ?, '4,9,12')"));
        for (int i = 0; i < kProgressRows; ++i) {
            row.Reset();
            row.Bind(1, QStringLiteral("lib%1").arg(1 + i % kBooks))
                .Bind(2, QStringLiteral("seen%1").arg(i))
                .Bind(3, kToday.addDays(-(i % 60)).toString(Qt::ISODate));
            row.Step();
        }
        m_data.Commit();
        // A mistake book as large as the ordinary book it is compared with.
        for (int i = 0; i < kBookWords; ++i) {
            TWordEvent event;
            event.Book = QStringLiteral("lib1");
            event.Word = TWordInfo{QStringLiteral("word%1").arg(i), QStringLiteral("'wɜːd%1").arg(i),
                                   QStringLiteral("n. 单词 %1").arg(i)};
            event.Outcome = TWordOutcome::Missed;
            m_progress.Record(event, kToday.addDays(-(i % 10)), false);
        }
        // Measured as the program opens its library, with its journal settings.
        m_data.ConnectDatabase(m_dir.filePath(QStringLiteral("bench.mdb")), TDataInterface::DatabasePassword());
        m_progress.Open();
    }

    QTemporaryDir m_dir;
    TDataInterface m_data;
    TWordProgress m_progress{m_data};
};

void BM_RecordWord(benchmark::State &state)
{
    TLibrary &library = TLibrary::Instance();
    int i = 0;
    for (auto _ : state) {
        TWordEvent event;
        event.Book = QStringLiteral("lib%1").arg(1 + i % kBooks);
        event.Word = TWordInfo{QStringLiteral("seen%1").arg((i * 7919) % kProgressRows), QString(), QString()};
        // Mostly completions, every fifth a miss, so the mistake book is written too.
        event.Outcome = i % 5 == 0 ? TWordOutcome::Missed : TWordOutcome::Completed;
        event.Seconds = i % 30;
        benchmark::DoNotOptimize(library.Progress().Record(event, kToday, false));
        ++i;
    }
}
BENCHMARK(BM_RecordWord)->Iterations(10000)->Unit(benchmark::kMicrosecond);

void BM_LoadTollGate(benchmark::State &state)
{
    TLibrary &library = TLibrary::Instance();
    const bool mistakes = state.range(0) == 1;
    const int gate = int(state.range(1)); // 1, or 116 in the middle of both books
    TMistakeBook book(library.Data());
    for (auto _ : state) {
        const TWordInfos words = mistakes ? book.LoadTollGate(gate, 15, false)
                                          : library.Data().LoadTollGate(QStringLiteral("lib1"), gate, 15, false);
        benchmark::DoNotOptimize(words.size());
    }
    state.SetLabel(mistakes ? "mistake book" : "ordinary book");
}
BENCHMARK(BM_LoadTollGate)->Args({0, 1})->Args({1, 1})->Args({0, 116})->Args({1, 116})->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
