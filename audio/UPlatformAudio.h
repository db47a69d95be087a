#pragma once
// The real audio and speech layers of this platform, for the main window to
// hand to the sound player and the speech object. Both share one output
// device, opened by whichever of them needs it first. A program that links
// these starts espeak-ng on a thread of its own as it loads.

#include "UAudioLayer.h"
#include "USpeechLayer.h"

#include <future>
#include <memory>

std::unique_ptr<TAudioLayer> CreatePlatformAudioLayer();

// Opens the shared output on a side thread as soon as it is created and holds
// it until destroyed, so that the sound player's initialisation finds it open
// (or already failed) instead of waiting for the device on the start-up path.
// Create one at the program entry, before the main window.
class TAudioOutputWarmUp
{
public:
    TAudioOutputWarmUp();
    ~TAudioOutputWarmUp();
    TAudioOutputWarmUp(const TAudioOutputWarmUp &) = delete;
    TAudioOutputWarmUp &operator=(const TAudioOutputWarmUp &) = delete;

private:
    std::future<bool> m_opened;
};
std::unique_ptr<TSpeechLayer> CreatePlatformSpeechLayer();
