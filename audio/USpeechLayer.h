#pragma once
// What the speech object needs of the platform's speech services. Every call
// may fail; failures are answered with false or an empty result, never
// thrown.

#include <QString>
#include <QStringList>

class TSpeechLayer
{
public:
    virtual ~TSpeechLayer() = default;

    // The services: false when none can be set up at all.
    virtual bool Connect() = 0;

    // The preferred engine: its installed voices, always in the same order.
    virtual QStringList VoiceDescriptions() = 0;
    // Loads a voice for SpeakQueued.
    virtual bool SelectVoice(int index) = 0;
    // Synthesises a word with the selected voice, without playing it: true
    // when sound came out.
    virtual bool TestVoice() = 0;
    // Returns at once; the text is queued behind any speech still running.
    virtual bool SpeakQueued(const QString &text) = 0;

    // The fallback engine: created on demand, speaks at a settable rate and
    // does not queue (the caller asks IsSpeaking first).
    virtual bool CreateFallback() = 0;
    virtual bool SetFallbackRate(int wordsPerMinute) = 0;
    virtual bool FallbackIsSpeaking() = 0;
    virtual bool FallbackSpeak(const QString &text) = 0;

    // How much longer than its natural pace every word is said by either
    // engine (1 = natural).
    virtual void SetStretch(double stretch) = 0;
    // The text that will probably be spoken next by the given engine: its
    // samples may be made now, so that speaking it later starts at once.
    virtual void Prepare(const QString &text, bool fallback) = 0;
};

// No services at all.
class TSilentSpeechLayer : public TSpeechLayer
{
public:
    bool Connect() override { return false; }
    QStringList VoiceDescriptions() override { return {}; }
    bool SelectVoice(int) override { return false; }
    bool TestVoice() override { return false; }
    bool SpeakQueued(const QString &) override { return false; }
    bool CreateFallback() override { return false; }
    bool SetFallbackRate(int) override { return false; }
    bool FallbackIsSpeaking() override { return false; }
    bool FallbackSpeak(const QString &) override { return false; }
    void SetStretch(double) override {}
    void Prepare(const QString &, bool) override {}
};
