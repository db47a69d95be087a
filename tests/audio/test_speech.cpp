// The speech object over services of the test's choosing: which voice it
// picks, and how it hands words on.
#include "FakeSpeechLayer.h"
#include "USpeechEx.h"

#include <gtest/gtest.h>

namespace {

struct Speech
{
    explicit Speech(QStringList voices = {}, QStringList broken = {})
    {
        state->Voices = std::move(voices);
        state->Broken = std::move(broken);
        speech = std::make_unique<TSpeechEx>(std::make_unique<TFakeSpeechLayer>(state));
    }
    std::shared_ptr<TFakeSpeechLayer::State> state = std::make_shared<TFakeSpeechLayer::State>();
    std::unique_ptr<TSpeechEx> speech;
};

const QString slt = QStringLiteral("cmu_us_slt"), rms = QStringLiteral("cmu_us_rms"),
              kal16 = QStringLiteral("cmu_us_kal16"), awb = QStringLiteral("cmu_us_awb"),
              kal = QStringLiteral("cmu_us_kal"), espeak = QStringLiteral("espeak-ng");

TEST(VoiceChoice, TheWantedVoiceThenThePreferredOnesInOrderThenTheFallback)
{
    struct Case
    {
        const char *Why;
        QStringList Installed;
        QStringList Broken;
        QString Wanted;
        bool FallbackWorks;
        bool Result;
        QString Speaking; // CurrentVoice()
    };
    const Case cases[] = {
        {"all installed: the first preferred", {awb, kal16, rms, slt}, {}, {}, true, true, slt},
        {"the preference, not the engine's order", {awb, rms}, {}, {}, true, true, rms},
        {"a voice that gives no sound is passed over", {slt, rms}, {slt}, {}, true, true, rms},
        {"only the last preferred", {kal, awb}, {}, {}, true, true, awb},
        {"names match ignoring case", {QStringLiteral("CMU_US_SLT")}, {}, {}, true, true, QStringLiteral("CMU_US_SLT")},
        {"names match whole", {QStringLiteral("cmu_us_slt2"), kal}, {}, {}, true, true, espeak},
        {"no preferred voice: the fallback", {}, {}, {}, true, true, espeak},
        {"every preferred voice broken", {slt, rms}, {slt, rms}, {}, true, true, espeak},
        {"nothing works", {slt}, {slt}, {}, false, false, {}},
        {"the stored voice first", {slt, rms, awb}, {}, awb, true, true, awb},
        {"the stored voice is gone", {slt, rms}, {}, kal16, true, true, slt},
        {"the stored voice is broken", {slt, rms, awb}, {awb}, awb, true, true, slt},
        {"the fallback asked for", {slt}, {}, espeak, true, true, espeak},
        {"the fallback asked for but missing", {slt}, {}, espeak, false, true, slt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Why);
        Speech s(c.Installed, c.Broken);
        s.state->FallbackResult = c.FallbackWorks;
        EXPECT_EQ(s.speech->CreateVoice(c.Wanted), c.Result);
        EXPECT_EQ(s.speech->CurrentVoice(), c.Speaking);
        EXPECT_EQ(s.speech->VoiceKind(), c.Speaking == espeak || c.Speaking.isEmpty() ? 0 : 1);
        EXPECT_EQ(s.speech->VoiceList(), c.Installed);
    }
}

TEST(VoiceChoice, WithoutAnyServiceNothingElseIsTriedAndNothingIsSaid)
{
    Speech s({slt});
    s.state->ConnectResult = false;
    EXPECT_FALSE(s.speech->CreateVoice());
    s.speech->Speak(QStringLiteral("apple"));
    s.speech->Prepare(QStringLiteral("apple"));
    EXPECT_EQ(s.state->Calls, QStringList({"connect"}));
}

TEST(VoiceChoice, ThePlayerChoosesAmongTheInstalledPreferredVoicesAndTheFallback)
{
    Speech s({kal, awb, slt});
    ASSERT_TRUE(s.speech->CreateVoice());
    QStringList names;
    for (const TVoiceChoice &choice : s.speech->Choices())
        names << choice.Name;
    EXPECT_EQ(names, QStringList({slt, awb, espeak}));

    // A new choice speaks from the next word on; the fallback is made once.
    ASSERT_TRUE(s.speech->CreateVoice(espeak));
    ASSERT_TRUE(s.speech->CreateVoice(awb));
    ASSERT_TRUE(s.speech->CreateVoice(espeak));
    EXPECT_EQ(s.state->Calls.count(QStringLiteral("fallback")), 1);
    s.state->Calls.clear();
    s.speech->Speak(QStringLiteral("apple"));
    EXPECT_EQ(s.state->Calls, QStringList({"say apple"}));
}

TEST(Speaking, TheFallbackDropsAWordWhileSpeakingAndAPreferredVoiceQueuesIt)
{
    Speech fallback({kal});
    ASSERT_TRUE(fallback.speech->CreateVoice());
    fallback.state->Calls.clear();
    fallback.speech->Speak(QStringLiteral("apple"));
    fallback.speech->Speak(QStringLiteral("banana"));
    fallback.state->Speaking = false;
    fallback.speech->Speak(QStringLiteral("cherry"));
    EXPECT_EQ(fallback.state->Calls, QStringList({"say apple", "say cherry"}));

    Speech preferred({slt});
    ASSERT_TRUE(preferred.speech->CreateVoice());
    preferred.state->Calls.clear();
    preferred.speech->Speak(QStringLiteral("apple"));
    preferred.speech->Speak(QStringLiteral("banana"));
    EXPECT_EQ(preferred.state->Calls, QStringList({"queued apple", "queued banana"}));
}

TEST(Speaking, PreparedWordsGoToTheEngineThatSpeaksAndSlowSpeechOutlivesAChoice)
{
    Speech s({slt});
    s.speech->SetSlowSpeech(true);
    ASSERT_TRUE(s.speech->CreateVoice());
    s.speech->Prepare(QStringLiteral("apple"));
    ASSERT_TRUE(s.speech->CreateVoice(espeak));
    s.speech->Prepare(QStringLiteral("pear"));
    EXPECT_EQ(s.state->Calls.filter(QStringLiteral("prepare")),
              QStringList({"prepare apple fallback=0", "prepare pear fallback=1"}));
    EXPECT_EQ(s.state->Calls.filter(QStringLiteral("stretch")).last(), QStringLiteral("stretch 1.4"));
    s.speech->SetSlowSpeech(false);
    EXPECT_EQ(s.state->Calls.last(), QStringLiteral("stretch 1"));
}

} // namespace
