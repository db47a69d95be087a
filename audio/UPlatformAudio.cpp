#include "UPlatformAudio.h"

#include "UEspeakSpeechLayer.h"
#include "USdlAudioLayer.h"
#include "USdlOutput.h"

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
    : m_opened(std::async(std::launch::async, [] { return SdlOutput::Acquire(44100) /* the sound player's rate */; }))
    // Must not create any QObject (a QFile, a QTimer ...): it may run before
    // the application object exists.
    , m_speech(std::async(std::launch::async, [] { TEspeakSpeechLayer::PrepareEngine(); }))
{
}

TPlatformAudioWarmUp::~TPlatformAudioWarmUp()
{
    m_speech.wait();
    m_opened.wait();
    SdlOutput::Release();
}
