#include "UEspeakSpeechLayer.h"

#include "USdlOutput.h"

#include <QFile>

#include <espeak-ng/speak_lib.h>
#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <cstring>

namespace {

const QByteArray kAmericanVoice = QByteArrayLiteral("en-us");
constexpr int kOutputFrequency = 44100;
constexpr auto kPollInterval = std::chrono::milliseconds(5);

// Synthesis is synchronous, so the callback runs on the thread that asked
// for the samples: a per-thread sink needs no locking.
thread_local std::vector<short> *g_sink = nullptr;

int CollectSamples(short *wav, int count, espeak_EVENT *)
{
    if (wav && count > 0 && g_sink)
        g_sink->insert(g_sink->end(), wav, wav + count);
    return 0;
}

void PutLe(QByteArray &out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xff));
}

// SDL2_mixer converts a WAV image to the output's format, which spares us a
// resampler of our own.
QByteArray WavImage(const std::vector<short> &samples, int rate)
{
    const quint32 dataBytes = quint32(samples.size() * sizeof(short));
    QByteArray wav;
    wav.reserve(int(44 + dataBytes));
    wav.append("RIFF");
    PutLe(wav, 36 + dataBytes, 4);
    wav.append("WAVEfmt ");
    PutLe(wav, 16, 4);
    PutLe(wav, 1, 2); // PCM
    PutLe(wav, 1, 2); // mono
    PutLe(wav, quint32(rate), 4);
    PutLe(wav, quint32(rate) * 2, 4);
    PutLe(wav, 2, 2);
    PutLe(wav, 16, 2);
    wav.append("data");
    PutLe(wav, dataBytes, 4);
    for (short s : samples)
        PutLe(wav, quint16(s), 2);
    return wav;
}

// espeak-ng is one engine per process. It is set up by the first Connect and
// never shut down: espeak_Terminate can wait forever on its internal thread.
struct TEngine
{
    std::mutex Mutex; // every espeak-ng call runs under it
    bool Tried = false;
    int SampleRate = 0;
    QStringList VoiceNames;
    QList<QByteArray> VoiceIds;
    QByteArray AppliedVoice;
    int AppliedRate = -1;
};

TEngine &Engine()
{
    static TEngine engine;
    return engine;
}

} // namespace

TEspeakSpeechLayer::TEspeakSpeechLayer(const QString &dataPath)
    : m_dataPath(dataPath)
{
}

TEspeakSpeechLayer::~TEspeakSpeechLayer()
{
    {
        std::lock_guard lock(m_queueMutex);
        m_stopping = true;
        m_queue.clear();
    }
    m_wake.notify_all();
    const bool acquired = m_worker.joinable();
    if (acquired)
        m_worker.join();
    if (m_chunk) {
        Mix_HaltChannel(SdlOutput::kSpeechChannel);
        Mix_FreeChunk(m_chunk);
    }
    if (acquired)
        SdlOutput::Release();
}

void TEspeakSpeechLayer::PrepareEngine(const QString &dataPath)
{
    TEngine &engine = Engine();
    std::lock_guard lock(engine.Mutex);
    if (engine.Tried)
        return;
    engine.Tried = true;
    const QByteArray path = QFile::encodeName(dataPath);
    // Without DONT_EXIT espeak-ng ends the whole program when its data is missing.
    engine.SampleRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, path.isEmpty() ? nullptr : path.constData(),
                                          espeakINITIALIZE_DONT_EXIT);
    if (engine.SampleRate <= 0)
        return;
    espeak_SetSynthCallback(CollectSamples);
    // The installed voices do not change while the program runs.
    const espeak_VOICE **voices = espeak_ListVoices(nullptr);
    for (int i = 0; voices && voices[i]; ++i) {
        engine.VoiceNames.append(QString::fromUtf8(voices[i]->name));
        engine.VoiceIds.append(QByteArray(voices[i]->identifier));
    }
}

bool TEspeakSpeechLayer::Connect()
{
    if (m_connected)
        return true;
    PrepareEngine(m_dataPath);
    {
        std::lock_guard lock(Engine().Mutex);
        if (Engine().SampleRate <= 0)
            return false;
        m_sampleRate = Engine().SampleRate;
        m_connected = true;
    }
    // The worker opens the output while this thread chooses the voice; a
    // missing sound device is not a speech failure, speech is then silent.
    m_worker = std::thread(&TEspeakSpeechLayer::Run, this);
    return true;
}

QStringList TEspeakSpeechLayer::VoiceDescriptions()
{
    if (!m_connected)
        return {};
    std::lock_guard lock(Engine().Mutex);
    return Engine().VoiceNames;
}

bool TEspeakSpeechLayer::SelectVoice(int index)
{
    std::lock_guard lock(Engine().Mutex);
    const QList<QByteArray> &ids = Engine().VoiceIds;
    if (!m_connected || index < 0 || index >= ids.size())
        return false;
    // Names may repeat; the identifier (the voice file) is unique.
    if (!ApplyVoiceLocked(ids[index], espeakRATE_NORMAL))
        return false;
    m_primaryVoice = ids[index];
    return true;
}

