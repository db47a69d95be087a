// From the click that completes a word to the moment its speech is handed to
// the audio output, over the words of one toll gate: the board with the real
// sound player and speech object, once with flite's first preferred voice
// (what a new player hears) and once with the espeak-ng fallback, each with
// the next word's speech made ahead while it is being spelled (as the board
// asks on every deal) and without (synthesis on the click). One repetition
// per word; the median aggregate is the figure to read.

#include "BoardDriver.h"
#include "UBoardAudio.h"
#include "UCommonFun.h"
#include "UEngineSpeechLayer.h"
#include "UEspeakSpeechEngine.h"
#include "UFliteSpeechEngine.h"
#include "UPlatformAudio.h"
#include "USoundPlayer.h"
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
    explicit Rig(const QString &voice)
    {
        raw = new TEngineSpeechLayer(std::make_unique<TFliteSpeechEngine>(TSpeechEx::PreferredVoices()),
                                     std::make_unique<TEspeakSpeechEngine>());
        speech = std::make_unique<TSpeechEx>(std::unique_ptr<TSpeechLayer>(raw));
        ready = speech->CreateVoice(voice) && speech->CurrentVoice() == voice;
        player = std::make_unique<TSoundPlayer>(CreatePlatformAudioOutput());
        raw->SetOnPlay([this] {
            handedAt = std::chrono::steady_clock::now();
            played = true;
        });
        TWordInfos words;
        for (const char *w : kTollGate)
            words.append(TWordInfo{QString::fromLatin1(w), QString(), QString()});
        board.Rules().SetTollGateWords(15);
        sound = std::make_unique<TBoardAudio>(player.get(), speech.get(), GetAppPath() + QStringLiteral("sound/"));
        board.Rules().StartGame(words, sound.get());
        board.SetHasSpeech(true);
        player->StopStream(TBoardAudio::MusicStreamName());
    }
    bool ready = false;
    TEngineSpeechLayer *raw;
    std::unique_ptr<TSpeechEx> speech;
    std::unique_ptr<TSoundPlayer> player;
    std::unique_ptr<TBoardAudio> sound;
    TSpellGameType board;
    std::atomic<bool> played{false};
    std::chrono::steady_clock::time_point handedAt;
};

void CompletedWordToSpeech(benchmark::State &state, const QString &voice, bool prepared)
{
    // Kept to the end of the process: the board must not outlive the application.
    Rig &rig = *new Rig(voice);
    if (!rig.ready) {
        state.SkipWithError("the voice cannot speak here");
        return;
    }
    for (auto _ : state) {
        const QString word = rig.board.Rules().Words()[rig.board.Rules().WordIndex()].Spelling;
        if (prepared)
            rig.sound->Prepare(word);
        for (int i = 0; i + 1 < word.size(); ++i)
            ClickLetter(rig.board, word[i]);
        // A player takes longer than this over a word; the speech made ahead is ready by then.
        if (prepared)
            QThread::msleep(150);
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
        // Let the word end, so that the next one is neither dropped nor queued.
        while (rig.raw->FallbackIsSpeaking())
            QThread::msleep(5);
    }
}

void Register(const char *name, const QString &voice, bool prepared)
{
    benchmark::RegisterBenchmark(name, [voice, prepared](benchmark::State &state) {
        CompletedWordToSpeech(state, voice, prepared);
    })
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(15)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a device nothing reaches an output; the dummy driver plays in real time.
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    qputenv("GULUSPELL_HOME", QByteArray(GULUSPELL_PROGRAM_DIR));
    QApplication app(argc, argv);
    const QString flite = TSpeechEx::PreferredVoices().constFirst();
    const QString espeak = TSpeechEx::FallbackVoiceName();
    // The program's path: the first name is the figure bench/run.sh reports.
    Register("BM_CompletedWordToSpeech", flite, true);
    Register("BM_CompletedWordToSpeechUnprepared", flite, false);
    Register("BM_EspeakCompletedWordToSpeech", espeak, true);
    Register("BM_EspeakCompletedWordToSpeechUnprepared", espeak, false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
