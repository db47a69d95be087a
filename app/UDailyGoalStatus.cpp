#include "UDailyGoalStatus.h"

#include "UDailyGoalRing.h"
#include "UDatabaseError.h"
#include "UFrmSpellForm.h"
#include "USettings.h"
#include "USpellRules.h"
#include "UWordProgress.h"

#include <QEvent>
#include <QTimer>

TDailyGoalStatus::TDailyGoalStatus(TFrmSpellForm &form, const TSettings &settings, TWordProgress &progress,
                                   TClock clock, QObject *parent)
    : QObject(parent)
    , m_form(form)
    , m_settings(settings)
    , m_progress(progress)
    , m_clock(std::move(clock))
{
    m_form.goalRing->installEventFilter(this);
}

void TDailyGoalStatus::Attach(TSpellRules &rules)
{
    // Queued: the recorder, another receiver of the same notification, has
    // written the word by the time the count is read, whatever the order of
    // the connections.
    connect(&rules, &TSpellRules::WordSpelled, this, [this] {
        if (m_shown)
            QTimer::singleShot(0, this, &TDailyGoalStatus::Refresh);
    });
}

void TDailyGoalStatus::Begin()
{
    if (m_shown)
        return;
    m_shown = true;
    Refresh();
    m_form.goalRing->show();
}

void TDailyGoalStatus::Refresh()
{
    if (!m_shown)
        return;
    int done = m_form.goalRing->Done();
    try {
        done = m_progress.DailyCompleted(m_clock(), 1).value(0);
    } catch (const EDatabaseError &) {
        // a library locked or failing now keeps the last count shown
    }
    m_form.goalRing->SetProgress(done, m_settings.DailyGoal());
}

bool TDailyGoalStatus::eventFilter(QObject *watched, QEvent *event)
{
    // The status bar places the ring; the ad line, which lies over the
    // panels, then ends before it.
    if (watched == m_form.goalRing
        && (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Show))
        m_form.FitAdLabel();
    return QObject::eventFilter(watched, event);
}
