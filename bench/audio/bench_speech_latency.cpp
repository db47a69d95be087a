// From the click that completes a word to the moment its speech is handed to
// the audio output, over the words of one toll gate: the board with the real
// sound player and speech object, espeak-ng speaking through the fallback
// voice as on any Linux machine. One repetition per word; the median
// aggregate is the figure to read.

#include "BoardDriver.h"
#include "UBassEx.h"
#include "UBoardAudio.h"
#include "UCommonFun.h"
#include "UEspeakSpeechLayer.h"
#include "UPlatformAudio.h"
#include "USpeechEx.h"
#include "USpellGameType.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>

namespace {

const char *const kTollGate[] = {"abandon", "ability", "absent", "absorb", "abstract",
                                 "academic", "accent", "accept", "access", "accident",
                                 "accompany", "accomplish", "account", "accurate", "achieve"};

struct Rig
{
    Rig()
    {
        raw = new TEspeakSpeechLayer;
        speech = std::make_unique<TSpeechEx>(std::unique_ptr<TSpeechLayer>(raw));
        speech->CreateVoice();
        bass = std::make_unique<TBassEx>(CreatePlatformAudioLayer(), 0);
        raw->SetOnPlay([this] {
            handedAt = std::chrono::steady_clock::now();
            played = true;
        });
        TWordInfos words;
        for (const char *w : kTollGate)
            words.append(TWordInfo{QString::fromLatin1(w), QString(), QString()});
        board.Rules().SetTollGateWords(15);
        sound = std::make_unique<TBoardAudio>(bass.get(), speech.get(), GetAppPath() + QStringLiteral("sound/"));
        board.Rules().StartGame(words, sound.get());
        board.SetHasSpeech(true);
        bass->StopStream(QStringLiteral("spellback"));
    }
    TEspeakSpeechLayer *raw;
    std::unique_ptr<TSpeechEx> speech;
    std::unique_ptr<TBassEx> bass;
    std::unique_ptr<TBoardAudio> sound;
    TSpellGameType board;
    std::atomic<bool> played{false};
    std::chrono::steady_clock::time_point handedAt;
};

void BM_CompletedWordToSpeech(benchmark::State &state)
{
    // Kept to the end of the process: the board must not outlive the application.
    static Rig &rig = *new Rig;
    for (auto _ : state) {
        const QString word = rig.board.Rules().Words()[rig.board.Rules().WordIndex()].Spelling;
        for (int i = 0; i + 1 < word.size(); ++i)
            ClickLetter(rig.board, word[i]);
        rig.played = false;
        const auto clicked = std::chrono::steady_clock::now();
        ClickLetter(rig.board, word.back());
        QElapsedTimer wait;
        wait.start();
        while (!rig.played && wait.elapsed() < 3000)
            QThread::usleep(200);
        if (!rig.played) {
            state.SkipWithError("no speech reached the output");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(rig.handedAt - clicked).count());
        // The fallback voice drops words handed in while it speaks: let it finish.
        while (rig.raw->FallbackIsSpeaking())
            QThread::msleep(5);
    }
}

} // namespace

BENCHMARK(BM_CompletedWordToSpeech)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a device nothing reaches an output; the dummy driver plays in real time.
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    qputenv("GULUSPELL_HOME", QByteArray(GULUSPELL_PROGRAM_DIR));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
