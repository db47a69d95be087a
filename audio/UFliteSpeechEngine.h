#pragma once
// flite as a speech engine: natural voices that a speech recogniser
// understands several times as often as espeak-ng's, at 10-40 ms a word.
//
// flite and its voices are loaded when the engine starts, each voice from
// its own library (libflite_<voice>.so.1): a machine without flite, or
// without one of its voices, runs on what it has. Loaded voices stay loaded
// for the rest of the process and are shared by every engine object.

#include "USpeechEngine.h"

class TFliteSpeechEngine : public TSpeechEngine
{
public:
    // voices: the names of the voices to look for ("cmu_us_slt" ...).
    explicit TFliteSpeechEngine(QStringList voices);

    bool Start() override;
    // The voices whose library could be loaded, in the order asked for.
    QStringList Voices() override;
    bool LoadVoice(int index) override;
    // A voice that spoke once in this process is taken as working.
    bool TestVoice() override;
    // flite's voices have no rate of their own; their pace is set by stretch.
    bool SetRate(int) override { return false; }
    TSpeechSamples Synthesise(const QString &text, double stretch) override;

    // Loads flite and the named voice unless done, and tests it with a word
    // (which also makes the first real word no slower); safe from any
    // thread. Calling it early, off the user-interface thread, spares the
    // start-up path the wait.
    static void PrepareVoice(const QString &voice);

private:
    QStringList m_wanted;
    QStringList m_installed;
    bool m_started = false;
    int m_voice = -1; // index into m_installed
};
