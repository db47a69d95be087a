#pragma once
// The board's sound and speech over the program's sound player and speech
// object: each cue becomes the effect file or music stream step it stands for.
// Neither player is owned; either may be absent, which leaves that half silent.

#include "UBoardSound.h"

class TSoundPlayer;
class TSpeechEx;

class TBoardAudio : public TBoardSound
{
public:
    // soundDir holds the game's sound files and ends in '/'.
    TBoardAudio(TSoundPlayer *player, TSpeechEx *speech, QString soundDir);

    void Play(TBoardSoundCue cue) override;
    void Speak(const QString &word) override;
    void Prepare(const QString &word) override;

    // The name under which the background music is a stream of the player.
    static QString MusicStreamName();

private:
    TSoundPlayer *m_player;
    TSpeechEx *m_speech;
    QString m_soundDir;
};
