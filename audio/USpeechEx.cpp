#include "USpeechEx.h"

namespace {

struct TPreferredVoice
{
    const char16_t *Description;
    const char16_t *Engine;
};

// Tried in this order; the first one installed speaks.
constexpr TPreferredVoice kPreferredVoices[] = {
    {u"VW Kate", u"NeoSpeak引擎"},
    {u"Microsoft Mary", u"微软引擎"},
    {u"VW Paul", u"NeoSpeak引擎"},
    {u"Microsoft Sam", u"微软引擎"},
    {u"Microsoft Mike", u"微软引擎"},
};

constexpr int kFallbackRate = 150;

} // namespace

TSpeechEx::TSpeechEx(std::unique_ptr<TSpeechLayer> layer)
    : m_layer(layer ? std::move(layer) : std::make_unique<TSilentSpeechLayer>())
{
}

TSpeechEx::~TSpeechEx() = default;

bool TSpeechEx::CreateVoice()
{
    // Any failing step gives up at once and leaves VoiceKind as it stands.
    if (!m_layer->Connect())
        return false;
    m_voiceList.append(m_layer->VoiceDescriptions());

    m_voiceKind = 0;
    for (const TPreferredVoice &preferred : kPreferredVoices) {
        const QString description = QString::fromUtf16(preferred.Description);
        int index = -1;
        for (int i = 0; i < m_voiceList.size() && index < 0; ++i)
            if (m_voiceList[i].compare(description, Qt::CaseInsensitive) == 0)
                index = i;
        if (index < 0)
            continue;
        m_voiceKind = 1;
        if (!m_layer->SelectVoice(index))
            return false;
        m_voiceName = m_voiceList[index];
        m_engineName = QString::fromUtf16(preferred.Engine);
        break;
    }

    if (m_voiceKind == 1 && !m_layer->SpeakQueued(QStringLiteral(".")))
        m_voiceKind = 0;

    if (m_voiceKind == 0) {
        m_fallbackReady = false;
        if (!m_layer->CreateFallback() || !m_layer->SetFallbackRate(kFallbackRate))
            return false;
        m_fallbackReady = true;
        m_engineName.clear();
    }
    return true;
}

void TSpeechEx::Speak(const QString &text)
{
    if (m_voiceKind == 1) {
        m_layer->SpeakQueued(text);
        return;
    }
    // The fallback engine does not queue: a word handed in while the last one
    // is still being spoken is dropped.
    if (m_fallbackReady && !m_layer->FallbackIsSpeaking())
        m_layer->FallbackSpeak(text);
}
