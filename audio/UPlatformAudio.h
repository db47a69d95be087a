#pragma once
// The real audio and speech layers of this platform, for the main window to
// hand to the sound player and the speech object. Both share one output
// device, opened by whichever of them needs it first. A program that links
// these starts espeak-ng on a thread of its own as it loads.

#include "UAudioLayer.h"
#include "USpeechLayer.h"

#include <memory>

std::unique_ptr<TAudioLayer> CreatePlatformAudioLayer();
std::unique_ptr<TSpeechLayer> CreatePlatformSpeechLayer();
