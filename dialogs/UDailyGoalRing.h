#pragma once
// Today's words against the daily goal, small enough for the status bar: a
// ring that fills as the words come, and "今日 12/30" beside it. The text is
// a QLabel, so each skin's status-bar colours reach it.

#include <QWidget>

class QLabel;

class TDailyGoalRing : public QWidget
{
    Q_OBJECT
public:
    explicit TDailyGoalRing(QWidget *parent = nullptr);

    // done words of goal (goal at least 1); the ring is full from goal on.
    void SetProgress(int done, int goal);
    int Done() const { return m_done; }
    int Goal() const { return m_goal; }
    QString Text() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_label;
    int m_done = 0;
    int m_goal = 1;
};
