#pragma once
// The real audio output and speech layer of this platform, for the main
// window to hand to the sound player and the speech object. Both share one
// output device, opened by whichever of them needs it first.

#include "UAudioOutput.h"
#include "USpeechLayer.h"

#include <future>
#include <memory>

std::unique_ptr<TAudioOutput> CreatePlatformAudioOutput();
// flite's voices, with espeak-ng as the fallback.
std::unique_ptr<TSpeechLayer> CreatePlatformSpeechLayer();

// Opening the output device (up to 0.14 s when there is none) and loading
// the first preferred voice (or, without it, starting espeak-ng) both run on
// side threads from the moment this is created, so that the sound player and
// the speech object find them ready instead of waiting on the start-up path.
// The device is held until this is destroyed. Create one first thing at the
// program entry, before the application object: the threads create no Qt
// object, so Qt still takes the entry's thread for its main thread. mark
// receives the phases for the start-up trace (the sound module passes the
// program's own, as its copy of the trace is not the program's).
class TPlatformAudioWarmUp
{
public:
    explicit TPlatformAudioWarmUp(void (*mark)(const char *phase) = nullptr);
    ~TPlatformAudioWarmUp();
    TPlatformAudioWarmUp(const TPlatformAudioWarmUp &) = delete;
    TPlatformAudioWarmUp &operator=(const TPlatformAudioWarmUp &) = delete;

private:
    std::future<bool> m_opened;
    std::future<void> m_speech;
};
