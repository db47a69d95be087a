#pragma once
// Paces an advertising rotation.
//
// Not a worker thread: the steps are timed on the user-interface thread's
// event loop, which gives the same order and timing as a thread that hands
// each step to that loop, waits for it and then sleeps, without any state
// shared between threads. Each step runs when the loop is free; the next one
// follows Interval seconds after the previous step has finished. A pause asked for
// inside a step or between steps takes effect before the next step; deleting
// the object ends the rotation, and no step runs afterwards.

#include <QObject>
#include <QTimer>

#include <functional>

class TAdPlayThread : public QObject
{
    Q_OBJECT
public:
    // OnPlay is the step; it runs on this object's thread.
    explicit TAdPlayThread(std::function<void()> onPlay, QObject *parent = nullptr);

    // Seconds between steps. Anything below one second counts as one: an
    // interval of 0 from the file would otherwise fetch pages back to back
    // for as long as the game runs.
    void SetInterval(int seconds);
    // The length of one second in milliseconds; tests shorten it.
    void SetSecondLength(int milliseconds);
    // Created paused. The first step runs as soon as the event loop is free.
    void ResumePlay();
    void PausePlay();

private:
    void step();

    std::function<void()> m_onPlay;
    QTimer m_timer;
    int m_interval = 1;
    int m_secondMs = 1000;
    bool m_paused = true;
};
