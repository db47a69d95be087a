#pragma once
// Keeps the terminal clean when the machine has no sound device: the ALSA
// library, which SDL loads on its own, reports every failed probe on stderr.
// The program says it once, in one line of its own.

// Installs a silent error handler in the ALSA library, when it can be loaded.
// Safe to call more than once and from any thread before audio starts.
void SilenceAudioLibraryNoise();

// Writes the one line that tells the user the game plays without sound; only
// the first call of a run writes anything.
void ReportNoSoundDevice();
