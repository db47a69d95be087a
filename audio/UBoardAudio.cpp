#include "UBoardAudio.h"

#include "USoundPlayer.h"
#include "USpeechEx.h"

TBoardAudio::TBoardAudio(TSoundPlayer *player, TSpeechEx *speech, QString soundDir)
    : m_player(player)
    , m_speech(speech)
    , m_soundDir(std::move(soundDir))
{
}

QString TBoardAudio::MusicStreamName()
{
    return QStringLiteral("spellback");
}

void TBoardAudio::Play(TBoardSoundCue cue)
{
    if (!m_player)
        return;
    const QString music = MusicStreamName();
    switch (cue) {
    case TBoardSoundCue::Select: m_player->PlaySound(m_soundDir + QStringLiteral("select.mp3")); break;
    case TBoardSoundCue::Unselect: m_player->PlaySound(m_soundDir + QStringLiteral("unselect.mp3")); break;
    case TBoardSoundCue::WordDone: m_player->PlaySound(m_soundDir + QStringLiteral("oksel.mp3")); break;
    case TBoardSoundCue::Wrong: m_player->PlaySound(m_soundDir + QStringLiteral("wrong.mp3")); break;
    case TBoardSoundCue::MusicStart:
        m_player->RemoveStream(music);
        m_player->AddStream(m_soundDir + QStringLiteral("back.mp3"), music);
        m_player->PlayStream(music);
        break;
    case TBoardSoundCue::MusicStop: m_player->StopStream(music); break;
    case TBoardSoundCue::MusicContinue: m_player->PlayStream(music); break;
    case TBoardSoundCue::MusicEnd:
        m_player->StopStream(music);
        m_player->RemoveStream(music);
        break;
    }
}

void TBoardAudio::Speak(const QString &word)
{
    if (m_speech)
        m_speech->Speak(word);
}

void TBoardAudio::Prepare(const QString &word)
{
    if (m_speech)
        m_speech->Prepare(word);
}
