#pragma once
// Speaks the words the player completes. It picks the first installed voice
// of a fixed list of preferred English voices and speaks through it, queueing;
// when none is installed it falls back to a plain engine that drops a word
// handed in while it is still speaking. Failures are swallowed.

#include "USpeechLayer.h"

#include <QString>
#include <QStringList>

#include <memory>

class TSpeechEx
{
public:
    explicit TSpeechEx(std::unique_ptr<TSpeechLayer> layer);
    ~TSpeechEx();
    TSpeechEx(const TSpeechEx &) = delete;
    TSpeechEx &operator=(const TSpeechEx &) = delete;

    // Chooses, tests and prepares the voice; false when no speech service
    // could be set up.
    bool CreateVoice();
    // Starts speaking and returns at once.
    void Speak(const QString &text);

    int VoiceKind() const { return m_voiceKind; }
    const QString &VoiceName() const { return m_voiceName; }
    const QStringList &VoiceList() const { return m_voiceList; }
    const QString &EngineName() const { return m_engineName; }

private:
    std::unique_ptr<TSpeechLayer> m_layer;
    int m_voiceKind = 0; // 1 = a preferred voice speaks; 0 = the fallback
    QString m_voiceName;
    QStringList m_voiceList;
    QString m_engineName;
    bool m_fallbackReady = false;
};
