// The real speech engines, and the speech layer that plays what they make on
// the shared output (the dummy audio driver, in real time).
#include "UEngineSpeechLayer.h"
#include "UEspeakSpeechEngine.h"
#include "UFliteSpeechEngine.h"
#include "USpeechEx.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

namespace {

double Seconds(const TSpeechSamples &s)
{
    return s.Rate > 0 ? double(s.Samples.size()) / s.Rate : 0;
}

// A real engine says "elephant" at its own sample rate in a plausible time,
// and stretched by 1.4 it takes about that much longer.
void ExpectSaysAWordAndSlowerWhenStretched(TSpeechEngine &engine, int rate, double shortest)
{
    const TSpeechSamples normal = engine.Synthesise(QStringLiteral("elephant"), 1.0);
    EXPECT_EQ(normal.Rate, rate);
    EXPECT_GT(Seconds(normal), shortest);
    EXPECT_LT(Seconds(normal), 2.0);
    const double ratio = Seconds(engine.Synthesise(QStringLiteral("elephant"), 1.4)) / Seconds(normal);
    EXPECT_GT(ratio, 1.2);
    EXPECT_LT(ratio, 1.6);
}

bool WaitFor(const std::function<bool()> &done, int ms = 8000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QThread::msleep(10);
    return done();
}

TEST(FliteEngine, EveryPreferredVoiceSaysAWordAndSaysItSlowerWhenStretched)
{
    TFliteSpeechEngine flite(TSpeechEx::PreferredVoices());
    ASSERT_TRUE(flite.Start());
    ASSERT_EQ(flite.Voices(), TSpeechEx::PreferredVoices()) << "libflite1 ships all four";
    for (int i = 0; i < flite.Voices().size(); ++i) {
        SCOPED_TRACE(flite.Voices()[i].toStdString());
        ASSERT_TRUE(flite.LoadVoice(i));
        EXPECT_TRUE(flite.TestVoice());
        ExpectSaysAWordAndSlowerWhenStretched(flite, 16000, 0.3);
    }
}

TEST(FliteEngine, AVoiceWhoseLibraryIsMissingIsNotInstalled)
{
    TFliteSpeechEngine flite({QStringLiteral("cmu_us_none"), QStringLiteral("cmu_us_rms")});
    ASSERT_TRUE(flite.Start());
    EXPECT_EQ(flite.Voices(), QStringList({"cmu_us_rms"}));
    EXPECT_FALSE(flite.LoadVoice(1));
    EXPECT_TRUE(flite.Synthesise(QStringLiteral("apple"), 1.0).Samples.empty()) << "no voice loaded yet";
}

TEST(EspeakEngine, SaysAWordInAmericanEnglishAndSlowerAtALowerRate)
{
    TEspeakSpeechEngine espeak;
    ASSERT_TRUE(espeak.Start());
    ASSERT_TRUE(espeak.SetRate(150));
    ExpectSaysAWordAndSlowerWhenStretched(espeak, 22050, 0.33);
    EXPECT_FALSE(espeak.SetRate(5)) << "below espeak-ng's slowest rate";
}

// An engine that hums: each word a tenth of a second, each synthesis counted.
class THummingEngine : public TSpeechEngine
{
public:
    explicit THummingEngine(std::shared_ptr<std::atomic<int>> made) : m_made(std::move(made)) {}
    bool Start() override { return true; }
    QStringList Voices() override { return {QStringLiteral("hum")}; }
    bool LoadVoice(int index) override { return index == 0; }
    bool TestVoice() override { return true; }
    bool SetRate(int) override { return true; }
    TSpeechSamples Synthesise(const QString &, double) override
    {
        ++*m_made;
        return {std::vector<short>(1600, 1000), 16000};
    }

private:
    std::shared_ptr<std::atomic<int>> m_made;
};

class Layer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        layer.SetOnPlay([this] { ++plays; });
        ASSERT_TRUE(layer.Connect());
    }
    std::shared_ptr<std::atomic<int>> made = std::make_shared<std::atomic<int>>(0);
    TEngineSpeechLayer layer{std::make_unique<THummingEngine>(made), std::make_unique<TEspeakSpeechEngine>()};
    std::atomic<int> plays{0};
};

TEST_F(Layer, APreparedWordIsPlayedAsMadeUnlessTheVoiceChangedSince)
{
    ASSERT_TRUE(layer.SelectVoice(0));
    layer.Prepare(QStringLiteral("apple"), false);
    ASSERT_TRUE(WaitFor([this] { return *made == 1; }));
    layer.SpeakQueued(QStringLiteral("apple"));
    ASSERT_TRUE(WaitFor([this] { return plays == 1; }));
    EXPECT_EQ(*made, 1) << "the prepared samples were made again";

    layer.Prepare(QStringLiteral("pear"), false);
    ASSERT_TRUE(WaitFor([this] { return *made == 2; }));
    layer.SetStretch(1.4);
    layer.SpeakQueued(QStringLiteral("pear"));
    ASSERT_TRUE(WaitFor([this] { return plays == 2; }));
    EXPECT_EQ(*made, 3) << "samples made at the old pace were played";

    layer.Prepare(QStringLiteral("plum"), false);
    layer.SpeakQueued(QStringLiteral("fig"));
    ASSERT_TRUE(WaitFor([this] { return plays == 3; }));
    EXPECT_EQ(*made, 5) << "another word than the prepared one is made for itself";
}

TEST_F(Layer, TheFallbackDropsAWordWhileSpeakingButNotWhileOnlyPreparing)
{
    ASSERT_TRUE(layer.CreateFallback());
    ASSERT_TRUE(layer.SetFallbackRate(150));
    layer.Prepare(QStringLiteral("accomplishment"), true);
    EXPECT_FALSE(layer.FallbackIsSpeaking()) << "making a word ahead is not speaking";
    layer.FallbackSpeak(QStringLiteral("elephant"));
    EXPECT_TRUE(layer.FallbackIsSpeaking());
    ASSERT_TRUE(WaitFor([this] { return plays == 1; }));
    EXPECT_TRUE(layer.FallbackIsSpeaking()) << "the word is still sounding";
    ASSERT_TRUE(WaitFor([this] { return !layer.FallbackIsSpeaking(); }));
    EXPECT_EQ(plays, 1);
}

TEST_F(Layer, APreferredVoiceQueuesEveryWord)
{
    ASSERT_TRUE(layer.SelectVoice(0));
    for (const char *word : {"one", "two", "three"})
        ASSERT_TRUE(layer.SpeakQueued(QString::fromLatin1(word)));
    EXPECT_TRUE(WaitFor([this] { return plays == 3; }));
}

TEST(PlatformSpeech, WithoutItsFliteVoiceTheProgramSpeaksThroughEspeak)
{
    auto *layer = new TEngineSpeechLayer(std::make_unique<TFliteSpeechEngine>(QStringList{"cmu_us_none"}),
                                         std::make_unique<TEspeakSpeechEngine>());
    std::atomic<int> plays{0};
    layer->SetOnPlay([&plays] { ++plays; });
    TSpeechEx speech{std::unique_ptr<TSpeechLayer>(layer)};
    ASSERT_TRUE(speech.CreateVoice(QStringLiteral("cmu_us_slt")));
    EXPECT_EQ(speech.CurrentVoice(), TSpeechEx::FallbackVoiceName());
    speech.Speak(QStringLiteral("elephant"));
    EXPECT_TRUE(WaitFor([&plays] { return plays == 1; }));
}

} // namespace
