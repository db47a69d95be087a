#pragma once
// What became of each word of the toll gate on the board, gathered from the
// rules' notifications: spelled, spelled after the hint, spelled after a
// wrong fill, or not done; and at the gate's end the time it took, its points
// and its stars.
//
// A gate begins whenever the rules start a full countdown (a new gate, a
// restart, a level change) or deal a word of another list; words never dealt
// stay "not done". The end is taken from
// TollGateOver, or earlier from whoever asks first through Close(), so a
// receiver of TollGateOver never depends on the order of connections.

#include "UWordInfo.h"

#include <QList>
#include <QObject>

class TSpellRules;

enum class TGateMark
{
    NotDone,    // not reached, or the countdown ran out on it
    Spelled,    // without the hint and without a wrong fill
    Hinted,     // after the hint (whether or not filled wrongly too)
    AfterWrong, // after every tile was filled in a wrong order
};

struct TGateWord
{
    TWordInfo Word;
    TGateMark Mark = TGateMark::NotDone;
};

struct TGateResult
{
    QList<TGateWord> Words; // the gate's whole list, in order
    bool Finished = false;  // every word done; false: the countdown ran out
    int Seconds = 0;        // countdown seconds used
    int LevelTime = 0;      // the countdown's length
    int Score = 0;          // the gate's own points
    int Stars = 0;          // 0 to 3, see GateStars
};

// 3: finished with every word spelled clean; 2: finished with at most two
// words hinted or filled wrongly; 1: finished; 0: the countdown ran out.
// Words a finished gate never dealt (too long to play) do not count.
int GateStars(bool finished, const QList<TGateMark> &marks);

class TGateTally : public QObject
{
    Q_OBJECT
public:
    // The rules are read at each notification (the list, the current word,
    // the clock) and must outlive the tally.
    explicit TGateTally(const TSpellRules &rules, QObject *parent = nullptr);

    // Ends the gate now if TollGateOver has not done so yet; the result of
    // the gate that ended last.
    const TGateResult &Close(bool finished);
    const TGateResult &Result() const { return m_result; }

signals:
    // Once per gate, when it ends.
    void GateEnded(const TGateResult &result);

private:
    void Begin();
    void WordDealt();
    void WordSpelled(bool hinted);
    int Current() const;

    const TSpellRules &m_rules;
    TWordInfos m_words;
    QList<TGateMark> m_marks;
    QList<bool> m_wrong;
    bool m_ended = true; // nothing begun yet
    TGateResult m_result;
};