bool TEspeakSpeechLayer::SpeakQueued(const QString &text)
{
    if (!m_connected)
        return false;
    {
        std::lock_guard lock(m_queueMutex);
        m_queue.push_back({text.toUtf8(), false});
    }
    m_wake.notify_one();
    return true;
}

bool TEspeakSpeechLayer::CreateFallback()
{
    std::lock_guard lock(Engine().Mutex);
    if (!m_connected || !ApplyVoiceLocked(kAmericanVoice, espeakRATE_NORMAL))
        return false;
    m_fallbackVoice = kAmericanVoice;
    m_fallbackRate = espeakRATE_NORMAL;
    return true;
}

bool TEspeakSpeechLayer::SetFallbackRate(int wordsPerMinute)
{
    std::lock_guard lock(Engine().Mutex);
    if (m_fallbackVoice.isEmpty() || wordsPerMinute < espeakRATE_MINIMUM || wordsPerMinute > espeakRATE_MAXIMUM)
        return false;
    m_fallbackRate = wordsPerMinute;
    return true;
}

bool TEspeakSpeechLayer::FallbackIsSpeaking()
{
    {
        std::lock_guard lock(m_queueMutex);
        if (m_working || !m_queue.empty())
            return true;
    }
    return ChannelBusy();
}

bool TEspeakSpeechLayer::FallbackSpeak(const QString &text)
{
    {
        std::lock_guard lock(Engine().Mutex);
        if (m_fallbackVoice.isEmpty())
            return false;
    }
    {
        std::lock_guard lock(m_queueMutex);
        m_queue.clear(); // this engine does not queue
        m_queue.push_back({text.toUtf8(), true});
    }
    m_wake.notify_one();
    return true;
}

std::vector<short> TEspeakSpeechLayer::Synthesise(const QString &text)
{
    std::lock_guard lock(Engine().Mutex);
    if (!m_connected)
        return {};
    return SynthesiseLocked(text.toUtf8(), true);
}

void TEspeakSpeechLayer::SetOnPlay(std::function<void()> onPlay)
{
    std::lock_guard lock(m_queueMutex);
    m_onPlay = std::move(onPlay);
}

bool TEspeakSpeechLayer::ApplyVoiceLocked(const QByteArray &voice, int rate)
{
    TEngine &engine = Engine();
    if (voice != engine.AppliedVoice) {
        if (espeak_SetVoiceByName(voice.constData()) != EE_OK)
            return false;
        engine.AppliedVoice = voice;
        engine.AppliedRate = -1; // a new voice starts at its own rate
    }
    if (rate != engine.AppliedRate) {
        if (espeak_SetParameter(espeakRATE, rate, 0) != EE_OK)
            return false;
        engine.AppliedRate = rate;
    }
    return true;
}

std::vector<short> TEspeakSpeechLayer::SynthesiseLocked(const QByteArray &text, bool fallback)
{
    std::vector<short> samples;
    const QByteArray voice = fallback ? m_fallbackVoice : m_primaryVoice;
    const int rate = fallback ? m_fallbackRate : espeakRATE_NORMAL;
    if (!ApplyVoiceLocked(voice.isEmpty() ? kAmericanVoice : voice, rate > 0 ? rate : espeakRATE_NORMAL))
        return samples;
    g_sink = &samples;
    espeak_Synth(text.constData(), size_t(text.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                 nullptr, nullptr);
    g_sink = nullptr;
    return samples;
}

bool TEspeakSpeechLayer::ChannelBusy() const
{
    return m_outputOpen && Mix_Playing(SdlOutput::kSpeechChannel);
}

void TEspeakSpeechLayer::Run()
{
    m_outputOpen = SdlOutput::Acquire(kOutputFrequency);
    for (;;) {
        TRequest request;
        {
            std::unique_lock lock(m_queueMutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_stopping)
                return;
            request = std::move(m_queue.front());
            m_queue.pop_front();
            m_working = true;
        }
        std::vector<short> samples;
        {
            std::lock_guard lock(Engine().Mutex);
            samples = SynthesiseLocked(request.Text, request.Fallback);
        }
        Play(samples, request.Fallback);
        std::lock_guard lock(m_queueMutex);
        m_working = false;
    }
}

void TEspeakSpeechLayer::Play(const std::vector<short> &samples, bool cutOff)
{
    if (!m_outputOpen || samples.empty())
        return;
    if (!cutOff) {
        // Queued speech waits for the utterance before it to end.
        for (;;) {
            {
                std::lock_guard lock(m_queueMutex);
                if (m_stopping)
                    return;
            }
            if (!Mix_Playing(SdlOutput::kSpeechChannel))
                break;
            std::this_thread::sleep_for(kPollInterval);
        }
    }
    Mix_HaltChannel(SdlOutput::kSpeechChannel);
    if (m_chunk) {
        Mix_FreeChunk(m_chunk);
        m_chunk = nullptr;
    }
    const QByteArray wav = WavImage(samples, m_sampleRate);
    m_chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(wav.constData(), wav.size()), 1);
    if (!m_chunk || Mix_PlayChannel(SdlOutput::kSpeechChannel, m_chunk, 0) < 0)
        return;
    std::function<void()> onPlay;
    {
        std::lock_guard lock(m_queueMutex);
        onPlay = m_onPlay;
    }
    if (onPlay)
        onPlay();
}
