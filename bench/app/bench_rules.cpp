// The board's hot paths and one settings read.

#include "UCommonFun.h"
#include "UIniFile.h"
#include "URandom.h"
#include "USpellGameType.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_DealTwelveLetterWord(benchmark::State &state)
{
    TSpellGameType board;
    board.Rules().StartGame({TWordInfo{QStringLiteral("neighborhood")}}, nullptr);
    for (auto _ : state)
        board.Rules().ClearSpelling(); // a fresh deal of the current word
}
BENCHMARK(BM_DealTwelveLetterWord);

void BM_FullPickSequence(benchmark::State &state)
{
    TSpellGameType board;
    const QString word = QStringLiteral("neighborhood");
    board.Rules().StartGame({TWordInfo{word}}, nullptr);
    for (auto _ : state) {
        board.Rules().ClearSpelling();
        for (const QChar c : word) {
            const TSpellItems &items = board.Items();
            for (int i = 0; i < items.size(); ++i) {
                if (!items[i].Picked && items[i].Letter == QString(c)) {
                    const int x = items[i].Left + 10, y = items[i].Top + 10;
                    board.UpdateHover(x, y);
                    board.ClickAt(x, y);
                    break;
                }
            }
        }
    }
}
BENCHMARK(BM_FullPickSequence);

void BM_SettingsRead(benchmark::State &state)
{
    QTemporaryDir dir;
    TIniFile ini(dir.filePath(QStringLiteral("spellconfig.ini")));
    ini.WriteString(QStringLiteral("system"), QStringLiteral("BookName"), QStringLiteral("《最新TOEFL词汇》"));
    ini.WriteInteger(QStringLiteral("system"), QStringLiteral("Level"), 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.ReadInteger(QStringLiteral("system"), QStringLiteral("Level"), 1));
}
BENCHMARK(BM_SettingsRead);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
