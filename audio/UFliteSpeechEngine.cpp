#include "UFliteSpeechEngine.h"

#include <flite/flite.h>

#include <QFileInfo>

#include <dlfcn.h>

#include <map>
#include <mutex>

namespace {

// flite's entry points, found in the library at run time.
struct TFliteApi
{
    int (*Init)() = nullptr;
    cst_wave *(*TextToWave)(const char *, cst_voice *) = nullptr;
    void (*DeleteWave)(cst_wave *) = nullptr;
    void (*SetFloat)(cst_features *, const char *, float) = nullptr;
};

struct TFlite
{
    std::mutex Mutex; // every flite call runs under it
    bool Tried = false;
    bool Ready = false;
    TFliteApi Api;
    std::map<QString, void *> Libraries;  // voice name -> its library, nullptr when it did not load
    std::map<QString, cst_voice *> Voices; // registered voices
    std::map<QString, bool> Tested;        // whether a word in the voice gave sound
};

TFlite &Flite()
{
    static TFlite flite;
    return flite;
}

template <typename T> bool Resolve(void *library, const char *name, T &fn)
{
    fn = reinterpret_cast<T>(dlsym(library, name));
    return fn != nullptr;
}

bool StartLocked()
{
    TFlite &f = Flite();
    if (f.Tried)
        return f.Ready;
    f.Tried = true;
    // The handle stays open for the whole run: voices point into it.
    void *core = dlopen("libflite.so.1", RTLD_NOW | RTLD_GLOBAL);
    if (!core)
        return false;
    TFliteApi &api = f.Api;
    f.Ready = Resolve(core, "flite_init", api.Init) && Resolve(core, "flite_text_to_wave", api.TextToWave)
              && Resolve(core, "delete_wave", api.DeleteWave) && Resolve(core, "feat_set_float", api.SetFloat);
    if (f.Ready)
        api.Init();
    return f.Ready;
}

QByteArray VoiceFile(const QString &voice)
{
    return "libflite_" + voice.toLatin1() + ".so.1";
}

bool HasLibraryLocked(const QString &voice)
{
    TFlite &f = Flite();
    auto it = f.Libraries.find(voice);
    if (it == f.Libraries.end())
        it = f.Libraries.emplace(voice, dlopen(VoiceFile(voice).constData(), RTLD_NOW | RTLD_LOCAL)).first;
    return it->second != nullptr;
}

// Whether the voice can be loaded, without loading it: a voice's library
// relocates megabytes of tables into private memory, so only the voice that
// speaks is loaded. A voice file beside flite's own library is taken as
// installed; anywhere else the loader is asked.
bool IsInstalledLocked(const QString &voice)
{
    Dl_info core{};
    if (dladdr(reinterpret_cast<void *>(Flite().Api.Init), &core) && core.dli_fname) {
        const QString dir = QFileInfo(QString::fromLocal8Bit(core.dli_fname)).absolutePath();
        if (QFileInfo::exists(dir + QLatin1Char('/') + QString::fromLatin1(VoiceFile(voice))))
            return true;
    }
    return HasLibraryLocked(voice);
}

cst_voice *VoiceLocked(const QString &voice)
{
    TFlite &f = Flite();
    if (const auto it = f.Voices.find(voice); it != f.Voices.end())
        return it->second;
    if (!f.Ready || !HasLibraryLocked(voice))
        return nullptr;
    // No header declares the voices' registration functions.
    cst_voice *(*reg)(const char *) = nullptr;
    const QByteArray name = "register_" + voice.toLatin1();
    cst_voice *loaded = Resolve(f.Libraries[voice], name.constData(), reg) ? reg(nullptr) : nullptr;
    if (loaded)
        f.Voices.emplace(voice, loaded);
    return loaded;
}

TSpeechSamples SynthesiseLocked(cst_voice *voice, const QByteArray &text, double stretch);

bool TestLocked(const QString &name)
{
    TFlite &f = Flite();
    if (const auto it = f.Tested.find(name); it != f.Tested.end())
        return it->second;
    cst_voice *voice = VoiceLocked(name);
    const bool works = voice && !SynthesiseLocked(voice, QByteArrayLiteral("hello"), 1.0).Samples.empty();
    f.Tested.emplace(name, works);
    return works;
}

TSpeechSamples SynthesiseLocked(cst_voice *voice, const QByteArray &text, double stretch)
{
    TSpeechSamples out;
    const TFliteApi &api = Flite().Api;
    // The voice is shared, so its pace is set for every word.
    api.SetFloat(voice->features, "duration_stretch", float(stretch));
    cst_wave *wave = api.TextToWave(text.constData(), voice);
    if (!wave)
        return out;
    if (wave->samples && wave->num_samples > 0 && wave->num_channels == 1) {
        out.Samples.assign(wave->samples, wave->samples + wave->num_samples);
        out.Rate = wave->sample_rate;
    }
    api.DeleteWave(wave);
    return out;
}

} // namespace

TFliteSpeechEngine::TFliteSpeechEngine(QStringList voices)
    : m_wanted(std::move(voices))
{
}

bool TFliteSpeechEngine::Start()
{
    if (m_started)
        return true;
    std::lock_guard lock(Flite().Mutex);
    if (!StartLocked())
        return false;
    for (const QString &voice : std::as_const(m_wanted))
        if (IsInstalledLocked(voice))
            m_installed.append(voice);
    m_started = true;
    return true;
}

QStringList TFliteSpeechEngine::Voices()
{
    return m_installed;
}

bool TFliteSpeechEngine::LoadVoice(int index)
{
    if (index < 0 || index >= m_installed.size())
        return false;
    std::lock_guard lock(Flite().Mutex);
    if (!VoiceLocked(m_installed[index]))
        return false;
    m_voice = index;
    return true;
}

TSpeechSamples TFliteSpeechEngine::Synthesise(const QString &text, double stretch)
{
    if (m_voice < 0)
        return {};
    std::lock_guard lock(Flite().Mutex);
    cst_voice *voice = VoiceLocked(m_installed[m_voice]);
    return voice ? SynthesiseLocked(voice, text.toUtf8(), stretch) : TSpeechSamples{};
}

bool TFliteSpeechEngine::TestVoice()
{
    if (m_voice < 0)
        return false;
    std::lock_guard lock(Flite().Mutex);
    return TestLocked(m_installed[m_voice]);
}

void TFliteSpeechEngine::PrepareVoice(const QString &voice)
{
    std::lock_guard lock(Flite().Mutex);
    if (StartLocked())
        TestLocked(voice);
}
