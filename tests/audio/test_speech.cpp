#include "FakeSpeechLayer.h"
#include "UEspeakSpeechLayer.h"
#include "USpeechEx.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

namespace {

struct Speech
{
    explicit Speech(QStringList voices = {})
    {
        state->Voices = std::move(voices);
        speech = std::make_unique<TSpeechEx>(std::make_unique<TFakeSpeechLayer>(state));
    }
    std::shared_ptr<TFakeSpeechLayer::State> state = std::make_shared<TFakeSpeechLayer::State>();
    std::unique_ptr<TSpeechEx> speech;
};

TEST(VoiceChoice, TheFirstPreferredVoiceInstalledSpeaksOtherwiseTheFallback)
{
    struct Case
    {
        QStringList Installed;
        int Kind;
        QString Name;
        QString Engine;
        QStringList Calls;
    };
    const Case cases[] = {
        {{"Microsoft Sam", "Microsoft Mary"}, 1, "Microsoft Mary", "微软引擎",
         {"connect", "select 1", "queued ."}},
        {{"VW Paul", "Microsoft Sam"}, 1, "VW Paul", "NeoSpeak引擎", {"connect", "select 0", "queued ."}},
        {{"English (America)", "microsoft MIKE"}, 1, "microsoft MIKE", "微软引擎",
         {"connect", "select 1", "queued ."}},
        // The first of two entries that match ignoring case gives the index.
        {{"Afrikaans", "vw kate", "VW Kate"}, 1, "vw kate", "NeoSpeak引擎", {"connect", "select 1", "queued ."}},
        // Only whole descriptions match.
        {{"Microsoft Mary Desktop", " VW Kate", "English (America)"}, 0, "", "",
         {"connect", "fallback", "rate 150"}},
        {{}, 0, "", "", {"connect", "fallback", "rate 150"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Installed.join(", ").toStdString());
        Speech s(c.Installed);
        EXPECT_TRUE(s.speech->CreateVoice());
        EXPECT_EQ(s.speech->VoiceKind(), c.Kind);
        EXPECT_EQ(s.speech->VoiceName(), c.Name);
        EXPECT_EQ(s.speech->EngineName(), c.Engine);
        EXPECT_EQ(s.speech->VoiceList(), c.Installed);
        EXPECT_EQ(s.state->Calls, c.Calls);
    }
}

TEST(VoiceChoice, FailuresAndWhereTheyLeaveTheObject)
{
    {
        SCOPED_TRACE("no engine at all: the fallback is not tried");
        Speech s({"Microsoft Mary"});
        s.state->ConnectResult = false;
        EXPECT_FALSE(s.speech->CreateVoice());
        EXPECT_EQ(s.state->Calls, QStringList({"connect"}));
        s.speech->Speak(QStringLiteral("apple"));
        EXPECT_EQ(s.state->Calls.size(), 1);
    }
    {
        SCOPED_TRACE("the test utterance fails: the fallback takes over");
        Speech s({"VW Kate"});
        s.state->QueuedResult = false;
        EXPECT_TRUE(s.speech->CreateVoice());
        EXPECT_EQ(s.speech->VoiceKind(), 0);
        EXPECT_EQ(s.speech->EngineName(), QString());
        EXPECT_EQ(s.speech->VoiceName(), QStringLiteral("VW Kate"));
        EXPECT_EQ(s.state->Calls.mid(3), QStringList({"fallback", "rate 150"}));
    }
    {
        SCOPED_TRACE("neither a preferred voice nor the fallback");
        Speech s({"Afrikaans"});
        s.state->FallbackResult = false;
        EXPECT_FALSE(s.speech->CreateVoice());
        s.speech->Speak(QStringLiteral("apple"));
        EXPECT_FALSE(s.state->Calls.contains(QStringLiteral("say apple")));
    }
    {
        SCOPED_TRACE("the chosen voice cannot be selected");
        Speech s({"Microsoft Sam"});
        s.state->SelectResult = false;
        EXPECT_FALSE(s.speech->CreateVoice());
        EXPECT_EQ(s.speech->VoiceKind(), 1);
        EXPECT_EQ(s.speech->VoiceName(), QString());
    }
}

TEST(Speaking, TheFallbackDropsAWordWhileSpeakingAndAPreferredVoiceQueuesIt)
{
    Speech fallback({"Afrikaans"});
    ASSERT_TRUE(fallback.speech->CreateVoice());
    fallback.state->Calls.clear();
    fallback.speech->Speak(QStringLiteral("apple"));
    fallback.speech->Speak(QStringLiteral("banana"));
    fallback.state->Speaking = false;
    fallback.speech->Speak(QStringLiteral("cherry"));
    EXPECT_EQ(fallback.state->Calls, QStringList({"say apple", "say cherry"}));

    Speech preferred({"Microsoft Mary"});
    ASSERT_TRUE(preferred.speech->CreateVoice());
    preferred.state->Calls.clear();
    preferred.speech->Speak(QStringLiteral("apple"));
    preferred.speech->Speak(QStringLiteral("banana"));
    EXPECT_EQ(preferred.state->Calls, QStringList({"queued apple", "queued banana"}));
}

// The real engine. Its output plays through the dummy audio driver in real time.
class Espeak : public ::testing::Test
{
protected:
    void SetUp() override
    {
        raw->SetOnPlay([this] { ++plays; });
    }
    bool WaitForPlays(int count, int ms = 5000)
    {
        QElapsedTimer t;
        t.start();
        while (plays < count && t.elapsed() < ms)
            QThread::msleep(10);
        return plays >= count;
    }
    TEspeakSpeechLayer *raw = new TEspeakSpeechLayer;
    TSpeechEx speech{std::unique_ptr<TSpeechLayer>(raw)};
    std::atomic<int> plays{0};
};

TEST_F(Espeak, FallsBackToAmericanEnglishAndSynthesisesAWord)
{
    ASSERT_TRUE(speech.CreateVoice());
    EXPECT_EQ(speech.VoiceKind(), 0);
    EXPECT_EQ(speech.EngineName(), QString());
    EXPECT_GT(speech.VoiceList().size(), 50);
    EXPECT_EQ(speech.VoiceList(), raw->VoiceDescriptions()) << "the order is fixed";

    const std::vector<short> samples = raw->Synthesise(QStringLiteral("elephant"));
    EXPECT_EQ(raw->SampleRate(), 22050);
    // At 150 words a minute "elephant" lasts well over a third of a second.
    EXPECT_GT(samples.size(), size_t(22050 / 3));
    EXPECT_LT(samples.size(), size_t(22050 * 2));
}

TEST_F(Espeak, AWordHandedInWhileTheLastIsSoundingIsDropped)
{
    ASSERT_TRUE(speech.CreateVoice());
    speech.Speak(QStringLiteral("elephant"));
    speech.Speak(QStringLiteral("tiger"));
    ASSERT_TRUE(WaitForPlays(1));
    EXPECT_TRUE(raw->FallbackIsSpeaking());
    QElapsedTimer t;
    t.start();
    while (raw->FallbackIsSpeaking() && t.elapsed() < 5000)
        QThread::msleep(10);
    EXPECT_EQ(plays, 1);
    speech.Speak(QStringLiteral("tiger"));
    EXPECT_TRUE(WaitForPlays(2));
}

TEST_F(Espeak, AChosenVoiceQueuesEveryWord)
{
    ASSERT_TRUE(raw->Connect());
    const int english = raw->VoiceDescriptions().indexOf(QStringLiteral("English (America)"));
    ASSERT_GE(english, 0);
    ASSERT_TRUE(raw->SelectVoice(english));
    for (const char *word : {"one", "two", "three"})
        ASSERT_TRUE(raw->SpeakQueued(QString::fromLatin1(word)));
    EXPECT_TRUE(WaitForPlays(3, 8000));
}

} // namespace
