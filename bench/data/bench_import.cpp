// Importing a word book of 100,000 lines (spelling[pronunciation]meaning,
// UTF-8) into a new library: the library created and keyed, the file read,
// checked, split and stored. Its floor is the sqlcipher command-line tool
// importing the same rows as CSV into a new library with the same key and
// the same word table; bench/run.sh times that with the files that
//   bench_import --write-cli <folder>
// leaves in the folder (rows.csv and import.sql, to run as
// "sqlcipher new.mdb < import.sql" from inside the folder).

#include "UDataInterface.h"
#include "UImpExpLib.h"
#include "USqlite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

namespace {

constexpr int kRows = 100000;

QString Spelling(int i) { return QStringLiteral("word%1").arg(i); }
QString Meaning(int i) { return QStringLiteral("n. 单词；字 %1").arg(i); }
const QString kPronunciation = QStringLiteral("wɜːd");

QByteArray WordFile()
{
    QByteArray text;
    for (int i = 0; i < kRows; ++i)
        text += (Spelling(i) + QLatin1Char('[') + kPronunciation + QLatin1Char(']') + Meaning(i)).toUtf8() + "\r\n";
    return text;
}

bool WriteFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void BM_ImportWordBook(benchmark::State &state)
{
    static QTemporaryDir dir;
    const QString words = dir.filePath(QStringLiteral("words.txt"));
    if (!QFile::exists(words))
        WriteFile(words, WordFile());
    int run = 0;
    for (auto _ : state) {
        const QString library = dir.filePath(QStringLiteral("import%1.mdb").arg(run++));
        const auto start = std::chrono::steady_clock::now();
        bool imported = false;
        {
            TDataInterface data;
            imported = data.CreateDatabase(library, TDataInterface::DatabasePassword())
                       && ImportWordLib(data, words, QStringLiteral("bench"), 1, false, [](int, TLineFault) { return true; });
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (!imported)
            state.SkipWithError("import failed");
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(library + QLatin1String(suffix));
    }
}

// The same rows for the command-line tool, and its script: the key, the
// program's own word table (its CREATE statement read back from a library
// the program made), one .import.
int WriteCliFiles(const QString &folder)
{
    QByteArray csv;
    for (int i = 0; i < kRows; ++i)
        csv += (QString::number(i + 1) + QLatin1Char(',') + Spelling(i) + QLatin1Char(',') + kPronunciation
                + QLatin1Char(',') + Meaning(i))
                   .toUtf8()
               + "\n";
    QTemporaryDir dir;
    QString create;
    {
        TDataInterface data;
        if (!data.CreateDatabase(dir.filePath(QStringLiteral("schema.mdb")), TDataInterface::DatabasePassword())
            || !data.CreateWordTable(QStringLiteral("lib1")))
            return 1;
        TSqliteStatement query(data.Database().Handle(),
                               QStringLiteral("SELECT sql FROM sqlite_master WHERE name = 'lib1'"));
        if (!query.Step())
            return 1;
        create = query.ColumnText(0);
    }
    const QByteArray script = "PRAGMA key = '" + TDataInterface::DatabasePassword().toUtf8() + "';\n"
                              + create.toUtf8() + ";\n.mode csv\n.import rows.csv lib1\n";
    return WriteFile(QDir(folder).filePath(QStringLiteral("rows.csv")), csv)
                   && WriteFile(QDir(folder).filePath(QStringLiteral("import.sql")), script)
               ? 0
               : 1;
}

} // namespace

BENCHMARK(BM_ImportWordBook)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--write-cli") == 0)
        return WriteCliFiles(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
