#include "TestSupport.h"
#include "UBassEx.h"
#include "USdlAudioLayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

namespace {

const QString kSoundDir = QStringLiteral(GULUSPELL_SOUND_DIR);

struct RecordedPlayer
{
    explicit RecordedPlayer(quint32 version = 0x02040000, bool initResult = true)
    {
        log->Version = version;
        log->InitResult = initResult;
        bass = std::make_unique<TBassEx>(std::make_unique<TRecordingAudioLayer>(log), 0);
        log->Calls.clear();
    }
    QStringList Names() const
    {
        QStringList names;
        for (const TPlayStream &entry : bass->PlayStreams())
            names << entry.Name;
        return names;
    }
    std::shared_ptr<TRecordingAudioLayer::Log> log = std::make_shared<TRecordingAudioLayer::Log>();
    std::unique_ptr<TBassEx> bass;
};

TEST(SoundPlayer, ANewEffectCutsOffThePreviousOneEvenWhenItsFileIsMissing)
{
    RecordedPlayer p;
    p.log->MissingFiles << QStringLiteral("gone.mp3");
    p.bass->PlaySound(QStringLiteral("/x/select.mp3"));
    p.bass->PlaySound(QStringLiteral("/x/gone.mp3"));
    EXPECT_EQ(p.bass->SoundStream(), 0u);
    p.bass->PlaySound(QStringLiteral("/x/oksel.mp3"));
    EXPECT_EQ(p.log->Calls, QStringList({
        "create select.mp3 loop=0 -> 1", "play 1 restart=0",
        "free 1", "create gone.mp3 loop=0 -> 0", "play 0 restart=0",
        "create oksel.mp3 loop=0 -> 2", "play 2 restart=0"}));
}

TEST(SoundPlayer, RemovingANameFreesEachOfItsEntriesAndKeepsTheRestInOrder)
{
    RecordedPlayer p;
    for (const char *name : {"a", "b", "a", "c"})
        p.bass->AddStream(QStringLiteral("/x/%1.mp3").arg(name), QString::fromLatin1(name));
    p.log->Calls.clear();

    p.bass->RemoveStream(QStringLiteral("a"));
    EXPECT_EQ(p.log->Calls, QStringList({"free 1", "free 3"}));
    EXPECT_EQ(p.Names(), QStringList({"b", "c"}));
    EXPECT_EQ(p.bass->IndexOfStream(QStringLiteral("c")), 1);
    EXPECT_EQ(p.bass->IndexOfStream(QStringLiteral("a")), -1);
}

TEST(SoundPlayer, StreamNamesMatchExactlyAndTheFirstEntryOfANameIsUsed)
{
    RecordedPlayer p;
    p.bass->AddStream(QStringLiteral("/x/back.mp3"), QStringLiteral("spellback"));
    p.bass->AddStream(QStringLiteral("/x/other.mp3"), QStringLiteral("spellback"));
    p.log->Calls.clear();

    p.bass->PlayStream(QStringLiteral("SpellBack"));
    p.bass->StopStream(QStringLiteral("spellback "));
    EXPECT_TRUE(p.log->Calls.isEmpty());

    // The music toggle: a stop and a play that continues rather than restarts.
    p.bass->StopStream(QStringLiteral("spellback"));
    p.bass->PlayStream(QStringLiteral("spellback"));
    EXPECT_EQ(p.log->Calls, QStringList({"stop 1", "play 1 restart=0"}));
}

TEST(SoundPlayer, DestructionFreesTheEffectThenEveryStreamInOrder)
{
    RecordedPlayer p;
    p.log->MissingFiles << QStringLiteral("back.mp3");
    p.bass->AddStream(QStringLiteral("/x/back.mp3"), QStringLiteral("spellback"));
    p.bass->AddStream(QStringLiteral("/x/rain.mp3"), QStringLiteral("rain"));
    p.bass->PlaySound(QStringLiteral("/x/select.mp3"));
    ASSERT_EQ(p.bass->PlayStreams().size(), 2) << "a file that cannot be opened still leaves its entry";
    p.log->Calls.clear();
    p.bass.reset();
    EXPECT_EQ(p.log->Calls, QStringList({"free 2", "free 0", "free 1"}));
}

TEST(SoundPlayer, WithoutTheRightLibraryOrADeviceEverythingIsSilent)
{
    struct Case
    {
        quint32 Version;
        bool Init;
    };
    for (const Case c : {Case{0x02030000, true}, Case{0x02040000, false}, Case{0x01000000, false}}) {
        RecordedPlayer p(c.Version, c.Init);
        EXPECT_FALSE(p.bass->Ready());
        p.bass->AddStream(QStringLiteral("/x/back.mp3"), QStringLiteral("spellback"));
        p.bass->PlayStream(QStringLiteral("spellback"));
        p.bass->StopStream(QStringLiteral("spellback"));
        p.bass->PlaySound(QStringLiteral("/x/select.mp3"));
        p.bass->RemoveStream(QStringLiteral("spellback"));
        EXPECT_TRUE(p.bass->PlayStreams().isEmpty());
        EXPECT_TRUE(p.log->Calls.isEmpty()) << p.log->Calls.join(", ").toStdString();
    }
    // The library is initialised even when its version is wrong.
    auto log = std::make_shared<TRecordingAudioLayer::Log>();
    log->Version = 0x02030000;
    TBassEx bass(std::make_unique<TRecordingAudioLayer>(log), 0);
    EXPECT_EQ(log->Calls, QStringList({"init"}));
}

// The real layer, over the dummy audio driver that the tests run with.
class SdlLayer : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(layer.Init(-1, 44100, 0, 0)); }
    TSdlAudioLayer layer;
};

