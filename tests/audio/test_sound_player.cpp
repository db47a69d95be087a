#include "TestSupport.h"
#include "USdlAudioOutput.h"
#include "USoundPlayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

namespace {

const QString kSoundDir = QStringLiteral(GULUSPELL_SOUND_DIR);

struct RecordedPlayer
{
    explicit RecordedPlayer(bool opens = true)
    {
        out->OpenResult = opens;
        player = std::make_unique<TSoundPlayer>(std::make_unique<TRecordingAudioOutput>(out));
    }
    QStringList Names() const
    {
        QStringList names;
        for (const TPlayStream &entry : player->PlayStreams())
            names << entry.Name;
        return names;
    }
    QStringList HeldFiles() const
    {
        QStringList files;
        for (const auto &[handle, sound] : out->Held)
            files << sound.File;
        return files;
    }
    std::shared_ptr<TRecordingAudioOutput::Log> out = std::make_shared<TRecordingAudioOutput::Log>();
    std::unique_ptr<TSoundPlayer> player;
};

TEST(SoundPlayer, ANewEffectCutsOffThePreviousOneEvenWhenItsFileIsMissing)
{
    RecordedPlayer p;
    p.out->MissingFiles << QStringLiteral("gone.mp3");
    p.player->PlaySound(QStringLiteral("/x/select.mp3"));
    EXPECT_EQ(p.out->Sounding(), QStringList({"select.mp3"}));
    p.player->PlaySound(QStringLiteral("/x/gone.mp3"));
    EXPECT_TRUE(p.out->Sounding().isEmpty());
    EXPECT_TRUE(p.HeldFiles().isEmpty()) << "the cut-off effect is let go of";
    p.player->PlaySound(QStringLiteral("/x/oksel.mp3"));
    EXPECT_EQ(p.out->Sounding(), QStringList({"oksel.mp3"}));
    EXPECT_EQ(p.HeldFiles(), QStringList({"oksel.mp3"}));
}

TEST(SoundPlayer, RemovingANameLetsGoOfEachOfItsEntriesAndKeepsTheRestInOrder)
{
    RecordedPlayer p;
    for (const char *name : {"a", "b", "a", "c"})
        p.player->AddStream(QStringLiteral("/x/%1.mp3").arg(name), QString::fromLatin1(name));
    p.player->RemoveStream(QStringLiteral("a"));
    EXPECT_EQ(p.HeldFiles(), QStringList({"b.mp3", "c.mp3"}));
    EXPECT_EQ(p.Names(), QStringList({"b", "c"}));
    EXPECT_EQ(p.player->IndexOfStream(QStringLiteral("c")), 1);
    EXPECT_EQ(p.player->IndexOfStream(QStringLiteral("a")), -1);
}

TEST(SoundPlayer, StreamNamesMatchExactlyAndTheFirstEntryOfANameIsUsed)
{
    RecordedPlayer p;
    p.player->AddStream(QStringLiteral("/x/back.mp3"), QStringLiteral("spellback"));
    p.player->AddStream(QStringLiteral("/x/other.mp3"), QStringLiteral("spellback"));
    EXPECT_TRUE(p.out->Sounding().isEmpty()) << "an added stream waits to be played";

    p.player->PlayStream(QStringLiteral("SpellBack"));
    p.player->PlayStream(QStringLiteral("spellback "));
    EXPECT_TRUE(p.out->Sounding().isEmpty());

    p.player->PlayStream(QStringLiteral("spellback"));
    EXPECT_EQ(p.out->Sounding(), QStringList({"back.mp3"}));
}

TEST(SoundPlayer, TheMusicToggleContinuesTheTuneInsteadOfStartingItAgain)
{
    RecordedPlayer p;
    p.player->AddStream(QStringLiteral("/x/back.mp3"), QStringLiteral("spellback"));
    p.player->PlayStream(QStringLiteral("spellback"));
    p.player->StopStream(QStringLiteral("spellback"));
    EXPECT_TRUE(p.out->Sounding().isEmpty());
    p.player->PlayStream(QStringLiteral("spellback"));
    EXPECT_EQ(p.out->Sounding(), QStringList({"back.mp3"}));
    EXPECT_EQ(p.out->Held.begin()->second.Starts, 1);
    EXPECT_TRUE(p.out->Held.begin()->second.Loop);
}

TEST(SoundPlayer, DestructionLetsGoOfEverythingItHolds)
{
    RecordedPlayer p;
    p.out->MissingFiles << QStringLiteral("back.mp3");
    p.player->AddStream(QStringLiteral("/x/back.mp3"), QStringLiteral("spellback"));
    p.player->AddStream(QStringLiteral("/x/rain.mp3"), QStringLiteral("rain"));
    p.player->PlaySound(QStringLiteral("/x/select.mp3"));
    ASSERT_EQ(p.player->PlayStreams().size(), 2) << "a file that cannot be opened still leaves its entry";
    p.player.reset();
    EXPECT_TRUE(p.out->Held.empty());
}

TEST(SoundPlayer, WithoutADeviceEverythingIsSilent)
{
    RecordedPlayer p(false);
    EXPECT_FALSE(p.player->Ready());
    p.player->AddStream(QStringLiteral("/x/back.mp3"), QStringLiteral("spellback"));
    p.player->PlayStream(QStringLiteral("spellback"));
    p.player->StopStream(QStringLiteral("spellback"));
    p.player->PlaySound(QStringLiteral("/x/select.mp3"));
    p.player->RemoveStream(QStringLiteral("spellback"));
    EXPECT_TRUE(p.player->PlayStreams().isEmpty());
    EXPECT_TRUE(p.out->Held.empty());
    EXPECT_TRUE(p.out->Sounding().isEmpty());
}

// The real output, over the dummy audio driver that the tests run with.
class SdlAudioOutput : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(layer.Open()); }
    TSdlAudioOutput layer;
};

