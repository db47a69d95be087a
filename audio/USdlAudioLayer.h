#pragma once
// The audio layer over SDL2_mixer. Looping streams are streamed from the file
// as mixer music (opening one costs no decoding, which keeps start-up quick);
// one-shot streams are decoded whole and play on a mixer channel. Only one
// looping stream sounds at a time: playing another one takes over the music.
// A stopped stream keeps its position, and playing it with restart false
// continues from there.

#include "UAudioLayer.h"

#include <map>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

class TSdlAudioLayer : public TAudioLayer
{
public:
    TSdlAudioLayer() = default;
    ~TSdlAudioLayer() override;
    TSdlAudioLayer(const TSdlAudioLayer &) = delete;
    TSdlAudioLayer &operator=(const TSdlAudioLayer &) = delete;

    quint32 GetVersion() override;
    bool Init(int device, int frequency, quint32 flags, quintptr window) override;
    TStreamHandle StreamCreateFile(const QString &fileName, bool loop) override;
    bool ChannelPlay(TStreamHandle stream, bool restart) override;
    bool ChannelStop(TStreamHandle stream) override;
    bool StreamFree(TStreamHandle stream) override;

    // True while the stream is playing (a stopped stream is not).
    bool IsPlaying(TStreamHandle stream) const;
    // Seconds into a looping stream; -1 for other streams.
    double PositionSeconds(TStreamHandle stream) const;

private:
    struct TStream
    {
        Mix_Chunk *Chunk = nullptr;
        Mix_Music *Music = nullptr;
        bool Loop = false;
        int Channel = -1; // the chunk's channel once played
    };
    bool OnItsChannel(const TStream &s) const;
    bool IsCurrentMusic(TStreamHandle stream) const;

    bool m_acquired = false;
    bool m_open = false;
    std::map<TStreamHandle, TStream> m_streams;
    TStreamHandle m_nextHandle = 1;
    TStreamHandle m_currentMusic = 0;
};
