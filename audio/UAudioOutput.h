#pragma once
// What the sound player needs of an audio output, and nothing more: open the
// device, load a sound (a tune that loops or a one-shot effect), play, stop
// and let go of it. Every call may fail; failures are answered with false or
// a 0 handle, never thrown. Play, Stop and Free of handle 0 (or of an unknown
// handle) do nothing.

#include <QString>
#include <QtGlobal>

using TSoundHandle = quint32; // 0 = none

class TAudioOutput
{
public:
    virtual ~TAudioOutput() = default;
    // Opens the output device; false when there is none.
    virtual bool Open() = 0;
    // The whole file, looping or once; 0 when the file cannot be played.
    virtual TSoundHandle Load(const QString &fileName, bool loop) = 0;
    // restart false continues a stopped sound from where it stopped.
    virtual bool Play(TSoundHandle sound, bool restart) = 0;
    // Keeps the position for a later Play.
    virtual bool Stop(TSoundHandle sound) = 0;
    virtual bool Free(TSoundHandle sound) = 0;
};

// An output with no device: opening fails, so the player stays silent.
class TSilentAudioOutput : public TAudioOutput
{
public:
    bool Open() override { return false; }
    TSoundHandle Load(const QString &, bool) override { return 0; }
    bool Play(TSoundHandle, bool) override { return false; }
    bool Stop(TSoundHandle) override { return false; }
    bool Free(TSoundHandle) override { return false; }
};
