#pragma once
// What the sound player needs of an audio library, and nothing more. Every
// call may fail; failures are answered with false or a 0 handle, never thrown.
// Play, stop and free of handle 0 (or of an unknown handle) do nothing.

#include <QString>
#include <QtGlobal>

using TStreamHandle = quint32; // 0 = none

class TAudioLayer
{
public:
    virtual ~TAudioLayer() = default;
    // The library's version; the player expects 0x0204 in the high 16 bits.
    virtual quint32 GetVersion() = 0;
    // Opens the output device; false when there is none.
    virtual bool Init(int device, int frequency, quint32 flags, quintptr window) = 0;
    // A stream over the whole file, optionally looping; 0 when the file cannot be played.
    virtual TStreamHandle StreamCreateFile(const QString &fileName, bool loop) = 0;
    // restart false continues a stopped stream from where it stopped.
    virtual bool ChannelPlay(TStreamHandle stream, bool restart) = 0;
    virtual bool ChannelStop(TStreamHandle stream) = 0;
    virtual bool StreamFree(TStreamHandle stream) = 0;
};

// A layer with no device: initialisation fails, so the player stays silent.
class TSilentAudioLayer : public TAudioLayer
{
public:
    quint32 GetVersion() override { return 0x02040000; }
    bool Init(int, int, quint32, quintptr) override { return false; }
    TStreamHandle StreamCreateFile(const QString &, bool) override { return 0; }
    bool ChannelPlay(TStreamHandle, bool) override { return false; }
    bool ChannelStop(TStreamHandle) override { return false; }
    bool StreamFree(TStreamHandle) override { return false; }
};
