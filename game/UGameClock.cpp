#include "UGameClock.h"

TTimerClock::TTimerClock(QObject *parent)
    : TGameClock(parent)
{
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &TGameClock::Ticked);
}
