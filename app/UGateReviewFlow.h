#pragma once
// The toll gates' own history and the windows around it: every gate that
// ends (finished or out of time) is tallied and recorded with its stars and
// points whatever the settings say, "关卡小结" shows the gate just ended when
// the setting "GateReview" is 1, and "选择关卡" lets the player pick a gate
// of the book.
//
// The game flow asks it at each gate's end; with the setting off the answer
// is always nothing: the game goes on as it would, without a window.

#include "UFrmGateReview.h"
#include "UGateProgress.h"
#include "UGateTally.h"

#include <QObject>

#include <functional>
#include <optional>

class QWidget;
class TDataInterface;
class TSettings;
class TSpellRules;
struct TGamePara;

class TGateReviewFlow : public QObject
{
    Q_OBJECT
public:
    // game gives the game being played; window parents the windows.
    TGateReviewFlow(TDataInterface &data, const TSettings &settings, const TSpellRules &rules,
                    std::function<const TGamePara &()> game, QWidget *window, QObject *parent = nullptr);

    // The gate on the board ended: its record is written now, before the
    // game moves on (the tally may have done so already).
    void GateOver(bool finished);
    // With the setting on, the review of the gate that ended last as gate
    // tollGate of the game's book, and the player's choice; nothing when the
    // setting is off and no window was shown.
    std::optional<TGateReviewChoice> Review(const TGamePara &game, int tollGate);
    bool Enabled() const;
    bool MistakeBookHasWords();
    // What "标为熟词" in the review does; unset, the review does not offer it.
    void SetMarkKnown(std::function<bool(const TWordInfo &)> markKnown) { m_markKnown = std::move(markKnown); }

    // "选择关卡" for the game's book: the gate chosen, or 0.
    int ChooseGate(const TGamePara &game);

    TGateProgress &Progress() { return m_progress; }
    const TGateTally &Tally() const { return m_tally; }

private:
    void Record(const TGateResult &result);
    void NoticeRebuilt();

    TDataInterface &m_data;
    const TSettings &m_settings;
    std::function<const TGamePara &()> m_game;
    std::function<bool(const TWordInfo &)> m_markKnown;
    QWidget *m_window;
    TGateTally m_tally;
    TGateProgress m_progress;
    bool m_noticeShown = false;
};
