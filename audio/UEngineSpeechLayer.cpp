#include "UEngineSpeechLayer.h"

#include "USdlOutput.h"

#include <QByteArray>
#include <QtEndian>

#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <cstring>

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(5);

// The 44-byte header of a PCM WAV image, in file order.
struct TWavHeader
{
    char Riff[4];
    quint32 RiffSize;
    char WaveFmt[8];
    quint32 FmtSize;
    quint16 Format;
    quint16 Channels;
    quint32 Rate;
    quint32 ByteRate;
    quint16 BlockAlign;
    quint16 Bits;
    char Data[4];
    quint32 DataSize;
};
static_assert(sizeof(TWavHeader) == 44);

// SDL2_mixer converts a WAV image to the output's format, which spares us a
// resampler of our own. Built in one pass: the header, then the samples.
QByteArray WavImage(const TSpeechSamples &speech)
{
    const quint32 dataBytes = quint32(speech.Samples.size() * sizeof(short));
    const TWavHeader header{{'R', 'I', 'F', 'F'},
                            qToLittleEndian(quint32(36 + dataBytes)),
                            {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '},
                            qToLittleEndian(quint32(16)),
                            qToLittleEndian(quint16(1)), // PCM
                            qToLittleEndian(quint16(1)), // mono
                            qToLittleEndian(quint32(speech.Rate)),
                            qToLittleEndian(quint32(speech.Rate) * 2),
                            qToLittleEndian(quint16(2)),
                            qToLittleEndian(quint16(16)),
                            {'d', 'a', 't', 'a'},
                            qToLittleEndian(dataBytes)};
    QByteArray wav(qsizetype(sizeof header + dataBytes), Qt::Uninitialized);
    std::memcpy(wav.data(), &header, sizeof header);
    qToLittleEndian<qint16>(speech.Samples.data(), qsizetype(speech.Samples.size()), wav.data() + sizeof header);
    return wav;
}

} // namespace

TEngineSpeechLayer::TEngineSpeechLayer(std::unique_ptr<TSpeechEngine> preferred,
                                       std::unique_ptr<TSpeechEngine> fallback)
    : m_preferred(std::move(preferred))
    , m_fallback(std::move(fallback))
{
}

TEngineSpeechLayer::~TEngineSpeechLayer()
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
    if (m_playing) {
        Mix_HaltChannel(SdlOutput::kSpeechChannel);
        Mix_FreeChunk(m_playing);
    }
    if (m_prepared.Chunk)
        Mix_FreeChunk(m_prepared.Chunk);
    if (acquired)
        SdlOutput::Release();
}

bool TEngineSpeechLayer::Connect()
{
    if (m_connected)
        return true;
    {
        std::lock_guard lock(m_engineMutex);
        m_preferredUp = m_preferred && m_preferred->Start();
        // The fallback is started only when it is asked for.
        if (!m_preferredUp && !m_fallback)
            return false;
    }
    m_connected = true;
    // The worker opens the output while this thread chooses the voice; a
    // missing sound device is not a speech failure, speech is then silent.
    m_worker = std::thread(&TEngineSpeechLayer::Run, this);
    return true;
}

QStringList TEngineSpeechLayer::VoiceDescriptions()
{
    std::lock_guard lock(m_engineMutex);
    return m_preferredUp ? m_preferred->Voices() : QStringList();
}

bool TEngineSpeechLayer::SelectVoice(int index)
{
    std::lock_guard lock(m_engineMutex);
    m_voiceLoaded = m_preferredUp && m_preferred->LoadVoice(index);
    ++m_generation;
    return m_voiceLoaded;
}

bool TEngineSpeechLayer::TestVoice()
{
    std::lock_guard lock(m_engineMutex);
    return m_voiceLoaded && m_preferred->TestVoice();
}

bool TEngineSpeechLayer::SpeakQueued(const QString &text)
{
    {
        std::lock_guard lock(m_engineMutex);
        if (!m_voiceLoaded)
            return false;
    }
    Enqueue({text, false, false});
    return true;
}

bool TEngineSpeechLayer::CreateFallback()
{
    std::lock_guard lock(m_engineMutex);
    if (!m_fallbackUp)
        m_fallbackUp = m_connected && m_fallback && m_fallback->Start();
    return m_fallbackUp;
}

bool TEngineSpeechLayer::SetFallbackRate(int wordsPerMinute)
{
    std::lock_guard lock(m_engineMutex);
    ++m_generation;
    return m_fallbackUp && m_fallback->SetRate(wordsPerMinute);
}

bool TEngineSpeechLayer::FallbackIsSpeaking()
{
    {
        std::lock_guard lock(m_queueMutex);
        if (m_speaking)
            return true;
        for (const TRequest &request : m_queue)
            if (!request.PrepareOnly)
                return true;
    }
    return ChannelBusy();
}

bool TEngineSpeechLayer::FallbackSpeak(const QString &text)
{
    {
        std::lock_guard lock(m_engineMutex);
        if (!m_fallbackUp)
            return false;
    }
    {
        // This engine does not queue: only the text being prepared stays.
        std::lock_guard lock(m_queueMutex);
        std::erase_if(m_queue, [](const TRequest &request) { return !request.PrepareOnly; });
    }
    Enqueue({text, true, false});
    return true;
}

