#include "USpellRules.h"

#include "UCommonFun.h"
#include "UGameClock.h"
#include "URandom.h"
#include "UTileLayout.h"

#include <algorithm>
#include <limits>

TSpellRules::TSpellRules(TGameClock &clock, QObject *parent)
    : QObject(parent)
    , m_clock(clock)
{
    connect(&m_clock, &TGameClock::Ticked, this, &TSpellRules::Tick);
}

TSpellRules::~TSpellRules()
{
    m_clock.Stop();
    Play(TBoardSoundCue::MusicEnd);
}

// ---------------------------------------------------------------------------
// The host's operations

void TSpellRules::StartGame(const TWordInfos &words, TBoardSound *sound)
{
    m_sound = sound;
    m_words = words;
    if (!m_words.isEmpty())
        EnterWord(0);
    Play(TBoardSoundCue::MusicStart);
    m_level = 1;
    m_tollGateIndex = 1;
    m_tollGateCount = CeilDiv(m_tollGateWords, int(m_words.size()));
    m_clock.Start();
    ResetTimer();
    SkipUnplayableWords();
    emit Changed();
}

void TSpellRules::SetWords(const TWordInfos &words)
{
    m_words = words;
}

void TSpellRules::RestartGame()
{
    m_tollGateIndex = 1;
    m_score = 0;
    EnterWord(0);
    m_clock.Start();
    ResetTimer();
    SkipUnplayableWords();
    emit ScoreChanged(m_score);
    emit Changed();
}

void TSpellRules::SetLevel(int value)
{
    if (value == m_level)
        return;
    m_level = value;
    EnterWord((m_tollGateIndex - 1) * m_tollGateWords);
    ResetTimer();
    SkipUnplayableWords();
    emit Changed();
}

void TSpellRules::SetTollGateWords(int value)
{
    if (value >= 1)
        m_tollGateWords = value;
}

void TSpellRules::SetHasSpeech(bool value)
{
    // Speech made ahead is wasted while nothing is spoken; switched on, the
    // word already dealt is made ahead at once.
    const bool switchedOn = value && !m_hasSpeech;
    m_hasSpeech = value;
    if (switchedOn && m_sound && HasCurrentWord())
        m_sound->Prepare(m_words[m_wordIndex].Spelling);
}

void TSpellRules::SayAgain()
{
    if (m_sound && m_hasSpeech && BeingSpelled())
        m_sound->Speak(m_words[m_wordIndex].Spelling);
}

void TSpellRules::PauseGame()
{
    const bool wasRunning = m_clock.Running();
    m_clock.Stop();
    if (wasRunning)
        emit Changed(); // what is shown of a word being spelled goes
}

void TSpellRules::ContinueGame()
{
    const bool wasRunning = m_clock.Running();
    m_clock.Start();
    QueueFirstSaying();
    if (!wasRunning)
        emit Changed();
}

void TSpellRules::ClearSpelling()
{
    // A stopped countdown (paused, waiting to start, over) takes no fresh
    // deal: the letters stay as they were left.
    if (!HasCurrentWord() || !m_clock.Running())
        return; // also keeps a finished list's last word on show
    DealWord(m_wordIndex);
    m_letters.clear();
    emit Changed();
}

void TSpellRules::ShowHint()
{
    // On a stopped countdown a hint would cost the word its points for
    // letters the player cannot use yet.
    if (!HasCurrentWord() || !m_clock.Running())
        return;
    const QString spelling = m_words[m_wordIndex].Spelling;
    DealWord(m_wordIndex);
    m_letters.clear();
    for (int i = 0; i + 1 < spelling.size(); ++i)
        m_letters.append(spelling.mid(i, 1));

    // Each hinted tile is bound to an entry of its own, so taking tiles of a
    // repeated letter back out later removes exactly their own entries.
    const QString last = spelling.right(1);
    QList<bool> bound(m_letters.size(), false);
    bool lastLeft = false;
    for (TSpellTile &tile : m_tiles) {
        if (!lastLeft && tile.Letter == last) {
            lastLeft = true;
            continue;
        }
        for (int e = 0; e < m_letters.size(); ++e) {
            if (!bound[e] && m_letters[e] == tile.Letter) {
                bound[e] = true;
                tile.Picked = true;
                tile.PickIndex = e;
                break;
            }
        }
    }
    m_hintUsed = true;
    emit Changed();
}

