#include "USdlAudioOutput.h"

#include "USdlOutput.h"

#include <QFile>

#include <SDL_mixer.h>

TSdlAudioOutput::~TSdlAudioOutput()
{
    while (!m_streams.empty())
        Free(m_streams.begin()->first);
    if (m_acquired)
        SdlOutput::Release();
}

bool TSdlAudioOutput::Open()
{
    if (!m_acquired) {
        m_acquired = true;
        m_open = SdlOutput::Acquire();
    }
    return m_open;
}

TSoundHandle TSdlAudioOutput::Load(const QString &fileName, bool loop)
{
    if (!m_open)
        return 0;
    const QByteArray path = QFile::encodeName(fileName);
    TStream stream;
    stream.Loop = loop;
    if (loop)
        stream.Music = Mix_LoadMUS(path.constData());
    else
        stream.Chunk = Mix_LoadWAV(path.constData());
    if (!stream.Music && !stream.Chunk)
        return 0;
    const TSoundHandle handle = m_nextHandle++;
    m_streams.emplace(handle, stream);
    return handle;
}

bool TSdlAudioOutput::OnItsChannel(const TStream &s) const
{
    // Mix_Playing counts a paused channel as playing, which is what we want:
    // the channel still holds our chunk at its position.
    return s.Channel >= 0 && Mix_GetChunk(s.Channel) == s.Chunk && Mix_Playing(s.Channel);
}

bool TSdlAudioOutput::IsCurrentMusic(TSoundHandle stream) const
{
    return m_currentMusic == stream && Mix_PlayingMusic();
}

bool TSdlAudioOutput::Play(TSoundHandle stream, bool restart)
{
    const auto it = m_streams.find(stream);
    if (it == m_streams.end())
        return false;
    TStream &s = it->second;
    if (s.Music) {
        if (IsCurrentMusic(stream) && !restart) {
            Mix_ResumeMusic();
            return true;
        }
        m_currentMusic = stream;
        return Mix_PlayMusic(s.Music, s.Loop ? -1 : 1) == 0;
    }
    if (OnItsChannel(s)) {
        if (!restart) {
            Mix_Resume(s.Channel);
            return true;
        }
        Mix_HaltChannel(s.Channel);
    }
    s.Channel = Mix_PlayChannel(-1, s.Chunk, s.Loop ? -1 : 0);
    return s.Channel >= 0;
}

bool TSdlAudioOutput::Stop(TSoundHandle stream)
{
    const auto it = m_streams.find(stream);
    if (it == m_streams.end())
        return false;
    const TStream &s = it->second;
    // Pausing rather than halting keeps the position for a later play.
    if (s.Music) {
        if (IsCurrentMusic(stream))
            Mix_PauseMusic();
    } else if (OnItsChannel(s)) {
        Mix_Pause(s.Channel);
    }
    return true;
}

bool TSdlAudioOutput::Free(TSoundHandle stream)
{
    const auto it = m_streams.find(stream);
    if (it == m_streams.end())
        return false;
    const TStream s = it->second;
    m_streams.erase(it);
    if (s.Music) {
        if (m_currentMusic == stream) {
            Mix_HaltMusic();
            m_currentMusic = 0;
        }
        Mix_FreeMusic(s.Music);
    } else {
        if (OnItsChannel(s))
            Mix_HaltChannel(s.Channel);
        Mix_FreeChunk(s.Chunk);
    }
    return true;
}

bool TSdlAudioOutput::IsPlaying(TSoundHandle stream) const
{
    const auto it = m_streams.find(stream);
    if (it == m_streams.end())
        return false;
    const TStream &s = it->second;
    if (s.Music)
        return IsCurrentMusic(stream) && !Mix_PausedMusic();
    return OnItsChannel(s) && !Mix_Paused(s.Channel);
}

double TSdlAudioOutput::PositionSeconds(TSoundHandle stream) const
{
    const auto it = m_streams.find(stream);
    if (it == m_streams.end() || !it->second.Music)
        return -1;
    return Mix_GetMusicPosition(it->second.Music);
}
