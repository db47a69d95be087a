// espeak-ng is set up once per process, so its failure needs a process of its own.
#include "UEspeakSpeechLayer.h"
#include "USpeechEx.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(EspeakMissing, AnEngineWithoutItsDataFailsToCreateTheVoiceAndSpeaksNothing)
{
    QTemporaryDir empty;
    auto *layer = new TEspeakSpeechLayer(empty.path());
    TSpeechEx speech{std::unique_ptr<TSpeechLayer>(layer)};
    EXPECT_FALSE(speech.CreateVoice());
    EXPECT_TRUE(speech.VoiceList().isEmpty());
    speech.Speak(QStringLiteral("apple"));
    EXPECT_FALSE(layer->FallbackIsSpeaking());
    EXPECT_TRUE(layer->Synthesise(QStringLiteral("apple")).empty());
}
