#include "UAudioModule.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace {

template <typename T> T Symbol(void *handle, const char *name)
{
    return reinterpret_cast<T>(dlsym(handle, name));
}

} // namespace

TAudioModule::TAudioModule(std::string modulePath, TAudioModuleMark mark)
    : m_entry(std::async(std::launch::async, [path = std::move(modulePath), mark] { return Load(path, mark); }).share())
{
}

TAudioModule::~TAudioModule()
{
    const TEntry &entry = m_entry.get();
    if (entry.CoolDown)
        entry.CoolDown(entry.WarmUp);
}

TAudioModule::TEntry TAudioModule::Load(const std::string &path, TAudioModuleMark mark)
{
    TEntry entry;
    // Local: the module's copies of our own units stay its own. Lazy: less
    // work under the loader's lock, which the program's other threads may
    // want meanwhile. Never closed: the objects it makes keep their code there.
    void *handle = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!handle) {
        const char *error = dlerror();
        entry.Error = error ? error : "cannot load " + path;
        return entry;
    }
    const auto warmUp = Symbol<TAudioWarmUpFunction>(handle, kAudioWarmUpName);
    entry.CoolDown = Symbol<TAudioCoolDownFunction>(handle, kAudioCoolDownName);
    entry.CreateOutput = Symbol<TCreateAudioOutputFunction>(handle, kCreateAudioOutputName);
    entry.CreateSpeech = Symbol<TCreateSpeechLayerFunction>(handle, kCreateSpeechLayerName);
    if (!warmUp || !entry.CoolDown || !entry.CreateOutput || !entry.CreateSpeech) {
        entry = TEntry();
        entry.Error = path + ": not a sound module of this program";
        return entry;
    }
    if (mark)
        mark("sound module loaded (side thread)");
    entry.WarmUp = warmUp(mark);
    return entry;
}

std::unique_ptr<TAudioOutput> TAudioModule::CreateAudioOutput() const
{
    const TEntry &entry = m_entry.get();
    return std::unique_ptr<TAudioOutput>(entry.CreateOutput ? entry.CreateOutput() : nullptr);
}

std::unique_ptr<TSpeechLayer> TAudioModule::CreateSpeechLayer() const
{
    const TEntry &entry = m_entry.get();
    return std::unique_ptr<TSpeechLayer>(entry.CreateSpeech ? entry.CreateSpeech() : nullptr);
}

bool TAudioModule::IsLoaded() const
{
    return m_entry.get().CreateOutput != nullptr;
}

std::string TAudioModule::LoadError() const
{
    return m_entry.get().Error;
}

std::string TAudioModule::BesideExecutable()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return (error ? std::filesystem::path() : exe.parent_path()) / "libguluspell_audio.so";
}
