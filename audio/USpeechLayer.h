#pragma once
// What the speech object needs of a speech engine. Every call may fail;
// failures are answered with false or an empty result, never thrown.

#include <QString>
#include <QStringList>

class TSpeechLayer
{
public:
    virtual ~TSpeechLayer() = default;

    // The primary engine: false when it cannot be set up at all.
    virtual bool Connect() = 0;
    // Descriptions of the installed voices, always in the same order.
    virtual QStringList VoiceDescriptions() = 0;
    virtual bool SelectVoice(int index) = 0;
    // Returns at once; the text is queued behind any speech still running.
    virtual bool SpeakQueued(const QString &text) = 0;

    // The fallback engine: created on demand, speaks at a settable rate and
    // does not queue (the caller asks IsSpeaking first).
    virtual bool CreateFallback() = 0;
    virtual bool SetFallbackRate(int wordsPerMinute) = 0;
    virtual bool FallbackIsSpeaking() = 0;
    virtual bool FallbackSpeak(const QString &text) = 0;
};

// No engine at all.
class TSilentSpeechLayer : public TSpeechLayer
{
public:
    bool Connect() override { return false; }
    QStringList VoiceDescriptions() override { return {}; }
    bool SelectVoice(int) override { return false; }
    bool SpeakQueued(const QString &) override { return false; }
    bool CreateFallback() override { return false; }
    bool SetFallbackRate(int) override { return false; }
    bool FallbackIsSpeaking() override { return false; }
    bool FallbackSpeak(const QString &) override { return false; }
};
