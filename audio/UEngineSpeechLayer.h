#pragma once
// The speech layer over two speech engines: a preferred one with voices to
// choose from (flite in the program) and a fallback (espeak-ng). Text is
// synthesised on a worker thread of the layer's own and played on the speech
// channel of the shared SDL2_mixer output, so speech mixes with the effects.
// Without a sound device nothing is synthesised and nothing is heard.
//
// The worker also makes ahead the samples of the text it is told will come
// next (Prepare): speaking that text then only hands them to the output.
// Queued speech waits for the utterance before it; fallback speech cuts off
// whatever is still sounding.

#include "USpeechEngine.h"
#include "USpeechLayer.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

struct Mix_Chunk;

class TEngineSpeechLayer : public TSpeechLayer
{
public:
    // Either engine may be null: that half of the layer then fails.
    TEngineSpeechLayer(std::unique_ptr<TSpeechEngine> preferred, std::unique_ptr<TSpeechEngine> fallback);
    ~TEngineSpeechLayer() override;
    TEngineSpeechLayer(const TEngineSpeechLayer &) = delete;
    TEngineSpeechLayer &operator=(const TEngineSpeechLayer &) = delete;

    bool Connect() override;
    QStringList VoiceDescriptions() override;
    bool SelectVoice(int index) override;
    bool TestVoice() override;
    bool SpeakQueued(const QString &text) override;

    bool CreateFallback() override;
    bool SetFallbackRate(int wordsPerMinute) override;
    bool FallbackIsSpeaking() override;
    bool FallbackSpeak(const QString &text) override;

    void SetStretch(double stretch) override;
    void Prepare(const QString &text, bool fallback) override;

    // Renders text as the given engine would speak it now, without playing it.
    TSpeechSamples Synthesise(const QString &text, bool fallback);
    // Called on the worker thread each time an utterance is handed to the
    // audio output (for measurements).
    void SetOnPlay(std::function<void()> onPlay);

private:
    struct TRequest
    {
        QString Text;
        bool Fallback = false;
        bool PrepareOnly = false;
    };
    struct TPrepared
    {
        QString Text;
        bool Fallback = false;
        quint64 Generation = 0;
        Mix_Chunk *Chunk = nullptr;
    };
    void Enqueue(TRequest request);
    void Run();
    Mix_Chunk *Render(const TRequest &request, quint64 &generation);
    Mix_Chunk *TakePrepared(const TRequest &request);
    void KeepPrepared(const TRequest &request, quint64 generation, Mix_Chunk *chunk);
    void Play(Mix_Chunk *chunk, bool cutOff);
    bool ChannelBusy() const;

    // Every engine call, and the settings they use, under m_engineMutex.
    std::mutex m_engineMutex;
    std::unique_ptr<TSpeechEngine> m_preferred;
    std::unique_ptr<TSpeechEngine> m_fallback;
    bool m_preferredUp = false;
    bool m_voiceLoaded = false;
    bool m_fallbackUp = false;
    double m_stretch = 1.0;
    quint64 m_generation = 0; // counts changes of voice, rate or stretch

    bool m_connected = false; // user-interface thread only
    std::atomic<bool> m_outputOpen{false}; // set by the worker as it starts

    // The request queue, under m_queueMutex.
    std::mutex m_queueMutex;
    std::condition_variable m_wake;
    std::deque<TRequest> m_queue;
    bool m_speaking = false; // a spoken (not prepared) request is being worked on
    bool m_stopping = false;
    std::function<void()> m_onPlay;

    std::thread m_worker;
    // Worker thread only.
    Mix_Chunk *m_playing = nullptr;
    TPrepared m_prepared;
};
