#include "UPlatformAudio.h"

#include "UEspeakSpeechLayer.h"
#include "USdlAudioLayer.h"
#include "USdlOutput.h"

#include <future>

namespace {

// espeak-ng is started as the program loads, beside the window system's own
// start on another core, so that the speech object finds it ready. This runs
// before the application object exists: it must not create any QObject (a
// QFile, a QTimer ...), or Qt would take this thread for its main thread.
const std::future<void> g_speechWarmUp = std::async(std::launch::async, [] { TEspeakSpeechLayer::PrepareEngine(); });

} // namespace

std::unique_ptr<TAudioLayer> CreatePlatformAudioLayer()
{
    return std::make_unique<TSdlAudioLayer>();
}

std::unique_ptr<TSpeechLayer> CreatePlatformSpeechLayer()
{
    return std::make_unique<TEspeakSpeechLayer>();
}

TAudioOutputWarmUp::TAudioOutputWarmUp()
    : m_opened(std::async(std::launch::async, [] { return SdlOutput::Acquire(44100) /* the sound player's rate */; }))
{
}

TAudioOutputWarmUp::~TAudioOutputWarmUp()
{
    m_opened.wait();
    SdlOutput::Release();
}