TEST_F(SdlAudioOutput, EveryShippedSoundLoadsAndPlays)
{
    for (const char *name : {"back.mp3", "select.mp3", "unselect.mp3", "oksel.mp3", "wrong.mp3"}) {
        SCOPED_TRACE(name);
        const bool loop = QByteArray(name) == "back.mp3";
        const TSoundHandle h = layer.Load(kSoundDir + QLatin1String(name), loop);
        ASSERT_NE(h, 0u);
        EXPECT_TRUE(layer.Play(h, false));
        EXPECT_TRUE(layer.IsPlaying(h));
        EXPECT_TRUE(layer.Free(h));
        EXPECT_FALSE(layer.IsPlaying(h));
    }
}

TEST_F(SdlAudioOutput, FilesThatAreNotSoundGiveNoStream)
{
    QTemporaryDir dir;
    QFile text(dir.filePath(QStringLiteral("select.mp3")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("this is not an mp3 file\n");
    text.close();
    for (bool loop : {false, true}) {
        EXPECT_EQ(layer.Load(text.fileName(), loop), 0u);
        EXPECT_EQ(layer.Load(dir.filePath(QStringLiteral("missing.mp3")), loop), 0u);
    }
    EXPECT_FALSE(layer.Play(0, false));
    EXPECT_FALSE(layer.Stop(0));
    EXPECT_FALSE(layer.Free(0));
}

TEST_F(SdlAudioOutput, StoppedMusicContinuesWhereItStoppedAndRestartGoesBackToTheStart)
{
    const TSoundHandle h = layer.Load(kSoundDir + QLatin1String("back.mp3"), true);
    ASSERT_NE(h, 0u);
    layer.Play(h, false);
    QThread::msleep(400);
    layer.Stop(h);
    EXPECT_FALSE(layer.IsPlaying(h));
    const double stoppedAt = layer.PositionSeconds(h);
    EXPECT_GT(stoppedAt, 0.2);
    QThread::msleep(300);
    EXPECT_NEAR(layer.PositionSeconds(h), stoppedAt, 0.05) << "a stopped stream must not move on";

    layer.Play(h, false);
    EXPECT_TRUE(layer.IsPlaying(h));
    EXPECT_GE(layer.PositionSeconds(h), stoppedAt - 0.05);

    layer.Play(h, true);
    EXPECT_LT(layer.PositionSeconds(h), 0.15);
}

TEST_F(SdlAudioOutput, AStoppedEffectResumesAndOnlyTheMusicLoops)
{
    const TSoundHandle effect = layer.Load(kSoundDir + QLatin1String("oksel.mp3"), false);
    ASSERT_NE(effect, 0u);
    layer.Play(effect, false);
    layer.Stop(effect);
    EXPECT_FALSE(layer.IsPlaying(effect));
    layer.Play(effect, false);
    EXPECT_TRUE(layer.IsPlaying(effect));
    // The effect lasts well under a second; a busy machine may feed the
    // output late, so give it time without asserting a speed.
    QElapsedTimer clock;
    clock.start();
    while (layer.IsPlaying(effect) && clock.elapsed() < 10000)
        QThread::msleep(50);
    EXPECT_FALSE(layer.IsPlaying(effect)) << "a one-shot stream ends";
    EXPECT_EQ(layer.PositionSeconds(effect), -1);
}

TEST(SdlOutputMissing, ADriverThatCannotOpenLeavesThePlayerSilent)
{
    const QByteArray old = qgetenv("SDL_AUDIODRIVER");
    qputenv("SDL_AUDIODRIVER", "no_such_driver");
    {
        TSoundPlayer player(std::make_unique<TSdlAudioOutput>());
        EXPECT_FALSE(player.Ready());
        player.AddStream(kSoundDir + QLatin1String("back.mp3"), QStringLiteral("spellback"));
        player.PlayStream(QStringLiteral("spellback"));
        player.PlaySound(kSoundDir + QLatin1String("select.mp3"));
        EXPECT_TRUE(player.PlayStreams().isEmpty());
        EXPECT_EQ(player.SoundStream(), 0u);
    }
    qputenv("SDL_AUDIODRIVER", old);
    // Once the silent player has let go, a working driver opens again.
    TSdlAudioOutput output;
    EXPECT_TRUE(output.Open());
}

} // namespace
