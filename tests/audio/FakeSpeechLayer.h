#pragma once
// Speech services with voices of the test's choosing. Calls are logged as
// text ("select 1", "test", "queued apple", "fallback", "rate 150",
// "say apple", "prepare apple fallback=0", "stretch 1.4"); the fallback
// counts as speaking from "say" until the test ends it.

#include "USpeechLayer.h"

#include <memory>

class TFakeSpeechLayer : public TSpeechLayer
{
public:
    struct State
    {
        QStringList Voices;
        QStringList Broken; // installed, but give no sound
        bool ConnectResult = true;
        bool FallbackResult = true;
        bool Speaking = false;
        QStringList Calls;
    };
    explicit TFakeSpeechLayer(std::shared_ptr<State> state) : m_s(std::move(state)) {}

    bool Connect() override { return log(QStringLiteral("connect"), m_s->ConnectResult); }
    QStringList VoiceDescriptions() override { return m_s->Voices; }
    bool SelectVoice(int index) override
    {
        m_selected = index;
        return log(QStringLiteral("select %1").arg(index), index >= 0 && index < m_s->Voices.size());
    }
    bool TestVoice() override { return log(QStringLiteral("test"), !m_s->Broken.contains(m_s->Voices.value(m_selected))); }
    bool SpeakQueued(const QString &text) override { return log(QStringLiteral("queued ") + text, true); }
    bool CreateFallback() override { return log(QStringLiteral("fallback"), m_s->FallbackResult); }
    bool SetFallbackRate(int rate) override { return log(QStringLiteral("rate %1").arg(rate), true); }
    bool FallbackIsSpeaking() override { return m_s->Speaking; }
    bool FallbackSpeak(const QString &text) override
    {
        m_s->Speaking = true;
        return log(QStringLiteral("say ") + text, true);
    }
    void SetStretch(double stretch) override { log(QStringLiteral("stretch %1").arg(stretch), true); }
    void Prepare(const QString &text, bool fallback) override
    {
        log(QStringLiteral("prepare %1 fallback=%2").arg(text).arg(int(fallback)), true);
    }

private:
    bool log(const QString &call, bool result)
    {
        m_s->Calls.append(call);
        return result;
    }
    std::shared_ptr<State> m_s;
    int m_selected = -1;
};
