// espeak-ng is set up once per process, so its failure needs a process of its own.
#include "UEngineSpeechLayer.h"
#include "UEspeakSpeechEngine.h"
#include "UFliteSpeechEngine.h"
#include "USpeechEx.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SpeechMissing, WithoutFliteVoicesOrEspeakDataNoVoiceIsSetUpAndNothingIsSaid)
{
    QTemporaryDir empty;
    auto *layer = new TEngineSpeechLayer(std::make_unique<TFliteSpeechEngine>(QStringList{"cmu_us_none"}),
                                         std::make_unique<TEspeakSpeechEngine>(empty.path()));
    TSpeechEx speech{std::unique_ptr<TSpeechLayer>(layer)};
    EXPECT_FALSE(speech.CreateVoice());
    EXPECT_TRUE(speech.VoiceList().isEmpty());
    EXPECT_EQ(speech.CurrentVoice(), QString());
    speech.Speak(QStringLiteral("apple"));
    EXPECT_FALSE(layer->FallbackIsSpeaking());
    EXPECT_TRUE(layer->Synthesise(QStringLiteral("apple"), true).Samples.empty());
}
