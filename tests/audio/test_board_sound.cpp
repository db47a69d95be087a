#include "BoardDriver.h"
#include "FakeSpeechLayer.h"
#include "TestSupport.h"
#include "UBoardAudio.h"
#include "UCommonFun.h"
#include "USoundPlayer.h"
#include "USpeechEx.h"
#include "USpellGameType.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

class BoardSound : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(speech.CreateVoice());
        TWordInfos words;
        for (const char *w : {"cat", "dog", "pig"})
            words.append(TWordInfo{QString::fromLatin1(w), QString(), QStringLiteral("释义")});
        board.Rules().StartGame(words, &sound);
        log->Calls.clear();
        voice->Calls.clear();
    }
    TTempProgramDir home;
    std::shared_ptr<TRecordingAudioOutput::Log> log = std::make_shared<TRecordingAudioOutput::Log>();
    std::shared_ptr<TFakeSpeechLayer::State> voice = std::make_shared<TFakeSpeechLayer::State>();
    TSoundPlayer player{std::make_unique<TRecordingAudioOutput>(log)};
    TSpeechEx speech{std::make_unique<TFakeSpeechLayer>(voice)};
    TBoardAudio sound{&player, &speech, GetAppPath() + QStringLiteral("sound/")};
    TSpellGameType board;
};

TEST_F(BoardSound, ACompletedWordIsSpokenOnlyWhilePronunciationIsOn)
{
    const auto spoken = [this] { return voice->Calls.filter(QRegularExpression(QStringLiteral("^say "))); };
    SpellByClicks(board, QStringLiteral("cat"));
    EXPECT_TRUE(voice->Calls.isEmpty()) << "nothing is said or made ahead with pronunciation off";

    board.SetHasSpeech(true);
    SpellByClicks(board, QStringLiteral("do"));
    EXPECT_TRUE(spoken().isEmpty()) << "an unfinished word is not spoken";
    SpellByClicks(board, QStringLiteral("g"));
    EXPECT_EQ(spoken(), QStringList({"say dog"}));
}

TEST_F(BoardSound, TheMusicToggleStopsAndContinuesTheSameStream)
{
    board.StopBackMusic();
    board.PlayBackMusic();
    ASSERT_EQ(log->Calls.size(), 2);
    EXPECT_TRUE(log->Calls[0].startsWith(QLatin1String("stop ")));
    const QString handle = log->Calls[0].section(QLatin1Char(' '), 1);
    EXPECT_NE(handle, QLatin1String("0"));
    EXPECT_EQ(log->Calls[1], QStringLiteral("play %1 restart=0").arg(handle));
}

} // namespace
