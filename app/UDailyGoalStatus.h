#pragma once
// Today's words towards the daily goal in the status bar: hidden until the
// first game starts, then "今日 N/goal" after every completed word. The count
// is read back from the word progress once the recorder has written the word,
// so the bar and the statistics window never disagree.

#include <QDate>
#include <QObject>

#include <functional>

class TSettings;
class TSpellRules;
class TWordProgress;
struct TFrmSpellForm;

class TDailyGoalStatus : public QObject
{
    Q_OBJECT
public:
    using TClock = std::function<QDate()>;

    TDailyGoalStatus(TFrmSpellForm &form, const TSettings &settings, TWordProgress &progress,
                     TClock clock = &QDate::currentDate, QObject *parent = nullptr);

    void Attach(TSpellRules &rules);
    // A game started: the ring shows from now on.
    void Begin();
    // Reads today's count and the goal again (a changed goal, a new day).
    void Refresh();
    bool Shown() const { return m_shown; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TFrmSpellForm &m_form;
    const TSettings &m_settings;
    TWordProgress &m_progress;
    TClock m_clock;
    bool m_shown = false;
};
