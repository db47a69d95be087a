#pragma once
// Speaks the words the player completes. It tries the preferred voices of
// this platform in a fixed order (a voice asked for by name first), loading
// and testing each; the first that works speaks, queueing the words. When
// none works it falls back to a plain engine that drops a word handed in
// while it is still speaking. Failures are swallowed.

#include "USpeechLayer.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// A voice the player may choose: its name (stored in the settings) and how
// the menu shows it.
struct TVoiceChoice
{
    QString Name;
    QString Caption;
};

class TSpeechEx
{
public:
    explicit TSpeechEx(std::unique_ptr<TSpeechLayer> layer);
    ~TSpeechEx();
    TSpeechEx(const TSpeechEx &) = delete;
    TSpeechEx &operator=(const TSpeechEx &) = delete;

    // Chooses, tests and prepares the voice: wanted (a voice's name, or
    // FallbackVoiceName()) first, then the preferred voices in order, then the
    // fallback. False when no voice could be set up. May be called again to
    // change the voice.
    bool CreateVoice(const QString &wanted = {});
    // Starts speaking and returns at once.
    void Speak(const QString &text);
    // The word likely to be spoken next: its speech is made ahead.
    void Prepare(const QString &text);
    // Every word about 1.4 times as long, for beginners.
    void SetSlowSpeech(bool slow);
    bool SlowSpeech() const { return m_slow; }

    // The installed preferred voices in their order, then the fallback.
    QList<TVoiceChoice> Choices() const;
    // The name of the voice that speaks: VoiceName(), FallbackVoiceName(), or
    // empty when none does.
    QString CurrentVoice() const;
    static QString FallbackVoiceName();
    // The names of the preferred voices, in the order they are tried.
    static QStringList PreferredVoices();

    int VoiceKind() const { return m_voiceKind; }
    const QString &VoiceName() const { return m_voiceName; }
    const QStringList &VoiceList() const { return m_voiceList; }
    const QString &EngineName() const { return m_engineName; }

private:
    bool TryPreferred(const QString &name);
    bool TryFallback();
    int IndexOfVoice(const QString &name) const;

    std::unique_ptr<TSpeechLayer> m_layer;
    bool m_connected = false;
    int m_voiceKind = 0; // 1 = a preferred voice speaks; 0 = the fallback
    QString m_voiceName;
    QStringList m_voiceList;
    QString m_engineName;
    bool m_fallbackReady = false;
    bool m_slow = false;
};
