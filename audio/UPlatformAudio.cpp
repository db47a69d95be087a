#include "UPlatformAudio.h"

#include "UEngineSpeechLayer.h"
#include "UEspeakSpeechEngine.h"
#include "UFliteSpeechEngine.h"
#include "USdlAudioOutput.h"
#include "USdlOutput.h"
#include "USpeechEx.h"
#include "UStartupTrace.h"

#include <future>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

std::unique_ptr<TAudioOutput> CreatePlatformAudioOutput()
{
    return std::make_unique<TSdlAudioOutput>();
}

std::unique_ptr<TSpeechLayer> CreatePlatformSpeechLayer()
{
    return std::make_unique<TEngineSpeechLayer>(std::make_unique<TFliteSpeechEngine>(TSpeechEx::PreferredVoices()),
                                                std::make_unique<TEspeakSpeechEngine>());
}

TPlatformAudioWarmUp::TPlatformAudioWarmUp(void (*mark)(const char *))
    : m_opened(std::async(std::launch::async, [mark = mark ? mark : StartupMark] {
        const bool opened = SdlOutput::Acquire();
        mark("sound device opened (side thread)");
        return opened;
    }))
    // Must not create any QObject (a QFile, a QTimer ...): it may run before
    // the application object exists.
    , m_speech(std::async(std::launch::async, [mark = mark ? mark : StartupMark] {
        // The first word is spoken seconds from now at the earliest, while
        // the window is being built this very moment on as few as two cores:
        // this thread yields to it (the nice value is per thread on Linux).
        setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), 10);
        const QString first = TSpeechEx::PreferredVoices().constFirst();
        TFliteSpeechEngine::PrepareVoice(first);
        mark("first preferred voice loaded (side thread)");
        // espeak-ng costs its start only where the fallback will be needed.
        TFliteSpeechEngine engine({first});
        if (!engine.Start() || engine.Voices().isEmpty() || !engine.LoadVoice(0)) {
            TEspeakSpeechEngine::PrepareEngine();
            mark("espeak-ng started (side thread)");
        }
    }))
{
}

TPlatformAudioWarmUp::~TPlatformAudioWarmUp()
{
    m_speech.wait();
    m_opened.wait();
    SdlOutput::Release();
}
