#include "UBoardAudio.h"

#include "UBassEx.h"
#include "USpeechEx.h"

TBoardAudio::TBoardAudio(TBassEx *bass, TSpeechEx *speech, QString soundDir)
    : m_bass(bass)
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
    if (!m_bass)
        return;
    const QString music = MusicStreamName();
    switch (cue) {
    case TBoardSoundCue::Select: m_bass->PlaySound(m_soundDir + QStringLiteral("select.mp3")); break;
    case TBoardSoundCue::Unselect: m_bass->PlaySound(m_soundDir + QStringLiteral("unselect.mp3")); break;
    case TBoardSoundCue::WordDone: m_bass->PlaySound(m_soundDir + QStringLiteral("oksel.mp3")); break;
    case TBoardSoundCue::Wrong: m_bass->PlaySound(m_soundDir + QStringLiteral("wrong.mp3")); break;
    case TBoardSoundCue::MusicStart:
        m_bass->RemoveStream(music);
        m_bass->AddStream(m_soundDir + QStringLiteral("back.mp3"), music);
        m_bass->PlayStream(music);
        break;
    case TBoardSoundCue::MusicStop: m_bass->StopStream(music); break;
    case TBoardSoundCue::MusicContinue: m_bass->PlayStream(music); break;
    case TBoardSoundCue::MusicEnd:
        m_bass->StopStream(music);
        m_bass->RemoveStream(music);
        break;
    }
}

void TBoardAudio::Speak(const QString &word)
{
    if (m_speech)
        m_speech->Speak(word);
}
