#pragma once
// The one SDL2_mixer output that effects, music and speech share. It is
// opened by the first user and closed when the last one lets go; a failed
// opening is remembered for as long as anybody holds the output, so a machine
// without a sound device pays the failed attempt (about 0.14 s) only once.

namespace SdlOutput {

// Opens the output (44.1 kHz stereo) unless it is already open (or already
// failed); true when sound can be heard. Every Acquire must be paired with
// one Release.
bool Acquire();
void Release();
// The mixer channel kept for speech; effects never take it.
constexpr int kSpeechChannel = 0;

} // namespace SdlOutput
