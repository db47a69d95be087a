#pragma once
// A speech layer for window tests: it sets up fine and records what it is
// asked to say, so a test can tell which words the game spoke.

#include "USpeechLayer.h"

#include <QStringList>

#include <memory>

// A speech engine that sets up fine and records what it is asked to say.
class TListeningSpeechLayer : public TSpeechLayer
{
public:
    explicit TListeningSpeechLayer(std::shared_ptr<QStringList> spoken) : m_spoken(std::move(spoken)) {}
    bool Connect() override { return true; }
    QStringList VoiceDescriptions() override { return {QStringLiteral("en-us")}; }
    bool SelectVoice(int) override { return true; }
    bool TestVoice() override { return true; }
    bool SpeakQueued(const QString &text) override { return m_spoken->append(text), true; }
    bool CreateFallback() override { return true; }
    bool SetFallbackRate(int) override { return true; }
    bool FallbackIsSpeaking() override { return false; }
    bool FallbackSpeak(const QString &text) override { return m_spoken->append(text), true; }
    void SetStretch(double) override {}
    void Prepare(const QString &, bool) override {}

private:
    std::shared_ptr<QStringList> m_spoken;
};
