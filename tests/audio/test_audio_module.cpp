// The sound module as the program loads it: the real one gives an output
// and a speech layer; a missing, foreign or broken one gives neither, with a
// reason, and the game goes on silent instead of failing.

#include "UAudioModule.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace {

struct TModuleCase
{
    const char *name;
    std::string path;
    bool loads;
};

TEST(AudioModule, OnlyTheProgramsOwnModuleGivesSound)
{
    QTemporaryDir dir;
    const std::string junk = dir.filePath(QStringLiteral("libguluspell_audio.so")).toStdString();
    std::ofstream(junk) << "not a shared library";
    const TModuleCase cases[] = {
        {"the built module", GULUSPELL_AUDIO_MODULE, true},
        {"missing", dir.filePath(QStringLiteral("nothing.so")).toStdString(), false},
        {"not a library", junk, false},
        {"a library without the entry points", "libm.so.6", false},
    };
    for (const TModuleCase &c : cases) {
        SCOPED_TRACE(c.name);
        const TAudioModule module(c.path);
        EXPECT_EQ(module.IsLoaded(), c.loads);
        EXPECT_EQ(module.LoadError().empty(), c.loads) << module.LoadError();
        EXPECT_EQ(module.CreateAudioOutput() != nullptr, c.loads);
        EXPECT_EQ(module.CreateSpeechLayer() != nullptr, c.loads);
    }
}

// Speech made through the module's objects works across the boundary.
TEST(AudioModule, TheModulesSpeechLayerListsVoices)
{
    const TAudioModule module(GULUSPELL_AUDIO_MODULE);
    auto speech = module.CreateSpeechLayer();
    ASSERT_TRUE(speech);
    ASSERT_TRUE(speech->Connect());
    EXPECT_FALSE(speech->VoiceDescriptions().isEmpty());
}

} // namespace
