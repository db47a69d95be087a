#pragma once
// espeak-ng as a speech engine: robotic, but it runs wherever its data is
// installed, so it is the fallback when no natural voice can be had. Its
// default voice is American English.
//
// espeak-ng is one engine per process: it is set up by the first engine
// object that starts (with that object's data folder) and stays up until the
// process ends; objects may come and go, each keeping its own voice and rate.

#include "USpeechEngine.h"

#include <QByteArray>

class TEspeakSpeechEngine : public TSpeechEngine
{
public:
    // dataPath: espeak-ng's data folder; empty for the installed one.
    explicit TEspeakSpeechEngine(const QString &dataPath = {});

    bool Start() override;
    QStringList Voices() override;
    bool LoadVoice(int index) override;
    bool TestVoice() override;
    bool SetRate(int wordsPerMinute) override;
    TSpeechSamples Synthesise(const QString &text, double stretch) override;

    // Starts espeak-ng (loading its data and reading its voices takes a few
    // milliseconds) unless that has been done; safe from any thread. Start
    // calls it; calling it early, off the user-interface thread, saves
    // Start the wait.
    static void PrepareEngine(const QString &dataPath = {});

private:
    QString m_dataPath;
    bool m_started = false;
    QByteArray m_voice;
    int m_rate;
};
