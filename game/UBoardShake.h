#pragma once
// The slot's shake after a wrong spelling: a damped sideways wobble of about
// 300 ms, in steps the board repaints on. The board asks for the offset when
// it paints; the tiles never move with it.

#include <QObject>
#include <QTimer>

class TBoardShake : public QObject
{
    Q_OBJECT
public:
    TBoardShake();

    // Starts again from the first step, also while shaking.
    void Start();
    bool Active() const { return m_step >= 0; }
    // The sideways offset in pixels now; 0 when still.
    int Offset() const;

signals:
    // Each step, and once when the slot comes to rest.
    void Changed();

private:
    void Step();

    int m_step = -1; // -1: still
    QTimer m_timer;
};
