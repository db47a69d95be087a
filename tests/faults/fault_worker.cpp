// Runs one writing operation of the program on the program folder named by
// GULUSPELL_HOME, for the fault tests to kill at a random moment:
//
//   fault_worker settings N     saves the game of step N, N+1, ... to the settings file
//   fault_worker recent N       adds the game of step N, N+1, ... to "UseRecord.txt"
//   fault_worker score N        stores ranking records with scores N, N+1, ...
//   fault_worker import FILE T  imports FILE as the book titled T
//
// "ready" is written to standard output when the operation begins; the
// repeated ones go on until killed (or for at most a minute, should the test
// be gone), the import writes "done <1|0> <milliseconds>" at its end.

#include "FaultSteps.h"
#include "UCommonFun.h"
#include "UDataInterface.h"
#include "UImpExpLib.h"
#include "URecentGames.h"
#include "USettings.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

void Say(const QByteArray &line)
{
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Runs step(first), step(first + 1), ... until killed or a minute is over.
int Repeat(int first, const std::function<bool(int)> &step)
{
    QElapsedTimer alive;
    alive.start();
    Say("ready");
    for (int n = first; alive.elapsed() < 60000; ++n)
        if (!step(n))
            return 1;
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QByteArray operation = argv[1];
    const TSettings settings(GetAppPath());
    const int first = QByteArray(argv[2]).toInt();

    if (operation == "settings")
        return Repeat(first, [&](int n) { return settings.SaveGamePara(FaultGame(n)); });
    if (operation == "recent") {
        const TRecentGames recent(settings.ProgramDir() + QStringLiteral("UseRecord.txt"));
        return Repeat(first, [&](int n) { return recent.Add(FaultGame(n)); });
    }

    TDataInterface data;
    if (!data.ConnectDatabase(settings))
        return 3;
    if (operation == "score") {
        return Repeat(first, [&](int n) {
            try {
                return data.AddGameRecord(FaultPlayer(), n);
            } catch (const EDatabaseError &) {
                return false;
            }
        });
    }
    if (operation == "import" && argc >= 4) {
        QElapsedTimer took;
        took.start();
        Say("ready");
        const bool ok = ImportWordLib(data, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), 1,
                                      settings.IsEncrypt(), [](int, TLineFault) { return true; });
        Say("done " + QByteArray::number(int(ok)) + ' ' + QByteArray::number(took.elapsed()));
        return ok ? 0 : 1;
    }
    return 2;
}
