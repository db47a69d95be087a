#include "UGateTally.h"

#include "USpellRules.h"

int GateStars(bool finished, const QList<TGateMark> &marks)
{
    if (!finished)
        return 0;
    qsizetype flawed = 0;
    for (const TGateMark mark : marks)
        if (mark == TGateMark::Hinted || mark == TGateMark::AfterWrong)
            ++flawed;
    return flawed == 0 ? 3 : flawed <= 2 ? 2 : 1;
}

TGateTally::TGateTally(const TSpellRules &rules, QObject *parent)
    : QObject(parent)
    , m_rules(rules)
{
    connect(&rules, &TSpellRules::WordDealt, this, &TGateTally::WordDealt);
    connect(&rules, &TSpellRules::WordSpelled, this,
            [this](const TWordInfo &, bool hinted, int) { WordSpelled(hinted); });
    connect(&rules, &TSpellRules::WrongSpelling, this, [this] {
        const int at = Current();
        if (at >= 0)
            m_wrong[at] = true;
    });
    // Every start of a toll gate (a new one, a restart, a level change) sets
    // the full countdown; no tick reports it.
    connect(&rules, &TSpellRules::TimeChanged, this, [this](int secondsLeft) {
        if (secondsLeft >= m_rules.GetLevelTime())
            Begin();
    });
    // A missed word stays "not done"; the end follows at once.
    connect(&rules, &TSpellRules::TollGateOver, this, [this](bool finished) { Close(finished); });
}

int TGateTally::Current() const
{
    const int at = m_rules.WordIndex();
    return !m_ended && at >= 0 && at < m_marks.size() ? at : -1;
}

void TGateTally::Begin()
{
    m_words = m_rules.Words();
    m_marks = QList<TGateMark>(m_words.size(), TGateMark::NotDone);
    m_wrong = QList<bool>(m_words.size(), false);
    m_ended = false;
}

void TGateTally::WordDealt()
{
    const int at = m_rules.WordIndex();
    if (m_ended || m_rules.Words() != m_words)
        Begin();
    if (at >= 0 && at < m_wrong.size())
        m_wrong[at] = false; // a deal of this word anew starts it clean
}

void TGateTally::WordSpelled(bool hinted)
{
    const int at = Current();
    if (at < 0)
        return;
    m_marks[at] = hinted ? TGateMark::Hinted : m_wrong[at] ? TGateMark::AfterWrong : TGateMark::Spelled;
}

const TGateResult &TGateTally::Close(bool finished)
{
    if (m_ended)
        return m_result;
    if (m_rules.Words() != m_words)
        Begin(); // the list was replaced without a restart
    m_ended = true;
    m_result = TGateResult{};
    for (qsizetype i = 0; i < m_words.size(); ++i)
        m_result.Words.append(TGateWord{m_words[i], m_marks[i]});
    m_result.Finished = finished;
    m_result.Seconds = m_rules.GetTimerTime();
    m_result.LevelTime = m_rules.GetLevelTime();
    m_result.Score = m_rules.GetScore();
    m_result.Stars = GateStars(finished, m_marks);
    emit GateEnded(m_result);
    return m_result;
}
