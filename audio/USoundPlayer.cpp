#include "USoundPlayer.h"

TSoundPlayer::TSoundPlayer(std::unique_ptr<TAudioOutput> output)
    : m_output(output ? std::move(output) : std::make_unique<TSilentAudioOutput>())
{
    m_ready = m_output->Open();
}

TSoundPlayer::~TSoundPlayer()
{
    if (m_soundStream != 0)
        m_output->Free(m_soundStream);
    for (const TPlayStream &entry : std::as_const(m_playStreams))
        m_output->Free(entry.Stream);
}

void TSoundPlayer::PlaySound(const QString &fileName)
{
    if (!m_ready)
        return;
    if (m_soundStream != 0)
        m_output->Free(m_soundStream);
    // The previous effect is gone even when the new file cannot be opened.
    m_soundStream = m_output->Load(fileName, false);
    m_output->Play(m_soundStream, false);
}

void TSoundPlayer::AddStream(const QString &fileName, const QString &streamName)
{
    if (!m_ready)
        return;
    m_playStreams.append({streamName, m_output->Load(fileName, true)});
}

void TSoundPlayer::RemoveStream(const QString &streamName)
{
    TPlayStreams kept;
    for (const TPlayStream &entry : std::as_const(m_playStreams)) {
        if (entry.Name == streamName)
            m_output->Free(entry.Stream);
        else
            kept.append(entry);
    }
    m_playStreams = std::move(kept);
}

void TSoundPlayer::PlayStream(const QString &streamName)
{
    if (!m_ready)
        return;
    const int i = IndexOfStream(streamName);
    if (i >= 0)
        m_output->Play(m_playStreams[i].Stream, false);
}

void TSoundPlayer::StopStream(const QString &streamName)
{
    if (!m_ready)
        return;
    const int i = IndexOfStream(streamName);
    if (i >= 0)
        m_output->Stop(m_playStreams[i].Stream);
}

int TSoundPlayer::IndexOfStream(const QString &streamName) const
{
    for (int i = 0; i < m_playStreams.size(); ++i)
        if (m_playStreams[i].Name == streamName)
            return i;
    return -1;
}
