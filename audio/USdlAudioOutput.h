#pragma once
// The audio output over SDL2_mixer. Looping streams are streamed from the file
// as mixer music (opening one costs no decoding, which keeps start-up quick);
// one-shot streams are decoded whole and play on a mixer channel. Only one
// looping stream sounds at a time: playing another one takes over the music.
// A stopped stream keeps its position, and playing it with restart false
// continues from there.

#include "UAudioOutput.h"

#include <map>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

class TSdlAudioOutput : public TAudioOutput
{
public:
    TSdlAudioOutput() = default;
    ~TSdlAudioOutput() override;
    TSdlAudioOutput(const TSdlAudioOutput &) = delete;
    TSdlAudioOutput &operator=(const TSdlAudioOutput &) = delete;

    bool Open() override;
    TSoundHandle Load(const QString &fileName, bool loop) override;
    bool Play(TSoundHandle stream, bool restart) override;
    bool Stop(TSoundHandle stream) override;
    bool Free(TSoundHandle stream) override;

    // True while the stream is playing (a stopped stream is not).
    bool IsPlaying(TSoundHandle stream) const;
    // Seconds into a looping stream; -1 for other streams.
    double PositionSeconds(TSoundHandle stream) const;

private:
    struct TStream
    {
        Mix_Chunk *Chunk = nullptr;
        Mix_Music *Music = nullptr;
        bool Loop = false;
        int Channel = -1; // the chunk's channel once played
    };
    bool OnItsChannel(const TStream &s) const;
    bool IsCurrentMusic(TSoundHandle stream) const;

    bool m_acquired = false;
    bool m_open = false;
    std::map<TSoundHandle, TStream> m_streams;
    TSoundHandle m_nextHandle = 1;
    TSoundHandle m_currentMusic = 0;
};
