#pragma once
// The speech layer over espeak-ng. Text is synthesised in memory on a worker
// thread of the layer's own (a word takes about 20 ms) and played on the
// speech channel of the shared SDL2_mixer output, so speech mixes with the
// effects. Without a sound device synthesis still runs and nothing is heard.
//
// The installed voices are espeak-ng's, described by their names. The
// fallback engine speaks with espeak-ng's American English voice. Queued
// speech waits for the utterance before it; fallback speech cuts off whatever
// is still sounding. espeak-ng is one engine per process: it is set up by the
// first layer that connects (with that layer's data folder) and stays up
// until the process ends; layers may come and go.

#include "USpeechLayer.h"

#include <QByteArray>
#include <QList>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

struct Mix_Chunk;

class TEspeakSpeechLayer : public TSpeechLayer
{
public:
    // dataPath: espeak-ng's data folder; empty for the installed one.
    explicit TEspeakSpeechLayer(const QString &dataPath = {});
    ~TEspeakSpeechLayer() override;
    TEspeakSpeechLayer(const TEspeakSpeechLayer &) = delete;
    TEspeakSpeechLayer &operator=(const TEspeakSpeechLayer &) = delete;

    bool Connect() override;
    QStringList VoiceDescriptions() override;
    bool SelectVoice(int index) override;
    bool SpeakQueued(const QString &text) override;

    bool CreateFallback() override;
    bool SetFallbackRate(int wordsPerMinute) override;
    bool FallbackIsSpeaking() override;
    bool FallbackSpeak(const QString &text) override;

    // Starts espeak-ng (loading its data and reading its voices takes a few
    // milliseconds) unless that has been done; safe from any thread. Connect
    // calls it; calling it early, off the user-interface thread, saves
    // Connect the wait.
    static void PrepareEngine(const QString &dataPath = {});

    // Renders text with the fallback voice and rate without playing it:
    // 16-bit mono samples at SampleRate(). Empty before Connect succeeds.
    std::vector<short> Synthesise(const QString &text);
    int SampleRate() const { return m_sampleRate; }
    // Called on the worker thread each time an utterance is handed to the
    // audio output (for measurements).
    void SetOnPlay(std::function<void()> onPlay);

private:
    struct TRequest
    {
        QByteArray Text; // UTF-8
        bool Fallback = false;
    };
    std::vector<short> SynthesiseLocked(const QByteArray &text, bool fallback);
    bool ApplyVoiceLocked(const QByteArray &voice, int rate);
    void Run();
    void Play(const std::vector<short> &samples, bool cutOff);
    bool ChannelBusy() const;

    QString m_dataPath;
    bool m_connected = false;
    std::atomic<bool> m_outputOpen{false}; // set by the worker as it starts
    int m_sampleRate = 0;

    // Under the engine's lock.
    QByteArray m_primaryVoice;
    QByteArray m_fallbackVoice;
    int m_fallbackRate = 0;

    // The request queue, under m_queueMutex.
    std::mutex m_queueMutex;
    std::condition_variable m_wake;
    std::deque<TRequest> m_queue;
    bool m_working = false;
    bool m_stopping = false;
    std::function<void()> m_onPlay;

    std::thread m_worker;
    Mix_Chunk *m_chunk = nullptr; // the utterance on the speech channel; worker thread only
};
