#pragma once
// What the sound module (libguluspell_audio.so, loaded at run time by
// TAudioModule) exports: C functions, found by name with dlsym, that make
// the real audio output and speech layer and warm the platform's audio up.
// The program itself links none of SDL, SDL_mixer, espeak-ng or flite: the
// dynamic loader maps them with the module, on a side thread, instead of
// before main.

class TAudioOutput;
class TSpeechLayer;

extern "C" {
// Receives the module's start-up phases for the program's own trace.
using TAudioModuleMark = void (*)(const char *phase);

// Starts opening the sound device and loading the first voice on side
// threads; the returned handle holds the device until it is given to
// guluspell_audio_cool_down, after the last output and speech layer are gone.
using TAudioWarmUpFunction = void *(*)(TAudioModuleMark mark);
using TAudioCoolDownFunction = void (*)(void *handle);
// New objects, owned by the caller (deleted through their virtual destructors).
using TCreateAudioOutputFunction = TAudioOutput *(*)();
using TCreateSpeechLayerFunction = TSpeechLayer *(*)();
}

inline constexpr char kAudioWarmUpName[] = "guluspell_audio_warm_up";
inline constexpr char kAudioCoolDownName[] = "guluspell_audio_cool_down";
inline constexpr char kCreateAudioOutputName[] = "guluspell_audio_create_output";
inline constexpr char kCreateSpeechLayerName[] = "guluspell_audio_create_speech_layer";
