// The floor for the speech latency: espeak-ng itself synthesising each word
// of the same toll gate with the voice and rate the program's fallback voice
// uses (en-us, 150 words a minute), whole, in the caller's thread, with
// nothing around it. bench_speech_latency / this is the share of the
// program's own path (board, speech object, worker thread, the hand-over to
// the output). Kept apart from bench_speech_latency because espeak-ng is one
// engine per process.

#include <espeak-ng/speak_lib.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

namespace {

const char *const kTollGate[] = {"abandon", "ability", "absent", "absorb", "abstract",
                                 "academic", "accent", "accept", "access", "accident",
                                 "accompany", "accomplish", "account", "accurate", "achieve"};

std::vector<short> g_samples;

int Collect(short *wav, int count, espeak_EVENT *)
{
    if (wav && count > 0)
        g_samples.insert(g_samples.end(), wav, wav + count);
    return 0;
}

bool Engine()
{
    static const bool ready = [] {
        if (espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT) <= 0)
            return false;
        espeak_SetSynthCallback(Collect);
        return espeak_SetVoiceByName("en-us") == EE_OK && espeak_SetParameter(espeakRATE, 150, 0) == EE_OK;
    }();
    return ready;
}

void BM_EspeakSynthesis(benchmark::State &state)
{
    if (!Engine()) {
        state.SkipWithError("espeak-ng did not start");
        return;
    }
    static int next = 0; // each repetition takes the next word
    for (auto _ : state) {
        const char *word = kTollGate[next++ % 15];
        g_samples.clear();
        const auto start = std::chrono::steady_clock::now();
        espeak_Synth(word, std::strlen(word) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (g_samples.empty())
            state.SkipWithError("no samples");
    }
}

} // namespace

// As the latency benchmark: one word per repetition, the median to read.
BENCHMARK(BM_EspeakSynthesis)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
