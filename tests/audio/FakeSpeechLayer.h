#pragma once
// A speech engine with voices of the test's choosing. Calls are logged as
// text ("select 1", "queued apple", "fallback", "rate 150", "say apple");
// the fallback counts as speaking from "say" until the test ends it.

#include "USpeechLayer.h"

#include <memory>

class TFakeSpeechLayer : public TSpeechLayer
{
public:
    struct State
    {
        QStringList Voices;
        bool ConnectResult = true;
        bool SelectResult = true;
        bool QueuedResult = true;
        bool FallbackResult = true;
        bool Speaking = false;
        QStringList Calls;
    };
    explicit TFakeSpeechLayer(std::shared_ptr<State> state) : m_s(std::move(state)) {}

    bool Connect() override { return log(QStringLiteral("connect"), m_s->ConnectResult); }
    QStringList VoiceDescriptions() override { return m_s->Voices; }
    bool SelectVoice(int index) override { return log(QStringLiteral("select %1").arg(index), m_s->SelectResult); }
    bool SpeakQueued(const QString &text) override { return log(QStringLiteral("queued ") + text, m_s->QueuedResult); }
    bool CreateFallback() override { return log(QStringLiteral("fallback"), m_s->FallbackResult); }
    bool SetFallbackRate(int rate) override { return log(QStringLiteral("rate %1").arg(rate), true); }
    bool FallbackIsSpeaking() override { return m_s->Speaking; }
    bool FallbackSpeak(const QString &text) override
    {
        m_s->Speaking = true;
        return log(QStringLiteral("say ") + text, true);
    }

private:
    bool log(const QString &call, bool result)
    {
        m_s->Calls.append(call);
        return result;
    }
    std::shared_ptr<State> m_s;
};
