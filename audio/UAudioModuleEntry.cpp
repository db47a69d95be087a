// The sound module's exports (see UAudioModuleEntry.h): the platform's audio
// made inside the module, over the libraries only the module links.

#include "UAudioModuleEntry.h"

#include "UPlatformAudio.h"

#define GULUSPELL_EXPORT __attribute__((visibility("default")))

extern "C" {

GULUSPELL_EXPORT void *guluspell_audio_warm_up(TAudioModuleMark mark)
{
    return new TPlatformAudioWarmUp(mark);
}

GULUSPELL_EXPORT void guluspell_audio_cool_down(void *handle)
{
    delete static_cast<TPlatformAudioWarmUp *>(handle);
}

GULUSPELL_EXPORT TAudioOutput *guluspell_audio_create_output()
{
    return CreatePlatformAudioOutput().release();
}

GULUSPELL_EXPORT TSpeechLayer *guluspell_audio_create_speech_layer()
{
    return CreatePlatformSpeechLayer().release();
}
}
