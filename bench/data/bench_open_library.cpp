// The word library's share of start-up: opening the default library (key
// derivation and the first read) and loading its first toll gate, measured
// on the library the build made. Start-up runs the open on a worker thread
// while the window is built, so it stays hidden as long as it is shorter.

#include "UCommonFun.h"
#include "UDataInterface.h"
#include "USettings.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <benchmark/benchmark.h>

namespace {

bool UseProgramFolder(benchmark::State &state)
{
    qputenv("GULUSPELL_HOME", QByteArray(GULUSPELL_PROGRAM_DIR));
    if (QFileInfo::exists(TDataInterface::GetDatabaseFileName(TSettings::Program())))
        return true;
    state.SkipWithError("no default library in the program folder");
    return false;
}

void BM_OpenLibrary(benchmark::State &state)
{
    if (!UseProgramFolder(state))
        return;
    for (auto _ : state) {
        TDataInterface data;
        if (!data.ConnectDatabase(TSettings::Program()))
            state.SkipWithError("cannot open");
    }
}

void BM_OpenLibraryAndLoadFirstGate(benchmark::State &state)
{
    if (!UseProgramFolder(state))
        return;
    for (auto _ : state) {
        TDataInterface data;
        data.ConnectDatabase(TSettings::Program());
        TWordInfos gate = data.LoadTollGate(ReadSystemValue(QStringLiteral("StoreTableName")), 1, 15, false);
        if (gate.size() != 15)
            state.SkipWithError("no first toll gate");
        benchmark::DoNotOptimize(gate);
    }
}

} // namespace

BENCHMARK(BM_OpenLibrary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLibraryAndLoadFirstGate)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
