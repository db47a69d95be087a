#include "UPlatformAudio.h"

#include "UEspeakSpeechLayer.h"
#include "USdlAudioLayer.h"
#include "USdlOutput.h"
#include "UStartupTrace.h"

#include <future>

std::unique_ptr<TAudioLayer> CreatePlatformAudioLayer()
{
    return std::make_unique<TSdlAudioLayer>();
}

std::unique_ptr<TSpeechLayer> CreatePlatformSpeechLayer()
{
    return std::make_unique<TEspeakSpeechLayer>();
}

TPlatformAudioWarmUp::TPlatformAudioWarmUp()
    : m_opened(std::async(std::launch::async, [] {
        const bool opened = SdlOutput::Acquire(44100); // the sound player's rate
        StartupMark("sound device opened (side thread)");
        return opened;
    }))
    // Must not create any QObject (a QFile, a QTimer ...): it may run before
    // the application object exists.
    , m_speech(std::async(std::launch::async, [] {
        TEspeakSpeechLayer::PrepareEngine();
        StartupMark("espeak-ng started (side thread)");
    }))
{
}

TPlatformAudioWarmUp::~TPlatformAudioWarmUp()
{
    m_speech.wait();
    m_opened.wait();
    SdlOutput::Release();
}
