#include "UBassEx.h"

namespace {
constexpr quint32 kExpectedVersion = 0x0204;
constexpr int kDefaultDevice = -1;
constexpr int kFrequency = 44100;
} // namespace

TBassEx::TBassEx(std::unique_ptr<TAudioLayer> layer, quintptr windowHandle)
    : m_layer(layer ? std::move(layer) : std::make_unique<TSilentAudioLayer>())
    , m_windowHandle(windowHandle)
{
    m_ready = true;
    if ((m_layer->GetVersion() >> 16) != kExpectedVersion)
        m_ready = false;
    // Initialise even after a version mismatch, as the library expects one Init per run.
    if (!m_layer->Init(kDefaultDevice, kFrequency, 0, m_windowHandle))
        m_ready = false;
}

TBassEx::~TBassEx()
{
    if (m_soundStream != 0)
        m_layer->StreamFree(m_soundStream);
    for (const TPlayStream &entry : std::as_const(m_playStreams))
        m_layer->StreamFree(entry.Stream);
}

void TBassEx::PlaySound(const QString &fileName)
{
    if (!m_ready)
        return;
    if (m_soundStream != 0)
        m_layer->StreamFree(m_soundStream);
    // The previous effect is gone even when the new file cannot be opened.
    m_soundStream = m_layer->StreamCreateFile(fileName, false);
    m_layer->ChannelPlay(m_soundStream, false);
}

void TBassEx::AddStream(const QString &fileName, const QString &streamName)
{
    if (!m_ready)
        return;
    m_playStreams.append({streamName, m_layer->StreamCreateFile(fileName, true)});
}

void TBassEx::RemoveStream(const QString &streamName)
{
    TPlayStreams kept;
    for (const TPlayStream &entry : std::as_const(m_playStreams)) {
        if (entry.Name == streamName)
            m_layer->StreamFree(entry.Stream);
        else
            kept.append(entry);
    }
    m_playStreams = std::move(kept);
}

void TBassEx::PlayStream(const QString &streamName)
{
    if (!m_ready)
        return;
    const int i = IndexOfStream(streamName);
    if (i >= 0)
        m_layer->ChannelPlay(m_playStreams[i].Stream, false);
}

void TBassEx::StopStream(const QString &streamName)
{
    if (!m_ready)
        return;
    const int i = IndexOfStream(streamName);
    if (i >= 0)
        m_layer->ChannelStop(m_playStreams[i].Stream);
}

int TBassEx::IndexOfStream(const QString &streamName) const
{
    for (int i = 0; i < m_playStreams.size(); ++i)
        if (m_playStreams[i].Name == streamName)
            return i;
    return -1;
}
