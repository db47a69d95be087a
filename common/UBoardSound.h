#pragma once
// What the board asks of sound and speech, and nothing more: the board plays
// cues and speaks completed words through this, so it needs no audio library.
// The program hands in an implementation over its sound player and speech
// object; tests hand in a recorder. Every call returns at once and never fails
// visibly: a missing device just stays silent.

#include <QString>

enum class TBoardSoundCue {
    Select,        // a tile was picked
    Unselect,      // a picked tile was taken back
    WordDone,      // the spelled text equals the word
    Wrong,         // every tile is picked, but the text is not the word
    MusicStart,    // (re)load the background music and play it from the start
    MusicStop,     // pause the music where it is
    MusicContinue, // play on from where it stopped
    MusicEnd,      // stop the music and let it go
};

class TBoardSound
{
public:
    virtual ~TBoardSound() = default;
    virtual void Play(TBoardSoundCue cue) = 0;
    virtual void Speak(const QString &word) = 0;
    // The word being dealt, so its speech can be made ahead.
    virtual void Prepare(const QString &word) { Q_UNUSED(word); }
};
