#pragma once
// The one-second beat of a toll gate's countdown, behind a small interface so
// the rules can be driven by a real timer in the program and by hand in tests.

#include <QObject>
#include <QTimer>

class TGameClock : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Ticks once a second from now on. Starting a running clock begins its
    // second anew, so the next tick comes a full second later.
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool Running() const = 0;

signals:
    void Ticked();
};

// The program's clock: a QTimer on the thread that made it.
class TTimerClock : public TGameClock
{
    Q_OBJECT
public:
    explicit TTimerClock(QObject *parent = nullptr);

    void Start() override { m_timer.start(); }
    void Stop() override { m_timer.stop(); }
    bool Running() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};
