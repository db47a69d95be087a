#include "UEspeakSpeechEngine.h"

#include <QFile>
#include <QList>

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace {

const QByteArray kAmericanVoice = QByteArrayLiteral("en-us");

// Synthesis is synchronous, so the callback runs on the thread that asked
// for the samples: a per-thread sink needs no locking.
thread_local std::vector<short> *g_sink = nullptr;

int CollectSamples(short *wav, int count, espeak_EVENT *)
{
    if (wav && count > 0 && g_sink)
        g_sink->insert(g_sink->end(), wav, wav + count);
    return 0;
}

// The process's one espeak-ng. It is never shut down: espeak_Terminate can
// wait forever on its internal thread.
struct TEngine
{
    std::mutex Mutex; // every espeak-ng call runs under it
    bool Tried = false;
    int SampleRate = 0;
    QStringList VoiceNames;
    QList<QByteArray> VoiceIds;
    QByteArray AppliedVoice;
    int AppliedRate = -1;
};

TEngine &Engine()
{
    static TEngine engine;
    return engine;
}

bool ApplyLocked(const QByteArray &voice, int rate)
{
    TEngine &engine = Engine();
    if (voice != engine.AppliedVoice) {
        if (espeak_SetVoiceByName(voice.constData()) != EE_OK)
            return false;
        engine.AppliedVoice = voice;
        engine.AppliedRate = -1; // a new voice starts at its own rate
    }
    if (rate != engine.AppliedRate) {
        if (espeak_SetParameter(espeakRATE, rate, 0) != EE_OK)
            return false;
        engine.AppliedRate = rate;
    }
    return true;
}

} // namespace

TEspeakSpeechEngine::TEspeakSpeechEngine(const QString &dataPath)
    : m_dataPath(dataPath)
    , m_voice(kAmericanVoice)
    , m_rate(espeakRATE_NORMAL)
{
}

void TEspeakSpeechEngine::PrepareEngine(const QString &dataPath)
{
    TEngine &engine = Engine();
    std::lock_guard lock(engine.Mutex);
    if (engine.Tried)
        return;
    engine.Tried = true;
    const QByteArray path = QFile::encodeName(dataPath);
    // Without DONT_EXIT espeak-ng ends the whole program when its data is missing.
    engine.SampleRate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, path.isEmpty() ? nullptr : path.constData(),
                                          espeakINITIALIZE_DONT_EXIT);
    if (engine.SampleRate <= 0)
        return;
    espeak_SetSynthCallback(CollectSamples);
    // The installed voices do not change while the program runs.
    const espeak_VOICE **voices = espeak_ListVoices(nullptr);
    for (int i = 0; voices && voices[i]; ++i) {
        engine.VoiceNames.append(QString::fromUtf8(voices[i]->name));
        engine.VoiceIds.append(QByteArray(voices[i]->identifier));
    }
}

bool TEspeakSpeechEngine::Start()
{
    if (!m_started) {
        PrepareEngine(m_dataPath);
        std::lock_guard lock(Engine().Mutex);
        m_started = Engine().SampleRate > 0 && ApplyLocked(m_voice, m_rate);
    }
    return m_started;
}

QStringList TEspeakSpeechEngine::Voices()
{
    if (!m_started)
        return {};
    std::lock_guard lock(Engine().Mutex);
    return Engine().VoiceNames;
}

bool TEspeakSpeechEngine::LoadVoice(int index)
{
    std::lock_guard lock(Engine().Mutex);
    const QList<QByteArray> &ids = Engine().VoiceIds;
    // Names may repeat; the identifier (the voice file) is unique.
    if (!m_started || index < 0 || index >= ids.size() || !ApplyLocked(ids[index], m_rate))
        return false;
    m_voice = ids[index];
    return true;
}

bool TEspeakSpeechEngine::TestVoice()
{
    return !Synthesise(QStringLiteral("hello"), 1.0).Samples.empty();
}

bool TEspeakSpeechEngine::SetRate(int wordsPerMinute)
{
    if (!m_started || wordsPerMinute < espeakRATE_MINIMUM || wordsPerMinute > espeakRATE_MAXIMUM)
        return false;
    m_rate = wordsPerMinute;
    return true;
}

TSpeechSamples TEspeakSpeechEngine::Synthesise(const QString &text, double stretch)
{
    TSpeechSamples out;
    if (!m_started)
        return out;
    // A slower pace is a lower rate; espeak-ng has no floor of its own below its minimum.
    const int rate = std::max(espeakRATE_MINIMUM, int(std::lround(m_rate / std::max(stretch, 0.1))));
    const QByteArray utf8 = text.toUtf8();
    std::lock_guard lock(Engine().Mutex);
    if (!ApplyLocked(m_voice, rate))
        return out;
    out.Rate = Engine().SampleRate;
    g_sink = &out.Samples;
    espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    g_sink = nullptr;
    return out;
}
