#pragma once
// A speech synthesiser: text in, samples out, nothing played. The speech
// layer plays what an engine makes; engines only know their voices.
//
// An engine may be called from the user-interface thread (choosing and
// testing a voice) and from the speech worker (synthesis): the caller
// serialises the calls of one engine object.

#include <QString>
#include <QStringList>

#include <vector>

struct TSpeechSamples
{
    std::vector<short> Samples; // 16-bit mono
    int Rate = 0;               // samples per second
};

class TSpeechEngine
{
public:
    virtual ~TSpeechEngine() = default;
    // Starts the engine unless it runs already; false when it cannot run here.
    virtual bool Start() = 0;
    // The voices it can speak with, always in the same order.
    virtual QStringList Voices() = 0;
    // Makes voice index the one that synthesises; false when it cannot be loaded.
    virtual bool LoadVoice(int index) = 0;
    // Whether the loaded voice gives sound for a word. An engine may
    // remember a voice it has once heard working.
    virtual bool TestVoice() = 0;
    // The speaking rate of the engine's default voice; false where the engine has none.
    virtual bool SetRate(int wordsPerMinute) = 0;
    // stretch 1 is the voice's own pace, 1.4 is 1.4 times as long. Empty
    // samples when synthesis fails.
    virtual TSpeechSamples Synthesise(const QString &text, double stretch) = 0;
};
