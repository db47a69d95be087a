#include "FakeSpeechLayer.h"
#include "TestSupport.h"
#include "UBassEx.h"
#include "USpeechEx.h"
#include "USpellGameType.h"

#include <gtest/gtest.h>

namespace {

// Picks the tiles of text in order, as a player would.
void Spell(TSpellGameType &board, const QString &text)
{
    for (const QChar c : text) {
        const TSpellItems &items = board.Items();
        for (int i = 0; i < items.size(); ++i) {
            if (!items[i].Picked && items[i].Letter == QString(c)) {
                const int x = items[i].Left + board.ItemSize().width() / 2;
                const int y = items[i].Top + board.ItemSize().height() / 2;
                board.UpdateHover(x, y);
                board.ClickAt(x, y);
                break;
            }
        }
    }
}

class BoardSound : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(speech.CreateVoice());
        TWordInfos words;
        for (const char *w : {"cat", "dog", "pig"})
            words.append(TWordInfo{QString::fromLatin1(w), QString(), QStringLiteral("释义")});
        board.StartGame(words, &bass, &speech);
        log->Calls.clear();
        voice->Calls.clear();
    }
    TTempProgramDir home;
    std::shared_ptr<TRecordingAudioLayer::Log> log = std::make_shared<TRecordingAudioLayer::Log>();
    std::shared_ptr<TFakeSpeechLayer::State> voice = std::make_shared<TFakeSpeechLayer::State>();
    TBassEx bass{std::make_unique<TRecordingAudioLayer>(log), 0};
    TSpeechEx speech{std::make_unique<TFakeSpeechLayer>(voice)};
    TSpellGameType board;
};

TEST_F(BoardSound, ACompletedWordIsSpokenOnlyWhilePronunciationIsOn)
{
    Spell(board, QStringLiteral("cat"));
    EXPECT_TRUE(voice->Calls.isEmpty());

    board.SetHasSpeech(true);
    Spell(board, QStringLiteral("do"));
    EXPECT_TRUE(voice->Calls.isEmpty()) << "an unfinished word is not spoken";
    Spell(board, QStringLiteral("g"));
    EXPECT_EQ(voice->Calls, QStringList({"say dog"}));
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
