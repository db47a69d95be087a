#pragma once
// The sound module (libguluspell_audio.so beside the executable), loaded on
// a side thread from the program entry, and the audio output and speech
// layer made by it. Loading it maps SDL, SDL_mixer, espeak-ng and flite,
// some sixty libraries, which the dynamic loader would otherwise map before
// main; the module then opens the sound device and loads the first voice on
// threads of its own. Without the module (or with a broken one) both
// factories return null: the game plays silently.

#include "UAudioModuleEntry.h"
#include "UAudioOutput.h"
#include "USpeechLayer.h"

#include <future>
#include <memory>
#include <string>

class TAudioModule
{
public:
    // Starts loading modulePath at once; mark receives the module's start-up
    // phases. Creates no Qt object: it may run before the application object.
    explicit TAudioModule(std::string modulePath = BesideExecutable(), TAudioModuleMark mark = nullptr);
    // Lets the warm-up go (the sound device with it): after every output and
    // speech layer made here is destroyed. The module stays mapped, as the
    // objects' code lives in it.
    ~TAudioModule();
    TAudioModule(const TAudioModule &) = delete;
    TAudioModule &operator=(const TAudioModule &) = delete;

    // Wait for the loading; null without a usable module.
    std::unique_ptr<TAudioOutput> CreateAudioOutput() const;
    std::unique_ptr<TSpeechLayer> CreateSpeechLayer() const;
    bool IsLoaded() const;
    // Why the module is not loaded (dlerror's text), empty when it is.
    std::string LoadError() const;

    // The module's path beside the running executable (its real path, so an
    // installed program's link in bin/ finds its program folder).
    static std::string BesideExecutable();

private:
    struct TEntry
    {
        void *WarmUp = nullptr;
        TAudioCoolDownFunction CoolDown = nullptr;
        TCreateAudioOutputFunction CreateOutput = nullptr;
        TCreateSpeechLayerFunction CreateSpeech = nullptr;
        std::string Error;
    };
    static TEntry Load(const std::string &path, TAudioModuleMark mark);

    std::shared_future<TEntry> m_entry;
};
