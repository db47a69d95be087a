// One toll gate's load, from books of 3,480 and 1,000,000 words built in a
// temporary folder at the first use. Compared with the whole-table method:
// read every row in id order and skip to the toll gate's rows; and with its
// floor, a plain SELECT of the toll gate's 15 rows by id on the same
// connection (BM_LoadTollGate / BM_Select15Rows is the figure to watch).
//
// Arguments of each benchmark: the book's size and the toll gate's place
// (0 the first, 1 the middle, 2 the last), since the cost of skipping rows
// grows with the place.

#include "UCommonFun.h"
#include "UDataInterface.h"
#include "USqlite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

namespace {

constexpr int kGateWords = 15;

class TBooks
{
public:
    static TBooks &Instance()
    {
        static TBooks books;
        return books;
    }

    TDataInterface &Data() { return m_data; }
    QString FileName() const { return m_dir.filePath(QStringLiteral("data/bench.mdb")); }

    QString Table(int words)
    {
        const QString table = QStringLiteral("lib%1").arg(words);
        if (!m_data.TableExists(table)) {
            m_data.CreateWordTable(table);
            m_data.BeginTransaction();
            for (int i = 0; i < words; ++i)
                m_data.InsertWord(table, QStringLiteral("word%1").arg(i), QStringLiteral("'wɜːd%1").arg(i),
                                  QStringLiteral("n. 单词 %1").arg(i));
            m_data.Commit();
        }
        return table;
    }

private:
    // A program folder of its own, with settings as shipped (plain texts), so
    // each load reads the flag from a real settings file.
    TBooks()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("data"));
        QFile settings(m_dir.filePath(QStringLiteral("data/spellconfig.ini")));
        if (settings.open(QIODevice::WriteOnly))
            settings.write("[system]\r\ndata=bench\r\nencrypt=0\r\n");
        settings.close();
        qputenv("GULUSPELL_HOME", QFile::encodeName(m_dir.path()));
        m_data.CreateDatabase(FileName(), TDataInterface::DatabasePassword());
    }

    QTemporaryDir m_dir;
    TDataInterface m_data;
};

int GateIndex(int words, int place)
{
    const int gates = (words + kGateWords - 1) / kGateWords;
    return place == 0 ? 1 : place == 1 ? gates / 2 : gates;
}

void BM_LoadTollGate(benchmark::State &state)
{
    TBooks &books = TBooks::Instance();
    const int words = int(state.range(0));
    const QString table = books.Table(words);
    const int index = GateIndex(words, int(state.range(1)));
    for (auto _ : state) {
        TWordInfos gate = books.Data().LoadTollGate(table, index, kGateWords, false);
        if (gate.isEmpty())
            state.SkipWithError("empty toll gate");
        benchmark::DoNotOptimize(gate);
    }
}

// The whole-table method, on a connection of its own.
void BM_LoadTollGateWholeTable(benchmark::State &state)
{
    TBooks &books = TBooks::Instance();
    const int words = int(state.range(0));
    const QString table = books.Table(words);
    const int index = GateIndex(words, int(state.range(1)));
    TSqliteDatabase db(books.FileName(), TDataInterface::DatabasePassword(), false);
    for (auto _ : state) {
        TSqliteStatement query(db.Handle(), QStringLiteral("select * from %1 order by id").arg(table));
        QList<TWordInfo> rows; // all rows fetched at once, then the gate taken from them
        while (query.Step()) {
            TWordInfo word;
            word.Spelling = query.ColumnText(1);
            word.Pronunciation = query.ColumnText(2);
            word.Meaning = query.ColumnText(3);
            rows.append(word);
        }
        TWordInfos gate;
        for (qsizetype i = qsizetype(index - 1) * kGateWords; i < rows.size() && gate.size() < kGateWords; ++i)
            gate.append(rows[i]);
        benchmark::DoNotOptimize(gate);
    }
}

// The floor: one prepared SELECT of the 15 rows by their ids, read into words.
void BM_Select15Rows(benchmark::State &state)
{
    TBooks &books = TBooks::Instance();
    const int words = int(state.range(0));
    const QString table = books.Table(words);
    const int first = (GateIndex(words, int(state.range(1))) - 1) * kGateWords + 1;
    for (auto _ : state) {
        TSqliteStatement query(books.Data().Database().Handle(),
                               QStringLiteral("SELECT spelling, pronunciation, meaning FROM %1 WHERE id BETWEEN ? AND ?")
                                   .arg(table));
        query.Bind(1, first).Bind(2, first + kGateWords - 1);
        TWordInfos gate;
        while (query.Step())
            gate.append(TWordInfo{query.ColumnText(0), query.ColumnText(1), query.ColumnText(2)});
        if (gate.isEmpty())
            state.SkipWithError("empty toll gate");
        benchmark::DoNotOptimize(gate);
    }
}

} // namespace

BENCHMARK(BM_LoadTollGate)->ArgsProduct({{3480, 1000000}, {0, 1, 2}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Select15Rows)->ArgsProduct({{3480, 1000000}, {2}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadTollGateWholeTable)->ArgsProduct({{3480, 1000000}, {2}})->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
