#include "UPlatformAudio.h"

#include "UEspeakSpeechLayer.h"
#include "USdlAudioLayer.h"

std::unique_ptr<TAudioLayer> CreatePlatformAudioLayer()
{
    return std::make_unique<TSdlAudioLayer>();
}

std::unique_ptr<TSpeechLayer> CreatePlatformSpeechLayer()
{
    return std::make_unique<TEspeakSpeechLayer>();
}
