#include "UAudioNoise.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdio>
#include <mutex>

namespace {

// The handler's C signature in alsa/error.h; the header is not needed for it.
extern "C" void QuietAlsaError(const char *, int, const char *, int, const char *, ...)
{
}

using TSetErrorHandler = int (*)(void (*)(const char *, int, const char *, int, const char *, ...));

} // namespace

void SilenceAudioLibraryNoise()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // The handle stays open for the whole run: the handler lives inside
        // the loaded library, which SDL then opens again and shares.
        void *alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
        if (!alsa)
            return; // no ALSA, no ALSA noise
        if (auto set = reinterpret_cast<TSetErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
            set(&QuietAlsaError);
    });
}

void ReportNoSoundDevice()
{
    static std::atomic<bool> reported{false};
    if (!reported.exchange(true))
        std::fprintf(stderr, "咕噜猫字母乐园：没有找到声音设备，游戏将不出声。\n");
}
