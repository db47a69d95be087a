#pragma once
// A countdown clock ticked by hand: the rules' tests decide when seconds
// pass instead of waiting for them.

#include "UGameClock.h"

class TManualClock : public TGameClock
{
public:
    void Start() override { m_running = true; }
    void Stop() override { m_running = false; }
    bool Running() const override { return m_running; }

    // Seconds pass; a stopped clock does not tick.
    void Advance(int seconds)
    {
        for (int i = 0; i < seconds && m_running; ++i)
            emit Ticked();
    }

private:
    bool m_running = false;
};