void TEngineSpeechLayer::SetStretch(double stretch)
{
    std::lock_guard lock(m_engineMutex);
    if (stretch != m_stretch) {
        m_stretch = stretch;
        ++m_generation;
    }
}

void TEngineSpeechLayer::Prepare(const QString &text, bool fallback)
{
    if (!m_connected)
        return;
    {
        // Only the latest word dealt is worth making ahead.
        std::lock_guard lock(m_queueMutex);
        std::erase_if(m_queue, [](const TRequest &request) { return request.PrepareOnly; });
    }
    Enqueue({text, fallback, true});
}

TSpeechSamples TEngineSpeechLayer::Synthesise(const QString &text, bool fallback)
{
    std::lock_guard lock(m_engineMutex);
    if (fallback ? !m_fallbackUp : !m_voiceLoaded)
        return {};
    return (fallback ? m_fallback : m_preferred)->Synthesise(text, m_stretch);
}

void TEngineSpeechLayer::SetOnPlay(std::function<void()> onPlay)
{
    std::lock_guard lock(m_queueMutex);
    m_onPlay = std::move(onPlay);
}

void TEngineSpeechLayer::Enqueue(TRequest request)
{
    if (!m_connected)
        return;
    {
        std::lock_guard lock(m_queueMutex);
        m_queue.push_back(std::move(request));
    }
    m_wake.notify_one();
}

bool TEngineSpeechLayer::ChannelBusy() const
{
    return m_outputOpen && Mix_Playing(SdlOutput::kSpeechChannel);
}

void TEngineSpeechLayer::Run()
{
    m_outputOpen = SdlOutput::Acquire();
    for (;;) {
        TRequest request;
        {
            std::unique_lock lock(m_queueMutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_stopping)
                return;
            request = std::move(m_queue.front());
            m_queue.pop_front();
            m_speaking = !request.PrepareOnly;
        }
        // Without an output there is nothing to make samples for.
        if (m_outputOpen) {
            Mix_Chunk *chunk = TakePrepared(request);
            quint64 generation = 0;
            if (!chunk)
                chunk = Render(request, generation);
            if (request.PrepareOnly)
                KeepPrepared(request, generation, chunk);
            else
                Play(chunk, request.Fallback);
        }
        std::lock_guard lock(m_queueMutex);
        m_speaking = false;
    }
}

Mix_Chunk *TEngineSpeechLayer::Render(const TRequest &request, quint64 &generation)
{
    TSpeechSamples samples;
    {
        std::lock_guard lock(m_engineMutex);
        generation = m_generation;
        if (request.Fallback ? m_fallbackUp : m_voiceLoaded)
            samples = (request.Fallback ? m_fallback : m_preferred)->Synthesise(request.Text, m_stretch);
    }
    if (samples.Samples.empty() || samples.Rate <= 0)
        return nullptr;
    const QByteArray wav = WavImage(samples);
    return Mix_LoadWAV_RW(SDL_RWFromConstMem(wav.constData(), int(wav.size())), 1);
}

Mix_Chunk *TEngineSpeechLayer::TakePrepared(const TRequest &request)
{
    quint64 generation;
    {
        std::lock_guard lock(m_engineMutex);
        generation = m_generation;
    }
    if (!m_prepared.Chunk || m_prepared.Text != request.Text || m_prepared.Fallback != request.Fallback
        || m_prepared.Generation != generation)
        return nullptr;
    // A prepare of the word already prepared keeps it where it is.
    if (request.PrepareOnly)
        return m_prepared.Chunk;
    Mix_Chunk *chunk = m_prepared.Chunk;
    m_prepared = {};
    return chunk;
}

void TEngineSpeechLayer::KeepPrepared(const TRequest &request, quint64 generation, Mix_Chunk *chunk)
{
    if (chunk == m_prepared.Chunk)
        return;
    if (m_prepared.Chunk)
        Mix_FreeChunk(m_prepared.Chunk);
    m_prepared = {request.Text, request.Fallback, generation, chunk};
}

void TEngineSpeechLayer::Play(Mix_Chunk *chunk, bool cutOff)
{
    if (!chunk)
        return;
    if (!cutOff) {
        // Queued speech waits for the utterance before it to end.
        for (;;) {
            {
                std::lock_guard lock(m_queueMutex);
                if (m_stopping) {
                    Mix_FreeChunk(chunk);
                    return;
                }
            }
            if (!Mix_Playing(SdlOutput::kSpeechChannel))
                break;
            std::this_thread::sleep_for(kPollInterval);
        }
    }
    Mix_HaltChannel(SdlOutput::kSpeechChannel);
    if (m_playing)
        Mix_FreeChunk(m_playing);
    m_playing = chunk;
    if (Mix_PlayChannel(SdlOutput::kSpeechChannel, m_playing, 0) < 0)
        return;
    std::function<void()> onPlay;
    {
        std::lock_guard lock(m_queueMutex);
        onPlay = m_onPlay;
    }
    if (onPlay)
        onPlay();
}