void TSpellRules::StopBackMusic()
{
    Play(TBoardSoundCue::MusicStop);
}

void TSpellRules::PlayBackMusic()
{
    Play(TBoardSoundCue::MusicContinue);
}

// ---------------------------------------------------------------------------
// State

bool TSpellRules::HasCurrentWord() const
{
    return m_wordIndex >= 0 && m_wordIndex < m_words.size() && IsPlayable(m_words[m_wordIndex].Spelling);
}

bool TSpellRules::ClockRunning() const
{
    return m_clock.Running();
}

bool TSpellRules::IsPlayable(const QString &spelling)
{
    return !spelling.isEmpty() && spelling.size() <= MaxPlayableLetters();
}

int TSpellRules::MaxPlayableLetters()
{
    return MaxTilesInBand();
}

qint64 TSpellRules::WordPoints() const
{
    return m_hintUsed ? 0 : qint64(m_level) * 100;
}

int TSpellRules::ClampScore(qint64 points)
{
    return int(std::clamp<qint64>(points, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void TSpellRules::Play(TBoardSoundCue cue)
{
    if (m_sound)
        m_sound->Play(cue);
}

void TSpellRules::QueueFirstSaying()
{
    // A host often stops the countdown right after a restart that started
    // it (a new book waits for "开始游戏"), so whether the word is being
    // spelled is settled once control is back in the event loop.
    if (!m_firstSayingDue || m_firstSayingQueued)
        return;
    m_firstSayingQueued = true;
    QMetaObject::invokeMethod(this, &TSpellRules::SayFirstIfDue, Qt::QueuedConnection);
}

void TSpellRules::SayFirstIfDue()
{
    m_firstSayingQueued = false;
    if (!m_firstSayingDue || !BeingSpelled())
        return;
    // The word's one chance: switching listening first on later does not
    // say it, F4 does.
    m_firstSayingDue = false;
    if (m_listenFirst && m_hasSpeech && m_sound)
        m_sound->Speak(m_words[m_wordIndex].Spelling);
}

// ---------------------------------------------------------------------------
// Dealing and moving through the list

void TSpellRules::DealWord(int index)
{
    m_tiles.clear();
    if (index >= 0 && index < m_words.size() && IsPlayable(m_words[index].Spelling)) {
        const QString spelling = m_words[index].Spelling;
        const int n = int(spelling.size());
        TIntAry order(n);
        for (int i = 0; i < n; ++i)
            order[i] = i;
        ShuffleIntAry(order);
        m_tiles.resize(n);
        for (int i = 0; i < n; ++i)
            m_tiles[i].Letter = spelling.mid(order[i], 1);
    }
    emit TilesDealt();
}

void TSpellRules::EnterWord(int index)
{
    m_wordIndex = index;
    DealWord(index);
    m_letters.clear();
    m_wordStart = m_timerTime;
    m_firstSayingDue = HasCurrentWord();
    if (!HasCurrentWord())
        return;
    const TWordInfo &word = m_words[index];
    if (m_sound && m_hasSpeech)
        m_sound->Prepare(word.Spelling);
    QueueFirstSaying();
    emit WordDealt(word);
}

int TSpellRules::NextPlayableWord(int index) const
{
    for (int i = std::max(0, index); i < m_words.size(); ++i)
        if (IsPlayable(m_words[i].Spelling))
            return i;
    return -1;
}

void TSpellRules::MoveToWord(int index)
{
    EnterWord(index);
    // The countdown runs per toll gate: a word of the same toll gate keeps it.
    const int oldTollGate = m_tollGateIndex;
    m_tollGateIndex = CeilDiv(m_tollGateWords, m_wordIndex + 1);
    if (m_tollGateIndex != oldTollGate) {
        m_clock.Start();
        ResetTimer();
    }
}

void TSpellRules::NextWord()
{
    const int next = NextPlayableWord(m_wordIndex + 1);
    if (next >= 0) {
        MoveToWord(next);
        emit Changed();
        return;
    }
    // The spelled word stays on its tiles, and now counts as done.
    m_wordIndex = int(m_words.size());
    m_clock.Stop();
    emit Changed();
    emit TollGateOver(true);
}

void TSpellRules::SkipUnplayableWords()
{
    if (m_wordIndex < 0 || m_wordIndex >= m_words.size() || IsPlayable(m_words[m_wordIndex].Spelling))
        return;
    const int next = NextPlayableWord(m_wordIndex + 1);
    if (next >= 0)
        MoveToWord(next);
}

// ---------------------------------------------------------------------------
// The countdown

void TSpellRules::ApplyLevelTime()
{
    switch (m_level) {
    case 1: m_levelTime = 200; break;
    case 2: m_levelTime = 100; break;
    case 3: m_levelTime = 50; break;
    default: break; // any other level keeps the previous time
    }
}

void TSpellRules::ResetTimer()
{
    m_timerTime = 0;
    m_wordStart = 0;
    ApplyLevelTime();
    if (m_clock.Running())
        m_clock.Start(); // the next tick comes a full second from now
    emit TimeChanged(m_levelTime - m_timerTime);
}

void TSpellRules::Tick()
{
    if (m_timerTime >= m_levelTime) {
        m_clock.Stop();
        if (HasCurrentWord())
            emit WordMissed(m_words[m_wordIndex]);
        emit TollGateOver(false);
        return;
    }
    ++m_timerTime;
    emit TimeChanged(m_levelTime - m_timerTime);
}

// ---------------------------------------------------------------------------
// Moves

bool TSpellRules::IsWordSpelled() const
{
    return HasCurrentWord() && m_letters.join(QString()) == m_words[m_wordIndex].Spelling;
}

bool TSpellRules::Pick(int index)
{
    if (!ValidTile(index) || m_tiles[index].Picked)
        return false;
    TSpellTile &tile = m_tiles[index];
    m_letters.append(tile.Letter);
    tile.PickIndex = int(m_letters.size()) - 1;
    tile.Picked = true;

    if (!IsWordSpelled()) {
        const bool wrong = m_letters.size() == m_tiles.size();
        Play(wrong ? TBoardSoundCue::Wrong : TBoardSoundCue::Select);
        emit Changed();
        if (wrong)
            emit WrongSpelling(m_words[m_wordIndex]);
        return false;
    }
    const TWordInfo done = m_words[m_wordIndex]; // a handler may replace the words
    Play(TBoardSoundCue::WordDone);
    if (m_sound && m_hasSpeech)
        m_sound->Speak(done.Spelling);
    const bool hinted = m_hintUsed;
    const int seconds = m_timerTime - m_wordStart;
    m_score = ClampScore(m_score + WordPoints());
    m_hintUsed = false;
    emit ScoreChanged(m_score);
    emit WordSpelled(done, hinted, seconds);
    NextWord();
    return true;
}

void TSpellRules::RemovePickedLetter(int index)
{
    const int p = m_tiles[index].PickIndex;
    if (p >= 0 && p < m_letters.size())
        m_letters.removeAt(p);
    m_tiles[index].PickIndex = -1;
    for (TSpellTile &tile : m_tiles)
        if (tile.PickIndex > p)
            --tile.PickIndex;
}

void TSpellRules::Unpick(int index)
{
    if (!ValidTile(index) || !m_tiles[index].Picked)
        return;
    RemovePickedLetter(index);
    m_tiles[index].Picked = false;
    Play(TBoardSoundCue::Unselect);
    emit Changed();
}

int TSpellRules::PickByKey(QChar typed)
{
    if (!HasCurrentWord())
        return -1;
    const QString &spelling = m_words[m_wordIndex].Spelling;
    const QChar next = m_letters.size() < spelling.size() ? spelling[m_letters.size()] : QChar();
    int chosen = -1;
    for (int i = 0; i < m_tiles.size(); ++i) {
        const TSpellTile &tile = m_tiles[i];
        if (tile.Picked || tile.Letter.compare(QString(typed), Qt::CaseInsensitive) != 0)
            continue;
        if (tile.Letter == QString(next)) {
            chosen = i;
            break;
        }
        if (chosen < 0)
            chosen = i;
    }
    if (chosen >= 0)
        Pick(chosen);
    return chosen;
}

int TSpellRules::TakeBackLastPick()
{
    if (!HasCurrentWord())
        return -1;
    const int last = int(m_letters.size()) - 1;
    for (int i = 0; i < m_tiles.size(); ++i) {
        if (m_tiles[i].Picked && m_tiles[i].PickIndex == last) {
            Unpick(i);
            return i;
        }
    }
    return -1;
}
