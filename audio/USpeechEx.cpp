#include "USpeechEx.h"

namespace {

struct TPreferredVoice
{
    const char16_t *Name;
    const char16_t *Caption;
};

// flite's voices, clearest first: each is tried in this order.
constexpr TPreferredVoice kPreferredVoices[] = {
    {u"cmu_us_slt", u"美音女声"},
    {u"cmu_us_rms", u"美音男声"},
    {u"cmu_us_kal16", u"美音男声（二）"},
    {u"cmu_us_awb", u"苏格兰男声"},
};
constexpr char16_t kFallbackName[] = u"espeak-ng";
constexpr char16_t kFallbackCaption[] = u"机器合成音（espeak-ng）";
constexpr char16_t kPreferredEngine[] = u"flite";

constexpr int kFallbackRate = 150;
constexpr double kSlowStretch = 1.4;

} // namespace

TSpeechEx::TSpeechEx(std::unique_ptr<TSpeechLayer> layer)
    : m_layer(layer ? std::move(layer) : std::make_unique<TSilentSpeechLayer>())
{
}

TSpeechEx::~TSpeechEx() = default;

QString TSpeechEx::FallbackVoiceName()
{
    return QString::fromUtf16(kFallbackName);
}

QStringList TSpeechEx::PreferredVoices()
{
    QStringList names;
    for (const TPreferredVoice &preferred : kPreferredVoices)
        names << QString::fromUtf16(preferred.Name);
    return names;
}

int TSpeechEx::IndexOfVoice(const QString &name) const
{
    // The first entry that matches ignoring case gives the index.
    for (int i = 0; i < m_voiceList.size(); ++i)
        if (m_voiceList[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool TSpeechEx::TryPreferred(const QString &name)
{
    const int index = IndexOfVoice(name);
    if (index < 0 || !m_layer->SelectVoice(index) || !m_layer->TestVoice())
        return false;
    m_voiceKind = 1;
    m_voiceName = m_voiceList[index];
    m_engineName = QString::fromUtf16(kPreferredEngine);
    return true;
}

bool TSpeechEx::TryFallback()
{
    if (!m_fallbackReady)
        m_fallbackReady = m_layer->CreateFallback() && m_layer->SetFallbackRate(kFallbackRate);
    if (!m_fallbackReady)
        return false;
    m_voiceKind = 0;
    m_voiceName.clear();
    m_engineName.clear();
    return true;
}

bool TSpeechEx::CreateVoice(const QString &wanted)
{
    if (!m_connected && !(m_connected = m_layer->Connect()))
        return false;
    m_voiceList = m_layer->VoiceDescriptions();
    m_layer->SetStretch(m_slow ? kSlowStretch : 1.0);

    const QString fallback = FallbackVoiceName();
    QStringList order;
    if (!wanted.isEmpty())
        order << wanted;
    order << PreferredVoices() << fallback;
    order.removeDuplicates();

    m_voiceKind = 0;
    m_voiceName.clear();
    m_engineName.clear();
    for (const QString &name : std::as_const(order)) {
        const bool isFallback = name.compare(fallback, Qt::CaseInsensitive) == 0;
        if (isFallback ? TryFallback() : TryPreferred(name))
            return true;
    }
    return false;
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

void TSpeechEx::Prepare(const QString &text)
{
    if (m_voiceKind == 1 || m_fallbackReady)
        m_layer->Prepare(text, m_voiceKind == 0);
}

void TSpeechEx::SetSlowSpeech(bool slow)
{
    m_slow = slow;
    m_layer->SetStretch(slow ? kSlowStretch : 1.0);
}

QList<TVoiceChoice> TSpeechEx::Choices() const
{
    QList<TVoiceChoice> choices;
    for (const TPreferredVoice &preferred : kPreferredVoices) {
        const QString name = QString::fromUtf16(preferred.Name);
        if (IndexOfVoice(name) >= 0)
            choices.append({name, QString::fromUtf16(preferred.Caption)});
    }
    choices.append({FallbackVoiceName(), QString::fromUtf16(kFallbackCaption)});
    return choices;
}

QString TSpeechEx::CurrentVoice() const
{
    if (m_voiceKind == 1)
        return m_voiceName;
    return m_fallbackReady ? FallbackVoiceName() : QString();
}
