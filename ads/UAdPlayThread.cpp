#include "UAdPlayThread.h"

#include <climits>

TAdPlayThread::TAdPlayThread(std::function<void()> onPlay, QObject *parent)
    : QObject(parent), m_onPlay(std::move(onPlay))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &TAdPlayThread::step);
}

void TAdPlayThread::SetInterval(int seconds)
{
    m_interval = qMax(1, seconds);
}

void TAdPlayThread::SetSecondLength(int milliseconds)
{
    m_secondMs = qMax(1, milliseconds);
}

void TAdPlayThread::ResumePlay()
{
    if (!m_paused)
        return;
    m_paused = false;
    m_timer.start(0);
}

void TAdPlayThread::PausePlay()
{
    if (m_paused)
        return;
    m_paused = true;
    m_timer.stop();
}

void TAdPlayThread::step()
{
    if (m_paused)
        return;
    if (m_onPlay)
        m_onPlay();
    if (m_paused)
        return;
    // Intervals from the file can be large: a timer takes at most INT_MAX ms.
    const qint64 ms = qint64(m_interval) * m_secondMs;
    m_timer.start(int(qMin<qint64>(ms, INT_MAX)));
}
