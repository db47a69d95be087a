// Import speed of a 200,000-line word file, plain and scrambled, compared
// with the sqlcipher command-line tool inserting the same rows into the same
// kind of keyed database in one transaction (the engine's practical limit);
// and the opening of the book dialog on a catalogue of 1,000 books.
//
// Run: bench_books [--benchmark_filter=...]. Needs /usr/bin/sqlcipher for
// the comparison; without it the tool counters stay 0.

#include "UCommonFun.h"
#include "UDataInterface.h"
#include "UFrmSelectBook.h"
#include "UImpExpLib.h"
#include "UScramble.h"
#include "UTextCodec.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kLines = 200000;

class TBenchHome
{
public:
    TBenchHome()
    {
        qputenv("GULUSPELL_HOME", m_dir.path().toLocal8Bit());
        QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    }
    QString File(const QString &relative) const { return m_dir.path() + QLatin1Char('/') + relative; }
    void SetEncrypt(bool on) const
    {
        Write(QStringLiteral("data/spellconfig.ini"),
              QStringLiteral("[system]\r\ndata=guluspell\r\nencrypt=%1\r\n").arg(on ? 1 : 0).toLatin1());
    }
    void Write(const QString &relative, const QByteArray &bytes) const
    {
        QFile file(File(relative));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

private:
    QTemporaryDir m_dir;
};

TWordLine GeneratedWord(int i)
{
    return {QStringLiteral("word%1").arg(i), QStringLiteral("2'b0nd2n%1").arg(i % 97),
            QStringLiteral("vt. 放弃, 抛弃, 遗弃 %1").arg(i)};
}

QByteArray WordFile()
{
    QString text;
    for (int i = 1; i <= kLines; ++i) {
        const TWordLine w = GeneratedWord(i);
        text += w.Spelling + QLatin1Char('[') + w.Pronunciation + QLatin1Char(']') + w.Meaning + QStringLiteral("\r\n");
    }
    return EncodeGbk(text);
}

QString SqlText(const QString &text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

// The same rows the import stores, as one script for the command-line tool.
QByteArray ToolScript(bool encrypt)
{
    QString sql = QStringLiteral("PRAGMA key=%1;\n").arg(SqlText(TDataInterface::DatabasePassword()));
    sql += QStringLiteral("CREATE TABLE lib1(id INTEGER PRIMARY KEY AUTOINCREMENT,"
                          "spelling TEXT NOT NULL DEFAULT '' CHECK(length(spelling) <= 255),"
                          "pronunciation TEXT NOT NULL DEFAULT '' CHECK(length(pronunciation) <= 200),"
                          "meaning TEXT NOT NULL DEFAULT '' CHECK(length(meaning) <= 255));\nBEGIN;\n");
    for (int i = 1; i <= kLines; ++i) {
        TWordLine w = GeneratedWord(i);
        w.Pronunciation = ConvertPhonetic(w.Pronunciation);
        if (encrypt) {
            w.Spelling = ScrambleText(w.Spelling);
            w.Pronunciation = ScrambleText(w.Pronunciation);
            w.Meaning = ScrambleText(w.Meaning);
        }
        sql += QStringLiteral("INSERT INTO lib1(spelling,pronunciation,meaning) VALUES(%1,%2,%3);\n")
                   .arg(SqlText(w.Spelling), SqlText(w.Pronunciation), SqlText(w.Meaning));
    }
    sql += QStringLiteral("COMMIT;\n");
    return sql.toUtf8();
}

void BM_ImportWordFile(benchmark::State &state)
{
    const bool encrypt = state.range(0) != 0;
    // As the dialog does it: move the bar and let the window repaint.
    TImportProgress progress;
    if (state.range(1) != 0)
        progress = [](int, int) { QApplication::processEvents(); };
    TBenchHome home;
    home.SetEncrypt(encrypt);
    home.Write(QStringLiteral("words.txt"), WordFile());
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("sqlcipher"));
    if (!tool.isEmpty())
        home.Write(QStringLiteral("tool.sql"), ToolScript(encrypt));

    double importSeconds = 0;
    double toolSeconds = 0;
    int round = 0;
    for (auto _ : state) {
        const QString dbFile = home.File(QStringLiteral("data/import%1.mdb").arg(++round));
        {
            TDataInterface data;
            data.CreateDatabase(dbFile, TDataInterface::DatabasePassword());
        }
        QElapsedTimer timer;
        timer.start();
        {
            TDataInterface data;
            if (!data.ConnectDatabase(dbFile, TDataInterface::DatabasePassword())
                || !ImportWordLib(data, home.File(QStringLiteral("words.txt")), QStringLiteral("bench"), 4, false,
                                  [](int, TLineFault) { return true; }, progress))
                state.SkipWithError("import failed");
        }
        const double seconds = timer.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        importSeconds += seconds;

        if (!tool.isEmpty()) {
            QProcess process;
            process.setStandardInputFile(home.File(QStringLiteral("tool.sql")));
            process.setStandardOutputFile(QProcess::nullDevice());
            timer.restart();
            process.start(tool, {home.File(QStringLiteral("data/tool%1.db").arg(round))});
            process.waitForFinished(-1);
            toolSeconds += timer.nsecsElapsed() / 1e9;
        }
    }
    state.SetItemsProcessed(state.iterations() * kLines);
    state.counters["lines_per_s"] = benchmark::Counter(double(kLines) * state.iterations() / importSeconds);
    state.counters["tool_ms"] = toolSeconds * 1000 / state.iterations();
    state.counters["x_tool"] = toolSeconds > 0 ? importSeconds / toolSeconds : 0;
}
BENCHMARK(BM_ImportWordFile)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->ArgNames({"scrambled", "repaint"})->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_OpenBookDialogWith1000Books(benchmark::State &state)
{
    TBenchHome home;
    home.SetEncrypt(false);
    TDataInterface data;
    data.CreateDatabase(home.File(QStringLiteral("data/guluspell.mdb")), TDataInterface::DatabasePassword());
    data.BeginTransaction();
    for (int id = 1; id <= 1000; ++id)
        data.AddBookInfo(QStringLiteral("《第%1册》").arg(id), 15 * id, QStringLiteral("lib%1").arg(id), 1 + id % 8, id);
    data.Commit();
    for (auto _ : state) {
        TFrmSelectBook dialog(data);
        dialog.GamePara().BookName = QStringLiteral("《第999册》");
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.GamePara());
    }
}
BENCHMARK(BM_OpenBookDialogWith1000Books)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