TEST_F(SdlLayer, EveryShippedSoundLoadsAndPlays)
{
    for (const char *name : {"back.mp3", "select.mp3", "unselect.mp3", "oksel.mp3", "wrong.mp3"}) {
        SCOPED_TRACE(name);
        const bool loop = QByteArray(name) == "back.mp3";
        const TStreamHandle h = layer.StreamCreateFile(kSoundDir + QLatin1String(name), loop);
        ASSERT_NE(h, 0u);
        EXPECT_TRUE(layer.ChannelPlay(h, false));
        EXPECT_TRUE(layer.IsPlaying(h));
        EXPECT_TRUE(layer.StreamFree(h));
        EXPECT_FALSE(layer.IsPlaying(h));
    }
}

TEST_F(SdlLayer, FilesThatAreNotSoundGiveNoStream)
{
    QTemporaryDir dir;
    QFile text(dir.filePath(QStringLiteral("select.mp3")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("this is not an mp3 file\n");
    text.close();
    for (bool loop : {false, true}) {
        EXPECT_EQ(layer.StreamCreateFile(text.fileName(), loop), 0u);
        EXPECT_EQ(layer.StreamCreateFile(dir.filePath(QStringLiteral("missing.mp3")), loop), 0u);
    }
    EXPECT_FALSE(layer.ChannelPlay(0, false));
    EXPECT_FALSE(layer.ChannelStop(0));
    EXPECT_FALSE(layer.StreamFree(0));
}

TEST_F(SdlLayer, StoppedMusicContinuesWhereItStoppedAndRestartGoesBackToTheStart)
{
    const TStreamHandle h = layer.StreamCreateFile(kSoundDir + QLatin1String("back.mp3"), true);
    ASSERT_NE(h, 0u);
    layer.ChannelPlay(h, false);
    QThread::msleep(400);
    layer.ChannelStop(h);
    EXPECT_FALSE(layer.IsPlaying(h));
    const double stoppedAt = layer.PositionSeconds(h);
    EXPECT_GT(stoppedAt, 0.2);
    QThread::msleep(300);
    EXPECT_NEAR(layer.PositionSeconds(h), stoppedAt, 0.05) << "a stopped stream must not move on";

    layer.ChannelPlay(h, false);
    EXPECT_TRUE(layer.IsPlaying(h));
    EXPECT_GE(layer.PositionSeconds(h), stoppedAt - 0.05);

    layer.ChannelPlay(h, true);
    EXPECT_LT(layer.PositionSeconds(h), 0.15);
}

TEST_F(SdlLayer, AStoppedEffectResumesAndOnlyTheMusicLoops)
{
    const TStreamHandle effect = layer.StreamCreateFile(kSoundDir + QLatin1String("oksel.mp3"), false);
    ASSERT_NE(effect, 0u);
    layer.ChannelPlay(effect, false);
    layer.ChannelStop(effect);
    EXPECT_FALSE(layer.IsPlaying(effect));
    layer.ChannelPlay(effect, false);
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
        TBassEx bass(std::make_unique<TSdlAudioLayer>(), 0);
        EXPECT_FALSE(bass.Ready());
        bass.AddStream(kSoundDir + QLatin1String("back.mp3"), QStringLiteral("spellback"));
        bass.PlayStream(QStringLiteral("spellback"));
        bass.PlaySound(kSoundDir + QLatin1String("select.mp3"));
        EXPECT_TRUE(bass.PlayStreams().isEmpty());
        EXPECT_EQ(bass.SoundStream(), 0u);
    }
    qputenv("SDL_AUDIODRIVER", old);
    // Once the silent player has let go, a working driver opens again.
    TSdlAudioLayer layer;
    EXPECT_TRUE(layer.Init(-1, 44100, 0, 0));
}

} // namespace
