#include "USdlOutput.h"

#include "UAudioNoise.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <mutex>

namespace {

constexpr int kFrequency = 44100;
constexpr int kChunkSize = 1024; // ~23 ms at 44.1 kHz: short enough for snappy effects

std::mutex g_mutex;
int g_users = 0;
bool g_open = false;

bool OpenOutput()
{
    // The program owns its signals; SDL must not install handlers of its own.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SilenceAudioLibraryNoise();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        ReportNoSoundDevice();
        return false;
    }
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, 2, kChunkSize) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        ReportNoSoundDevice();
        return false;
    }
    Mix_ReserveChannels(SdlOutput::kSpeechChannel + 1);
    return true;
}

} // namespace

namespace SdlOutput {

bool Acquire()
{
    std::lock_guard lock(g_mutex);
    if (g_users++ == 0)
        g_open = OpenOutput();
    return g_open;
}

void Release()
{
    std::lock_guard lock(g_mutex);
    if (g_users == 0 || --g_users > 0)
        return;
    if (g_open) {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        g_open = false;
    }
}

} // namespace SdlOutput
